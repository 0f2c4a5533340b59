#include "platform/regexp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

struct Flags {
    bool ignore_case = false;
    bool multiline = false;
    bool global = true;
};

RegExp make_regexp(std::u16string_view pattern, Flags flags)
{
    RegExp regexp;
    regexp.set_bool_property(u"IgnoreCase", flags.ignore_case);
    regexp.set_bool_property(u"Multiline", flags.multiline);
    regexp.set_bool_property(u"Global", flags.global);
    regexp.set_text_property(u"Pattern", pattern);
    return regexp;
}

std::vector<std::u16string> values_of(const RegExpMatchCollection& matches)
{
    std::vector<std::u16string> values;
    for (int i = 0; i < matches.count(); ++i)
        values.push_back(matches.item(i)->value);
    return values;
}

struct SearchCase {
    std::string_view name;
    std::u16string_view pattern;
    Flags flags;
    std::u16string_view subject;
    std::vector<std::u16string> matches;
    friend void PrintTo(const SearchCase& c, std::ostream* os) { *os << testing_support::escaped(c.name); }
};

class RegExpSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(RegExpSearch, FindsTheMatchesInOrder)
{
    const SearchCase& c = GetParam();
    auto matches = make_regexp(c.pattern, c.flags).execute(c.subject);
    ASSERT_TRUE(matches.has_value());
    EXPECT_EQ(values_of(*matches), c.matches);
}

constexpr Flags kGlobal{};
constexpr Flags kFirstOnly{.global = false};
constexpr Flags kIgnoreCase{.ignore_case = true};
constexpr Flags kMultiline{.multiline = true};

INSTANTIATE_TEST_SUITE_P(Cases, RegExpSearch, testing::Values(
    SearchCase{"digits in order", u"[0-9]", kGlobal, u"uid 12a3", {u"1", u"2", u"3"}},
    SearchCase{"first match only", u"[0-9]", kFirstOnly, u"uid 12a3", {u"1"}},
    SearchCase{"no match", u"[0-9]", kGlobal, u"none", {}},
    SearchCase{"empty subject", u"[0-9]", kGlobal, u"", {}},
    SearchCase{"full-width digits are not digits", u"[0-9]|\\d", kGlobal, u"\uFF11\uFF12\uFF13", {}},
    SearchCase{"case matters by default", u"abc", kGlobal, u"xABCx", {}},
    SearchCase{"ignoring case", u"abc", kIgnoreCase, u"xABCx", {u"ABC"}},
    SearchCase{"ignoring case beyond ASCII", u"\uFF41", kIgnoreCase, u"\uFF21", {u"\uFF21"}},
    SearchCase{"lines of CR LF, LF and CR", u"^[0-9]+$", kMultiline, u"12\r\n34\n56\r78", {u"12", u"34", u"56", u"78"}},
    SearchCase{"anchors at the ends only", u"^[0-9]+$", kGlobal, u"12\n34", {}},
    SearchCase{"end means the very end", u"[0-9]$", kGlobal, u"1\n", {}},
    SearchCase{"dot stops at a line break", u"a.b", kGlobal, u"a\nb a-b", {u"a-b"}},
    SearchCase{"empty matches advance one character", u"a*", kGlobal, u"baa", {u"", u"aa", u""}},
    SearchCase{"a surrogate pair is one character", u".", kGlobal, u"a\U0001F600b", {u"a", u"\U0001F600", u"b"}},
    SearchCase{"empty matches step over a pair", u"", kGlobal, u"\U0001F600", {u"", u""}},
    SearchCase{"an unpaired surrogate is one character", u".", kGlobal, u"\xDC00" u"a\xD800",
               {u"\xDC00", u"a", u"\xD800"}},
    SearchCase{"JScript escapes", u"\\u0041\\x42\\U", kGlobal, u"ABU", {u"ABU"}},
    SearchCase{"empty class matches nothing", u"a[]", kGlobal, u"a", {}},
    SearchCase{"negated empty class matches anything", u"a[^]b", kGlobal, u"a\nb", {u"a\nb"}},
    SearchCase{"unset group matches empty", u"(a)?\\1b", kGlobal, u"b", {u"b"}}));

