#include "platform/Regex.h"

namespace {

RegexMatch toMatch(const QRegularExpressionMatch& m)
{
    RegexMatch result;
    result.position = m.capturedStart(0);
    result.length = m.capturedLength(0);
    for (int i = 0; i <= m.lastCapturedIndex(); ++i)
        result.groups << m.captured(i);
    return result;
}

// Reads the group number of "$n" or "${n}" at text[pos] == '$'; advances pos past it.
std::optional<int> groupReference(const QString& text, qsizetype& pos)
{
    qsizetype i = pos + 1;
    if (i < text.size() && text[i].isDigit()) {
        pos = i + 1;
        return text[i].digitValue();
    }
    if (i < text.size() && text[i] == '{') {
        const qsizetype close = text.indexOf('}', i + 1);
        bool ok = false;
        const int n = close > i + 1 ? text.mid(i + 1, close - i - 1).toInt(&ok) : -1;
        if (ok && n >= 0) {
            pos = close + 1;
            return n;
        }
    }
    return std::nullopt;
}

QString substitute(const QString& replacement, const RegexMatch& match)
{
    QString out;
    for (qsizetype pos = 0; pos < replacement.size();) {
        if (replacement[pos] != '$') {
            out += replacement[pos++];
        } else if (pos + 1 < replacement.size() && replacement[pos + 1] == '$') {
            out += '$';
            pos += 2;
        } else if (const auto group = groupReference(replacement, pos)) {
            out += match.captured(*group);
        } else {
            out += replacement[pos++];
        }
    }
    return out;
}

} // namespace

Regex::Regex(const QString& pattern)
    : m_regex(pattern, QRegularExpression::CaseInsensitiveOption |
                           QRegularExpression::InvertedGreedinessOption |
                           QRegularExpression::DotMatchesEverythingOption)
{
    if (!m_regex.isValid())
        throw RegexError(QStringLiteral("Invalid regular expression \"%1\": %2 at offset %3")
                             .arg(pattern, m_regex.errorString())
                             .arg(m_regex.patternErrorOffset()));
}

std::optional<RegexMatch> Regex::firstMatch(const QString& subject, qsizetype from) const
{
    if (from < 0 || from > subject.size())
        return std::nullopt;
    const QRegularExpressionMatch m = m_regex.match(subject, from);
    if (!m.hasMatch())
        return std::nullopt;
    return toMatch(m);
}

std::vector<RegexMatch> Regex::allMatches(const QString& subject) const
{
    std::vector<RegexMatch> result;
    auto it = m_regex.globalMatch(subject);
    while (it.hasNext())
        result.push_back(toMatch(it.next()));
    return result;
}

QString Regex::replace(const QString& subject, const QString& replacement) const
{
    QString out;
    qsizetype last = 0;
    for (const RegexMatch& match : allMatches(subject)) {
        out += subject.mid(last, match.position - last);
        out += substitute(replacement, match);
        last = match.end();
    }
    return out + subject.mid(last);
}
