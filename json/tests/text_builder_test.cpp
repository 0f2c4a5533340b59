#include "json/text_builder.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "test_support/printing.h"

namespace fernwick {
namespace {

bool all_zero(const ByteBuffer& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte == 0; });
}

// Everything after the text is zero, up to the end of the block.
bool tail_is_zero(const TextBuilder& builder)
{
    const ByteBuffer block = builder.blockBytes();
    return block.size() == static_cast<std::size_t>(builder.capacity())
        && all_zero(ByteBuffer(block.begin() + builder.length(), block.end()));
}

TEST(TextBuilderBlock, StartsEmptyInOneZeroBlockOfTheDefaultSize)
{
    const TextBuilder builder;
    EXPECT_EQ(builder.length(), 0);
    EXPECT_EQ(builder.capacity(), 2048);
    EXPECT_EQ(builder.getText(), Text(""));
    EXPECT_TRUE(all_zero(builder.blockBytes()));
}

TEST(TextBuilderBlock, AppendingTheEmptyTextChangesNothing)
{
    TextBuilder builder;
    ASSERT_TRUE(builder.append("ab"));
    EXPECT_FALSE(builder.append(""));
    EXPECT_FALSE(builder.append(std::string_view("\0z", 2)));
    EXPECT_EQ(builder.text(), Text("ab"));
}

TEST(TextBuilderBlock, ATextEndsAtItsFirstZeroByte)
{
    TextBuilder builder;
    EXPECT_TRUE(builder.append(std::string_view("ab\0cd", 5)));
    EXPECT_EQ(builder.length(), 2);
    EXPECT_TRUE(tail_is_zero(builder));
}

TEST(TextBuilderBlock, GrowsByTheBlockSizeOnlyWhenTheTerminatorNoLongerFits)
{
    TextBuilder builder;
    for (int i = 0; i < 2047; ++i)
        ASSERT_TRUE(builder.append("x"));
    EXPECT_EQ(builder.capacity(), 2048);
    ASSERT_TRUE(builder.append("y"));
    EXPECT_EQ(builder.length(), 2048);
    EXPECT_EQ(builder.capacity(), 4096);
    EXPECT_EQ(builder.data()[2048], '\0');
    EXPECT_TRUE(tail_is_zero(builder));
    EXPECT_TRUE(builder.append(std::string(3000, 'z')));
    EXPECT_EQ(builder.capacity(), 2048 + 3000 + 2048);
}

TEST(TextBuilderBlock, ClearKeepsExactlyOneZeroBlock)
{
    TextBuilder builder;
    builder.append(std::string(5000, 'a'));
    ASSERT_GT(builder.capacity(), 2048);
    EXPECT_TRUE(builder.clear());
    EXPECT_EQ(builder.length(), 0);
    EXPECT_EQ(builder.capacity(), 2048);
    EXPECT_TRUE(all_zero(builder.blockBytes()));
    builder.append("abc");
    builder.clear();
    EXPECT_TRUE(all_zero(builder.blockBytes()));
}

TEST(TextBuilderBlock, SetBlockSizeIgnoresSmallSizesAndReservesRoom)
{
    TextBuilder builder;
    EXPECT_EQ(builder.setBlockSize(1000), 2048);
    EXPECT_EQ(builder.capacity(), 2048);
    EXPECT_EQ(builder.setBlockSize(4096), 4096);
    EXPECT_GE(builder.capacity(), 4096);

    builder.append(std::string(3000, 'a'));
    // A block smaller than the new size grows to that size...
    EXPECT_EQ(builder.setBlockSize(5000), 5000);
    EXPECT_EQ(builder.capacity(), 5000);
    builder.append(std::string(2000, 'b'));
    EXPECT_EQ(builder.capacity(), 5000 + 5000);
    // ...and one with less spare room than that to the text length plus it.
    EXPECT_EQ(builder.setBlockSize(6000), 6000);
    EXPECT_EQ(builder.capacity(), 5000 + 6000);
    EXPECT_EQ(builder.text(), Text(std::string(3000, 'a') + std::string(2000, 'b')));
    EXPECT_TRUE(tail_is_zero(builder));
    builder.clear();
    EXPECT_EQ(builder.capacity(), 6000);
}

