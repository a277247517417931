#pragma once

#include "platform/Errors.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One match of a Regex: where it lies in the subject (0-based, in UTF-16 units) and what
// it captured. captured(0) is the whole match; a group that took no part gives "".
struct RegexMatch {
    qsizetype position = 0;
    qsizetype length = 0;
    QStringList groups; // groups[0] is the whole match

    QString captured(int group = 0) const
    {
        return group >= 0 && group < groups.size() ? groups[group] : QString();
    }
    qsizetype end() const { return position + length; }
};

// The matcher the news reader uses on entry texts: letters compare without regard to case,
// quantifiers are lazy (shortest match; a "?" after a quantifier makes it greedy again), and
// "." also matches line breaks. Raises RegexError for a pattern that does not compile.
class Regex {
public:
    explicit Regex(const QString& pattern);

    QString pattern() const { return m_regex.pattern(); }

    // The first match at or after position from, or none.
    std::optional<RegexMatch> firstMatch(const QString& subject, qsizetype from = 0) const;
    bool matches(const QString& subject) const { return firstMatch(subject).has_value(); }
    // Every match from left to right, without overlap.
    std::vector<RegexMatch> allMatches(const QString& subject) const;
    // Every match replaced by replacement, in which "$0" … "$9" and "${n}" stand for the
    // captured groups and "$$" for a dollar sign.
    QString replace(const QString& subject, const QString& replacement) const;

private:
    QRegularExpression m_regex;
};
