// Hostile input: random bytes, deep nesting, paths of nothing but dots and
// brackets, extreme positions. Nothing may crash, hang or read out of bounds
// (the sanitizer build checks the last).

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "json/json_document.h"
#include "json/text_builder.h"
#include "node_rows.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using json_testing::rows_of;

// Half of the bytes drive the state machine, the rest are anything at all.
std::string random_json_like(std::mt19937& engine, std::size_t length)
{
    static constexpr std::string_view kSyntax = "{}[]\",:\\ \r\n\tutrefalsn0123456789.-+eE";
    std::uniform_int_distribution<int> any_byte(0, 255);
    std::uniform_int_distribution<std::size_t> syntax_byte(0, kSyntax.size() - 1);
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i)
        bytes += any_byte(engine) < 128 ? kSyntax[syntax_byte(engine)] : static_cast<char>(any_byte(engine));
    return bytes;
}

// What a query reports agrees with the node it names.
void expect_consistent_query(const JsonDocument& document, const Text& path)
{
    int kind = -1;
    int index = -1;
    const Text value = document.getValue(path, &kind, &index);
    if (index == 0) {
        EXPECT_EQ(value, Text());
        EXPECT_EQ(kind, 0);
        return;
    }
    const JsonNode node = document.nodeAt(index);
    EXPECT_EQ(value, node.value);
    EXPECT_EQ(kind, node.kind);
    document.getValue(path, nullptr, nullptr, true);
    document.memberCount(path);
}