TEST(TextBuilderBlock, CompactLeavesBetweenOneAndOneBlockPlus1024SpareBytes)
{
    TextBuilder builder;
    builder.append(std::string(100, 'a'));
    EXPECT_TRUE(builder.compact());
    EXPECT_EQ(builder.capacity(), 100 + 2048);
    builder.remove(0, 0);
    EXPECT_TRUE(builder.compact());
    EXPECT_EQ(builder.capacity(), 100 + 2048);
    builder.setText(std::string(5000, 'b'));
    builder.remove(0, 0);
    ASSERT_EQ(builder.capacity(), 5000 + 2048);
    EXPECT_TRUE(builder.compact());
    EXPECT_EQ(builder.capacity(), 2048);
    EXPECT_TRUE(all_zero(builder.blockBytes()));
}

TEST(TextBuilderBlock, AppendingItsOwnTextSurvivesTheBlockMoving)
{
    TextBuilder builder;
    builder.append(std::string(1500, 'q'));
    EXPECT_TRUE(builder.append(builder.data()));
    EXPECT_EQ(builder.text(), Text(std::string(3000, 'q')));
}

TEST(TextBuilderBlock, SetTextZeroesWhatLayBeyondTheNewText)
{
    TextBuilder builder;
    builder.setText("abcdef");
    builder.setText("xy");
    EXPECT_EQ(builder.text(), Text("xy"));
    EXPECT_TRUE(tail_is_zero(builder));
    builder.setText(std::string(3000, 'l'));
    EXPECT_EQ(builder.length(), 3000);
    EXPECT_TRUE(tail_is_zero(builder));
}

TEST(TextBuilderBlock, BytesAreCopiesOfTheTextOrTheBlock)
{
    TextBuilder builder;
    builder.setText("abc");
    EXPECT_EQ(builder.toBytes(), (ByteBuffer{'a', 'b', 'c'}));
    EXPECT_EQ(builder.getBytes(1, 1), (ByteBuffer{'b'}));
    EXPECT_EQ(builder.getBytes(0, -1), ByteBuffer());
    EXPECT_EQ(builder.blockBytes().size(), 2048u);
}

struct GetTextCase {
    int start;
    int length;
    const char* expected;
    friend void PrintTo(const GetTextCase& c, std::ostream* os)
    {
        *os << "start " << c.start << " length " << c.length;
    }
};

class TextBuilderGetText : public testing::TestWithParam<GetTextCase> {};

