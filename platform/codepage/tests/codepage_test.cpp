#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "test_support/utf8.h"

#include "test_support/printing.h"

namespace fernwick::platform {
namespace {

using testing_support::utf8;

// UTF-8 to code page 936 the way a reply is converted: measure, convert.
std::string utf8_to_cp936(std::string_view utf8)
{
    std::u16string units(static_cast<std::size_t>(MultiByteToWideChar(kUtf8CodePage, utf8, nullptr, 0)), u'\0');
    MultiByteToWideChar(kUtf8CodePage, utf8, units.data(), static_cast<int>(units.size()));
    std::string bytes(static_cast<std::size_t>(WideCharToMultiByte(kChineseCodePage, units, nullptr, 0)), '\0');
    WideCharToMultiByte(kChineseCodePage, units, bytes.data(), static_cast<int>(bytes.size()));
    return bytes;
}

struct ConversionCase {
    std::u8string_view utf8;
    std::string_view cp936;
    friend void PrintTo(const ConversionCase& c, std::ostream* os) { *os << testing_support::escaped(c.utf8); }
};

class Utf8ToCodePage936 : public testing::TestWithParam<ConversionCase> {};

TEST_P(Utf8ToCodePage936, ConvertsEachCharacter)
{
    EXPECT_EQ(utf8_to_cp936(utf8(GetParam().utf8)), GetParam().cp936);
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8ToCodePage936, testing::Values(
    ConversionCase{u8"中文", "\xD6\xD0\xCE\xC4"},
    ConversionCase{u8"€", "\x80"},
    ConversionCase{u8"a😀b", "a?b"},
    ConversionCase{u8"ก", "?"},
    ConversionCase{u8"", ""},
    // Invalid UTF-8 is not rejected: it becomes U+FFFD, which code page 936
    // cannot hold.
    ConversionCase{u8"a\xFF" "b", "a?b"}));

struct DecodingCase {
    std::string_view cp936;
    std::u16string_view utf16;
    friend void PrintTo(const DecodingCase& c, std::ostream* os) { *os << testing_support::escaped(c.cp936); }
};

class CodePage936ToUtf16 : public testing::TestWithParam<DecodingCase> {};

TEST_P(CodePage936ToUtf16, DecodesEachCharacter)
{
    EXPECT_EQ(text_to_utf16(Text(GetParam().cp936)), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodePage936ToUtf16, testing::Values(
    DecodingCase{"\xB0\xA1" "1", u"\u554A" "1"},
    DecodingCase{"\x80" "5", u"\u20AC" "5"},
    // An undefined pair is one character, as the text rules count it: its
    // second byte does not come back as an ASCII digit or letter.
    DecodingCase{"a\x81\x30" "b", u"a\uFFFD" "b"},
    DecodingCase{"\xA1\x7F" "7", u"\uFFFD" "7"},
    DecodingCase{"\xFF\x39", u"\uFFFD"},
    // A lead byte at the end stands alone.
    DecodingCase{"1\x81", u"1\uFFFD"}));

TEST(CodePage, MeasuresBeforeConverting)
{
    // Test macros quote their arguments as narrow literals, which cannot
    // hold characters outside code page 936: keep such literals outside them.
    const std::string emoji = utf8(u8"😀");
    EXPECT_EQ(MultiByteToWideChar(kUtf8CodePage, "\xE4\xB8\xAD", nullptr, 0), 1);
    EXPECT_EQ(MultiByteToWideChar(kUtf8CodePage, emoji, nullptr, 0), 2);
    EXPECT_EQ(WideCharToMultiByte(kChineseCodePage, u"中a", nullptr, 0), 3);
}

TEST(CodePage, FailsWhenTheResultDoesNotFit)
{
    char16_t units[1];
    EXPECT_EQ(MultiByteToWideChar(kUtf8CodePage, "ab", units, 1), 0);
    char bytes[2];
    EXPECT_EQ(WideCharToMultiByte(kChineseCodePage, u"中a", bytes, 2), 0);
}

TEST(CodePage, KnowsOnlyUtf8And936)
{
    EXPECT_EQ(MultiByteToWideChar(1252, "a", nullptr, 0), 0);
    EXPECT_EQ(WideCharToMultiByte(437, u"a", nullptr, 0), 0);
}

TEST(CodePage, LoneSurrogateBecomesOneQuestionMark)
{
    EXPECT_EQ(WideCharToMultiByte(kChineseCodePage, std::u16string_view(u"\xD800x", 2), nullptr, 0), 2);
    char bytes[2];
    WideCharToMultiByte(kChineseCodePage, std::u16string_view(u"\xD800x", 2), bytes, 2);
    EXPECT_EQ(std::string_view(bytes, 2), "?x");
}

TEST(CodePage, TextEdgesRoundTrip)
{
    Text text("下载完毕  €");
    EXPECT_EQ(text_to_utf8(text), utf8(u8"下载完毕  €"));
    EXPECT_EQ(text_from_utf16(text_to_utf16(text)), text);
    // A byte code page 936 does not define comes out as U+FFFD at the edge.
    const std::string replaced = utf8(u8"a\uFFFD");
    EXPECT_EQ(text_to_utf8(Text("a\xFF")), replaced);
}

} // namespace
} // namespace fernwick::platform