TEST(JsonHostileInput, RandomBytesGiveSomeDocumentAndAnswerEveryQuery)
{
    std::mt19937 engine(20240611);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    for (int round = 0; round < 1500; ++round) {
        const std::string input = random_json_like(engine, length(engine));
        const ByteBuffer bytes(input.begin(), input.end());
        JsonDocument document;
        const bool read_something = document.parseBytes(bytes);
        EXPECT_EQ(read_something, document.nodeCount() > 1);
        for (int index = 1; index <= document.nodeCount(); ++index) {
            const JsonNode node = document.nodeAt(index);
            EXPECT_GE(node.level, 0);
            EXPECT_GE(node.kind, 0);
            EXPECT_LE(node.kind, 6);
            JsonDocument::unescapeText(node.value);
            expect_consistent_query(document, node.name);
        }
        if (document.nodeCount() > 0) {
            EXPECT_EQ(document.nodeAt(1).name, Text("JSON"));
        }
        expect_consistent_query(document, Text(random_json_like(engine, 12)));
        JsonDocument::formatText(Text(input));

        JsonDocument pieces;
        const std::size_t cut = input.size() / 3;
        pieces.feedBytes(ByteBuffer(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        pieces.feedBytes(ByteBuffer(bytes.begin() + static_cast<std::ptrdiff_t>(cut), bytes.end()));
        EXPECT_EQ(rows_of(pieces), rows_of(document)) << testing_support::escaped(input);

        // Runs of collected bytes cut at every position.
        JsonDocument bytewise;
        for (std::uint8_t byte : bytes)
            bytewise.feedBytes(ByteBuffer{byte});
        EXPECT_EQ(rows_of(bytewise), rows_of(document)) << testing_support::escaped(input);
    }
}

constexpr int kDeep = 100000;

std::string repeated(std::string_view piece, int count)
{
    std::string text;
    text.reserve(piece.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST(JsonHostileInput, DeeplyNestedArraysNeedNoRecursion)
{
    JsonDocument document;
    EXPECT_TRUE(document.parseText(Text(repeated("[", kDeep) + repeated("]", kDeep))));
    ASSERT_EQ(document.nodeCount(), kDeep);
    EXPECT_EQ(document.nodeAt(1), (JsonNode{"JSON", "[ 1 ]", 1, json_kind::kArray}));
    EXPECT_EQ(document.nodeAt(kDeep), (JsonNode{"[0]", "[ 0 ]", kDeep, json_kind::kArray}));

    int kind = 0;
    int index = 0;
    EXPECT_EQ(document.getValue(Text(repeated("[0]", kDeep - 1)), &kind, &index), Text("[ 0 ]"));
    EXPECT_EQ(index, kDeep);
    EXPECT_EQ(document.memberCount(Text(repeated("[0]", kDeep - 2))), 1);
}

TEST(JsonHostileInput, DeeplyNestedObjectsNeedNoRecursion)
{
    JsonDocument document;
    EXPECT_TRUE(document.parseText(Text(repeated("{\"a\":", kDeep) + "1" + repeated("}", kDeep))));
    ASSERT_EQ(document.nodeCount(), kDeep + 1);
    EXPECT_EQ(document.nodeAt(1).value, Text("{ 1 }"));
    EXPECT_EQ(document.nodeAt(kDeep + 1), (JsonNode{"a", "1", kDeep + 1, json_kind::kNumber}));
    EXPECT_EQ(document.getValue(Text(repeated("a.", kDeep))), Text("1"));
}

TEST(JsonHostileInput, UnclosedNestingLeavesTheNodesReadSoFar)
{
    JsonDocument document;
    EXPECT_TRUE(document.parseText(Text(repeated("[", kDeep))));
    EXPECT_EQ(document.nodeCount(), kDeep);
    EXPECT_EQ(document.nodeAt(1), (JsonNode{"JSON", "[ 0 ]", 0, json_kind::kOther}));
    document.feedText(Text(repeated("]", kDeep)));
    EXPECT_EQ(document.nodeAt(1), (JsonNode{"JSON", "[ 1 ]", 1, json_kind::kArray}));

    EXPECT_FALSE(document.parseText(Text(repeated("{", kDeep))));
    EXPECT_EQ(document.nodeCount(), 1);
    EXPECT_TRUE(document.parseText(Text(repeated("[{\"a\":[\"x", kDeep / 10))));
}

TEST(JsonHostileInput, FormattingDeepNestingIndentsEveryLevel)
{
    const int depth = 1000;
    std::string expected;
    for (int level = 1; level <= depth; ++level)
        expected += "[\r\n" + std::string(static_cast<std::size_t>(level), '\t');
    for (int level = depth - 1; level >= 0; --level)
        expected += "\r\n" + std::string(static_cast<std::size_t>(level), '\t') + "]";
    EXPECT_EQ(JsonDocument::formatText(Text(repeated("[", depth) + repeated("]", depth))), Text(expected));
}

struct PathCase {
    std::string path;
    // Long paths are named by their beginning and their length.
    friend void PrintTo(const PathCase& c, std::ostream* os)
    {
        constexpr std::size_t kShown = 16;
        *os << testing_support::escaped(std::string_view(c.path).substr(0, kShown));
        if (c.path.size() > kShown)
            *os << "... (" << c.path.size() << " bytes)";
    }
};

class JsonHostilePath : public testing::TestWithParam<PathCase> {};

TEST_P(JsonHostilePath, FindsNothingOrAConsistentNode)
{
    const Text path(GetParam().path);
    for (const char* text : {"{\"a\":[1,{\"\":2}],\"\":{\"\":[3]}}", "[[1],[[2]]]", "{}", ""}) {
        JsonDocument document;
        document.parseText(text);
        expect_consistent_query(document, path);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonHostilePath, testing::Values(
    PathCase{"."}, PathCase{".."}, PathCase{"...."}, PathCase{"["}, PathCase{"]"}, PathCase{"[]"},
    PathCase{"[[[["}, PathCase{"]]]]"}, PathCase{".[.[.]"}, PathCase{"..["}, PathCase{"[.]"},
    PathCase{"a.[0]."}, PathCase{"\x81"}, PathCase{"\x81."}, PathCase{"\x81[\x81."},
    PathCase{std::string(1000, '.')}, PathCase{std::string(1000, '[')}, PathCase{repeated(".[", 500)}));

// Edits at random and extreme positions keep the block's invariants.
TEST(TextBuilderHostileInput, RandomEditsKeepTheTextTerminatedAndTheTailZero)
{
    std::mt19937 engine(7);
    const std::vector<int> extremes{INT_MIN, INT_MIN + 1, -5000, -1, 0, 1, 3, 5000, INT_MAX - 1, INT_MAX};
    std::uniform_int_distribution<std::size_t> pick(0, extremes.size() - 1);
    std::uniform_int_distribution<int> operation(0, 6);
    TextBuilder builder;
    for (int round = 0; round < 3000; ++round) {
        const int a = extremes[pick(engine)];
        const int b = extremes[pick(engine)];
        const std::string piece = random_json_like(engine, static_cast<std::size_t>(round % 40));
        switch (operation(engine)) {
        case 0: builder.append(piece); break;
        case 1: builder.insert(a, piece); break;
        case 2: builder.remove(a, b); break;
        case 3: builder.replaceRange(a, b, piece); break;
        case 4: EXPECT_LE(builder.getText(a, b).length(), builder.length()); break;
        case 5: EXPECT_LE(static_cast<int>(builder.getBytes(a, b).size()), builder.length()); break;
        case 6: builder.find(piece, a); break;
        }
        if (round % 500 == 499)
            builder.clear();
        ASSERT_LT(builder.length(), builder.capacity());
        const ByteBuffer block = builder.blockBytes();
        ASSERT_EQ(std::count(block.begin() + builder.length(), block.end(), 0),
                  builder.capacity() - builder.length());
        ASSERT_EQ(std::count(block.begin(), block.begin() + builder.length(), 0), 0);
    }
}

} // namespace
} // namespace fernwick