TEST_P(TextBuilderGetText, TakesTheBytesInsideTheText)
{
    TextBuilder builder;
    builder.setText("abcdef");
    EXPECT_EQ(builder.getText(GetParam().start, GetParam().length), Text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBuilderGetText, testing::Values(
    GetTextCase{0, 0, "abcdef"},
    GetTextCase{2, 0, "cdef"},
    GetTextCase{2, 10, "cdef"},
    GetTextCase{2, 3, "cde"},
    GetTextCase{6, 1, ""},
    GetTextCase{5, 1, "f"},
    GetTextCase{-2, 0, "ef"},
    GetTextCase{-6, 2, "ab"},
    GetTextCase{0, -1, ""},
    // Counting back past the beginning stops there.
    GetTextCase{-7, 0, "abcdef"},
    GetTextCase{-100, 3, "abc"},
    GetTextCase{INT_MIN, 0, "abcdef"},
    GetTextCase{INT_MIN, INT_MAX, "abcdef"},
    GetTextCase{INT_MIN, INT_MIN, ""},
    GetTextCase{INT_MAX, INT_MAX, ""},
    GetTextCase{5, INT_MAX, "f"},
    GetTextCase{-1, INT_MAX, "f"}));

// Every edit starts from the text "abcdef".
struct EditCase {
    const char* description;
    std::function<bool(TextBuilder&)> edit;
    bool succeeds;
    const char* expected;
    friend void PrintTo(const EditCase& c, std::ostream* os) { *os << c.description; }
};

class TextBuilderEdit : public testing::TestWithParam<EditCase> {};

TEST_P(TextBuilderEdit, ChangesTheTextAndKeepsTheTailZero)
{
    TextBuilder builder;
    builder.setText("abcdef");
    EXPECT_EQ(GetParam().edit(builder), GetParam().succeeds);
    EXPECT_EQ(builder.text(), Text(GetParam().expected));
    EXPECT_TRUE(tail_is_zero(builder));
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBuilderEdit, testing::Values(
    EditCase{"insert at 0", [](TextBuilder& b) { return b.insert(0, "XY"); }, true, "XYabcdef"},
    EditCase{"insert at 3", [](TextBuilder& b) { return b.insert(3, "XY"); }, true, "abcXYdef"},
    EditCase{"insert at the end", [](TextBuilder& b) { return b.insert(6, "XY"); }, true, "abcdefXY"},
    EditCase{"insert at -1", [](TextBuilder& b) { return b.insert(-1, "XY"); }, true, "abcdeXYf"},
    EditCase{"insert beyond the end", [](TextBuilder& b) { return b.insert(7, "XY"); }, false, "abcdef"},
    EditCase{"insert before the beginning", [](TextBuilder& b) { return b.insert(-7, "XY"); }, false, "abcdef"},
    EditCase{"insert at INT_MIN", [](TextBuilder& b) { return b.insert(INT_MIN, "XY"); }, false, "abcdef"},
    EditCase{"insert nothing", [](TextBuilder& b) { return b.insert(2, ""); }, false, "abcdef"},
    EditCase{"remove 2 at 1", [](TextBuilder& b) { return b.remove(1, 2); }, true, "adef"},
    EditCase{"remove to the end", [](TextBuilder& b) { return b.remove(2, 0); }, true, "ab"},
    EditCase{"remove past the end", [](TextBuilder& b) { return b.remove(4, 100); }, true, "abcd"},
    EditCase{"remove INT_MAX", [](TextBuilder& b) { return b.remove(4, INT_MAX); }, true, "abcd"},
    EditCase{"remove at -2", [](TextBuilder& b) { return b.remove(-2, 1); }, true, "abcdf"},
    EditCase{"remove at the end", [](TextBuilder& b) { return b.remove(6, 1); }, false, "abcdef"},
    EditCase{"remove a negative count", [](TextBuilder& b) { return b.remove(1, -1); }, false, "abcdef"},
    EditCase{"remove at INT_MIN", [](TextBuilder& b) { return b.remove(INT_MIN, 1); }, false, "abcdef"},
    EditCase{"replace 2 at 1", [](TextBuilder& b) { return b.replaceRange(1, 2, "XYZ"); }, true, "aXYZdef"},
    EditCase{"replace to the end", [](TextBuilder& b) { return b.replaceRange(3, 0, "X"); }, true, "abcX"},
    EditCase{"replace past the end", [](TextBuilder& b) { return b.replaceRange(3, INT_MAX, "X"); }, true, "abcX"},
    EditCase{"replace with nothing", [](TextBuilder& b) { return b.replaceRange(1, 4, ""); }, true, "af"},
    EditCase{"replace at the end", [](TextBuilder& b) { return b.replaceRange(6, 1, "X"); }, true, "abcdefX"},
    EditCase{"replace beyond the end", [](TextBuilder& b) { return b.replaceRange(7, 1, "X"); }, false, "abcdef"},
    EditCase{"replace at -1", [](TextBuilder& b) { return b.replaceRange(-1, 1, "X"); }, false, "abcdef"},
    EditCase{"append a line", [](TextBuilder& b) { return b.appendLine("g"); }, true, "abcdefg\r\n"},
    EditCase{"format values", [](TextBuilder& b) { return b.appendFormat("%d|%s|%.2f|%x", -5, "t", 0.5, 255u); },
             true, "abcdef-5|t|0.50|ff"},
    EditCase{"format fifteen values",
             [](TextBuilder& b) {
                 return b.appendFormat("%d%d%d%d%d%d%d%d%d%d%d%d%d%d%d", 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5);
             },
             true, "abcdef123456789012345"},
    EditCase{"format to nothing", [](TextBuilder& b) { return b.appendFormat("%s", ""); }, false, "abcdef"}));

struct SearchCase {
    const char* text;
    const char* needle;
    int start;
    bool ignore_case;
    int first;
    int last;
    friend void PrintTo(const SearchCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.text) << " find " << testing_support::escaped(c.needle) << " from "
            << c.start << (c.ignore_case ? " ignoring case" : "");
    }
};

class TextBuilderSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(TextBuilderSearch, GivesZeroBasedOffsets)
{
    const SearchCase& c = GetParam();
    TextBuilder builder;
    builder.setText(c.text);
    EXPECT_EQ(builder.find(c.needle, c.start, c.ignore_case), c.first);
    EXPECT_EQ(builder.findLast(c.needle, c.ignore_case), c.last);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBuilderSearch, testing::Values(
    SearchCase{"abcabc", "bc", 0, false, 1, 4},
    SearchCase{"abcabc", "bc", 2, false, 4, 4},
    SearchCase{"abcabc", "bc", -5, false, 1, 4},
    SearchCase{"abcabc", "bc", 5, false, -1, 4},
    SearchCase{"abcabc", "bc", INT_MAX, false, -1, 4},
    SearchCase{"abcabc", "BC", 0, false, -1, -1},
    SearchCase{"abcabc", "BC", 0, true, 1, 4},
    SearchCase{"abc", "x", 0, false, -1, -1},
    // "\x81[" is one double-byte character: no match starts on its second byte.
    SearchCase{"\x81[[", "[", 0, false, 2, 2},
    SearchCase{"\x81[", "[", 1, false, -1, -1}));

struct RewriteCase {
    const char* description;
    std::function<void(TextBuilder&)> rewrite;
    const char* text;
    const char* expected;
    friend void PrintTo(const RewriteCase& c, std::ostream* os)
    {
        *os << c.description << " of " << testing_support::escaped(c.text);
    }
};

// The rewrites that return their result return the builder's new text.
void returns_its_text(const TextBuilder& builder, const Text& result)
{
    EXPECT_EQ(result, builder.text());
}

class TextBuilderRewrite : public testing::TestWithParam<RewriteCase> {};

TEST_P(TextBuilderRewrite, RewritesInPlace)
{
    TextBuilder builder;
    builder.setText(GetParam().text);
    GetParam().rewrite(builder);
    EXPECT_EQ(builder.text(), Text(GetParam().expected));
    EXPECT_TRUE(tail_is_zero(builder));
}

const auto to_half_width = [](TextBuilder& b) { returns_its_text(b, b.toHalfWidth()); };
const auto to_full_width = [](TextBuilder& b) { returns_its_text(b, b.toFullWidth()); };
const auto remove_spaces = [](TextBuilder& b) { returns_its_text(b, b.removeSpaces()); };
const auto trim = [](TextBuilder& b) { returns_its_text(b, b.trim()); };
const auto trim_left = [](TextBuilder& b) { returns_its_text(b, b.trimLeft()); };
const auto trim_right = [](TextBuilder& b) { returns_its_text(b, b.trimRight()); };
const auto to_upper = [](TextBuilder& b) { b.toUpper(); };
const auto to_lower = [](TextBuilder& b) { b.toLower(); };