TEST(RegExpProperties, ExistOnlyWithTheirNamesAndTypes)
{
    RegExp regexp;
    EXPECT_TRUE(regexp.set_bool_property(u"IgnoreCase", true));
    EXPECT_TRUE(regexp.set_bool_property(u"multiline", true));
    EXPECT_TRUE(regexp.set_bool_property(u"GLOBAL", true));
    EXPECT_TRUE(regexp.set_text_property(u"pattern", u"x"));
    EXPECT_FALSE(regexp.set_bool_property(u"Singleline", true));
    EXPECT_FALSE(regexp.set_bool_property(u"Pattern", true));
    EXPECT_FALSE(regexp.set_text_property(u"Global", u"x"));
    EXPECT_FALSE(regexp.set_bool_property(u"", true));
}

TEST(RegExpProperties, RefusedWriteChangesNothing)
{
    RegExp regexp = make_regexp(u"a.b", kGlobal);
    regexp.set_bool_property(u"Singleline", true);
    auto matches = regexp.execute(u"a\nb");
    ASSERT_TRUE(matches.has_value());
    EXPECT_EQ(matches->count(), 0);
}

TEST(RegExpProperties, StartUnsetAsTheClassDoes)
{
    RegExp regexp;
    regexp.set_text_property(u"Pattern", u"^a");
    auto matches = regexp.execute(u"A\na");
    ASSERT_TRUE(matches.has_value());
    EXPECT_EQ(matches->count(), 0);
}

TEST(RegExpMatchCollection, ItemOutsideTheCollectionIsNull)
{
    auto matches = make_regexp(u"[0-9]", kGlobal).execute(u"1 2");
    ASSERT_TRUE(matches.has_value());
    EXPECT_EQ(matches->count(), 2);
    EXPECT_EQ(matches->item(-1), nullptr);
    EXPECT_EQ(matches->item(2), nullptr);
}

struct FailureCase {
    std::string_view name;
    std::u16string pattern;
    std::u16string subject;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << testing_support::escaped(c.name); }
};

class RegExpFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(RegExpFailure, GivesNoCollection)
{
    EXPECT_FALSE(make_regexp(GetParam().pattern, kGlobal).execute(GetParam().subject).has_value());
}

// Runs of `run` letters a, each closed by c, up to `units` code units.
std::u16string runs_of_a(std::size_t run, std::size_t units)
{
    std::u16string subject;
    while (subject.size() < units)
        subject += std::u16string(run, u'a') + u'c';
    return subject;
}

INSTANTIATE_TEST_SUITE_P(InvalidPatterns, RegExpFailure, testing::Values(
    FailureCase{"open group", u"(", u"("},
    FailureCase{"open class", u"[0-9", u"1"},
    FailureCase{"quantifier without item", u"*", u"*"},
    FailureCase{"reversed range", u"a{2,1}", u"aa"},
    FailureCase{"single code unit escape", u"\\C", u"C"},
    FailureCase{"unpaired surrogate in the pattern", std::u16string(1, u'\xDC00'), u"a"}));

// Each of these would run for hours without the work limits; they end with a
// failure instead.
INSTANTIATE_TEST_SUITE_P(RunawayPatterns, RegExpFailure, testing::Values(
    FailureCase{"nested repeats backtracking", u"(a+)+$", std::u16string(100'000, u'a') + u'b'},
    FailureCase{"backtracking at every start position", u"(a+)+[bd]", runs_of_a(16, 1 << 20)},
    FailureCase{"rescanning at every start position", u"a*[bd]", std::u16string(1 << 20, u'a')}));

TEST(RegExpLongSubject, FindsEveryMatchOfAMebibyte)
{
    std::u16string subject;
    while (subject.size() < (1u << 20))
        subject += u"\u4E2Dx7";
    auto matches = make_regexp(u"[0-9]", kGlobal).execute(subject);
    ASSERT_TRUE(matches.has_value());
    EXPECT_EQ(matches->count(), static_cast<int>(subject.size() / 3));
    EXPECT_EQ(matches->item(matches->count() - 1)->value, u"7");
}

} // namespace
} // namespace fernwick::platform
