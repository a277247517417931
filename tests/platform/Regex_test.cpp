#include "platform/Regex.h"

#include <gtest/gtest.h>

namespace {

QStringList wholeMatches(const Regex& re, const QString& subject)
{
    QStringList result;
    for (const RegexMatch& m : re.allMatches(subject))
        result << m.captured();
    return result;
}

TEST(Regex, LazyCaseBlindAndDotAll)
{
    const QString text = "a <IMG src=\"x.jpg\">\n<img\nsrc=\"y.png\" alt=\"b\"> <b>";
    EXPECT_EQ(wholeMatches(Regex("<img.*>"), text),
              (QStringList{"<IMG src=\"x.jpg\">", "<img\nsrc=\"y.png\" alt=\"b\">"}));
    const auto src = Regex("src=\".*\"").firstMatch("<img\nsrc=\"y.png\" alt=\"b\">");
    ASSERT_TRUE(src);
    EXPECT_EQ(src->captured(), "src=\"y.png\"");
    EXPECT_EQ(src->position, 5);
    EXPECT_EQ(Regex("\".*?\"").firstMatch("\"a\" \"b\"")->captured(), "\"a\" \"b\"") << "? makes it greedy";
}

TEST(Regex, GroupsAndPositions)
{
    EXPECT_EQ(Regex("(\\d+)").firstMatch("id 12")->captured(1), "1") << "lazy also for +";
    const auto m = Regex("(\\d+)-(x)?(\\d+)").firstMatch("id 12-34");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->groups, (QStringList{"12-3", "12", "", "3"}));
    const auto all = Regex("(\\w+)@(\\w+)").allMatches("a@b, cc@dd");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].captured(2), "d");
    EXPECT_EQ(all[1].position, 5);
    EXPECT_EQ(all[0].captured(7), "");
    EXPECT_FALSE(Regex("z").firstMatch("abc"));
    EXPECT_FALSE(Regex("a").firstMatch("abc", 4)) << "start past the end";
    EXPECT_EQ(Regex("b").firstMatch("abcb", 2)->position, 3);
}

TEST(Regex, ReplaceSubstitutesGroups)
{
    struct Case {
        const char* pattern;
        const char* subject;
        const char* replacement;
        const char* expected;
    } cases[] = {
        {"<b>(.*)</b>", "<B>one</B> and <b>two</b>", "[$1]", "[one] and [two]"},
        {"(a)(b)", "ab", "${2}${1}$$5", "ba$5"},
        {"x", "axbxc", "", "abc"},
        {"x*", "ab", "-", "-a-b-"},
        {"q", "aqa", "$9$", "a$a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Regex(c.pattern).replace(c.subject, c.replacement), QString(c.expected)) << c.pattern;
}

TEST(Regex, BadPatternRaises)
{
    EXPECT_THROW(Regex("(unclosed"), RegexError);
    EXPECT_THROW(Regex("a{2,1}"), RegexError);
}

} // namespace