INSTANTIATE_TEST_SUITE_P(Cases, TextBuilderRewrite, testing::Values(
    RewriteCase{"half width", to_half_width, "Ａｚ０９　中！", "Az09 中！"},
    RewriteCase{"half width", to_half_width, "\xA3", "\xA3"},
    RewriteCase{"full width", to_full_width, "Az09 中!", "Ａｚ０９　中!"},
    // The second byte of "\x81\x41" has the code of "A" but is no letter.
    RewriteCase{"full width", to_full_width, "\x81\x41", "\x81\x41"},
    RewriteCase{"full width", to_full_width, "a\x81", "ａ\x81"},
    RewriteCase{"removing spaces", remove_spaces, " a　b c ", "abc"},
    RewriteCase{"trimming", trim, "　 a b 　", "a b"},
    RewriteCase{"trimming the left", trim_left, "　 a ", "a "},
    RewriteCase{"trimming the right", trim_right, " a 　", " a"},
    RewriteCase{"upper case", to_upper, "aBc中z", "ABC中Z"},
    RewriteCase{"lower case", to_lower, "AbC中Z", "abc中z"}));

TEST(TextBuilderSplit, UsesTheTextRules)
{
    TextBuilder builder;
    builder.setText("a,b,,c,");
    TextList pieces{"old"};
    EXPECT_EQ(builder.split(pieces), 4);
    EXPECT_EQ(pieces, (TextList{"a", "b", "", "c"}));
    EXPECT_EQ(builder.split(pieces, "|"), 1);
    EXPECT_EQ(pieces, (TextList{"a,b,,c,"}));
    builder.setText("x\x81|y|z");
    EXPECT_EQ(builder.split(pieces, "|"), 2);
    EXPECT_EQ(pieces, (TextList{"x\x81|y", "z"}));
}

TEST(TextBuilderSplit, ThePlaceholderChangesNothing)
{
    TextBuilder builder;
    builder.setText("a,b");
    TextList pieces{"kept"};
    EXPECT_EQ(builder.splitPlaceholder(pieces), 0);
    EXPECT_EQ(pieces, (TextList{"kept"}));
    EXPECT_EQ(builder.text(), Text("a,b"));
}

class TextBuilderFiles : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::path(testing::TempDir())
            / ("text_builder_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // The code-page-936 path of a file in the folder.
    Text path_of(const Text& name) const { return Text(folder_.string()) + "/" + name; }

    std::filesystem::path folder_;
};

TEST_F(TextBuilderFiles, SavesAndLoadsUnderAUtf8FileName)
{
    TextBuilder builder;
    builder.setText("内容\r\n");
    EXPECT_TRUE(builder.saveFile(path_of("图片.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder_ / std::filesystem::path(u8"图片.txt")));

    TextBuilder loaded;
    loaded.setText("old text that is longer");
    EXPECT_TRUE(loaded.loadFile(path_of("图片.txt")));
    EXPECT_EQ(loaded.text(), Text("内容\r\n"));
    EXPECT_TRUE(tail_is_zero(loaded));
}

TEST_F(TextBuilderFiles, LoadingStopsAtAZeroByte)
{
    std::ofstream(folder_ / "zero.bin", std::ios::binary).write("ab\0cd", 5);
    TextBuilder builder;
    EXPECT_TRUE(builder.loadFile(path_of("zero.bin")));
    EXPECT_EQ(builder.text(), Text("ab"));
}

TEST_F(TextBuilderFiles, ReportsWhatCannotBeOpenedOrWritten)
{
    TextBuilder builder;
    builder.setText("kept");
    EXPECT_FALSE(builder.loadFile(path_of("missing.txt")));
    EXPECT_FALSE(builder.loadFile(Text(folder_.string())));
    EXPECT_EQ(builder.text(), Text("kept"));
    EXPECT_FALSE(builder.saveFile(path_of("no/such/folder.txt")));

    TextBuilder empty;
    EXPECT_FALSE(empty.saveFile(path_of("empty.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "empty.txt"));
}

} // namespace
} // namespace fernwick
