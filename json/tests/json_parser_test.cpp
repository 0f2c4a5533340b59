#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "json/json_document.h"
#include "node_rows.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using json_testing::NodeRow;
using json_testing::rows_of;
using namespace json_kind;

struct ParseCase {
    const char* description;
    std::string input;
    bool read_something;
    std::vector<NodeRow> nodes;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.description; }
};

class JsonNodeList : public testing::TestWithParam<ParseCase> {};

TEST_P(JsonNodeList, ListsTheNodesInDocumentOrder)
{
    JsonDocument document;
    EXPECT_EQ(document.parseText(Text(GetParam().input)), GetParam().read_something);
    EXPECT_EQ(rows_of(document), GetParam().nodes) << testing_support::escaped(GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonNodeList, testing::Values(
    ParseCase{"empty object", "{}", false, {{"JSON", "{ 0 }", 1, kObject}}},
    ParseCase{"empty array", "[]", false, {{"JSON", "[ 0 ]", 1, kArray}}},
    ParseCase{"empty text", "", false, {}},
    ParseCase{"text without brackets", "no json here: \"a\":1", false, {}},
    ParseCase{"bytes around the object", "abc({\"a\":1})", true, {{"JSON", "{ 1 }", 1, kObject}, {"a", "1", 2, kNumber}}},
    ParseCase{"members and an array", "{\"a\":1,\"b\":[true,null,\"x\"]}", true,
              {{"JSON", "{ 2 }", 1, kObject},
               {"a", "1", 2, kNumber},
               {"b", "[ 3 ]", 2, kArray},
               {"[0]", "true", 3, kBoolean},
               {"[1]", "null", 3, kNull},
               {"[2]", "x", 3, kString}}},
    ParseCase{"white space between everything",
              " {\r\n\t\"a\" :\t1 ,\r\n \"b\" : [ \"x\" , { } ] \r\n}\r\n", true,
              {{"JSON", "{ 2 }", 1, kObject},
               {"a", "1", 2, kNumber},
               {"b", "[ 2 ]", 2, kArray},
               {"[0]", "x", 3, kString},
               {"[1]", "{ 0 }", 3, kObject}}},
    ParseCase{"bare values as written", "[True,1.0,-12,0.5,1e3,1e+20,-0,007,1.5e-07,1.5e-7,FALSE,NULL,nan,inf,abc]", true,
              {{"JSON", "[ 15 ]", 1, kArray},
               {"[0]", "True", 2, kBoolean},
               {"[1]", "1.0", 2, kOther},
               {"[2]", "-12", 2, kNumber},
               {"[3]", "0.5", 2, kNumber},
               {"[4]", "1e3", 2, kOther},
               {"[5]", "1e+20", 2, kNumber},
               {"[6]", "-0", 2, kNumber},
               {"[7]", "007", 2, kOther},
               {"[8]", "1.5e-07", 2, kNumber},
               {"[9]", "1.5e-7", 2, kOther},
               {"[10]", "FALSE", 2, kBoolean},
               {"[11]", "NULL", 2, kNull},
               {"[12]", "nan", 2, kNumber},
               {"[13]", "inf", 2, kNumber},
               {"[14]", "abc", 2, kOther}}},
    ParseCase{"thirteen and fourteen digits", "[1234567890123,12345678901234]", true,
              {{"JSON", "[ 2 ]", 1, kArray},
               {"[0]", "1234567890123", 2, kNumber},
               {"[1]", "12345678901234", 2, kOther}}},
    ParseCase{"white space inside a bare value", "{\"t\":t r\tu\r\ne}", true,
              {{"JSON", "{ 1 }", 1, kObject}, {"t", "true", 2, kBoolean}}},
    ParseCase{"two commas in a row", "[1,,2]", true,
              {{"JSON", "[ 3 ]", 1, kArray}, {"[0]", "1", 2, kNumber}, {"[1]", "", 2, kNull}, {"[2]", "2", 2, kNumber}}},
    ParseCase{"a comma before the closing bracket", "[1,2,]", true,
              {{"JSON", "[ 3 ]", 1, kArray}, {"[0]", "1", 2, kNumber}, {"[1]", "2", 2, kNumber}, {"[2]", "", 2, kNull}}},
    ParseCase{"a comma after the opening bracket", "[,1]", true, {{"JSON", "[ 1 ]", 1, kArray}, {"[0]", "1", 2, kNumber}}},
    ParseCase{"a missing member value", "{\"a\":1,\"b\":}", true,
              {{"JSON", "{ 2 }", 1, kObject}, {"a", "1", 2, kNumber}, {"b", "", 2, kNull}}},
    ParseCase{"a comma before the closing brace", "{\"a\":1,}", true, {{"JSON", "{ 1 }", 1, kObject}, {"a", "1", 2, kNumber}}},
    ParseCase{"escapes kept as written", "{\"s\":\"\\u4E2D\\\"\\\\\"}", true,
              {{"JSON", "{ 1 }", 1, kObject}, {"s", "\\u4E2D\\\"\\\\", 2, kString}}},
    ParseCase{"line breaks dropped from strings and keys", "{\"k\r\ney\":\"a\r\nb\"}", true,
              {{"JSON", "{ 1 }", 1, kObject}, {"key", "ab", 2, kString}}},
    ParseCase{"a key ends at the first double quote", "{\"a\\\"b\":1}", true,
              {{"JSON", "{ 1 }", 1, kObject}, {"a\\", "1", 2, kNumber}}},
    // 0x81 0x5C is one character whose second byte has the code of the
    // backslash: the quote after it does not end the string.
    ParseCase{"a double-byte character ending in a backslash code", "{\"s\":\"\x81\x5C\"\",\"t\":1}", true,
              {{"JSON", "{ 2 }", 1, kObject}, {"s", "\x81\x5C\"", 2, kString}, {"t", "1", 2, kNumber}}},
    ParseCase{"double-byte text", "{\"名字\":\"中文\"}", true, {{"JSON", "{ 1 }", 1, kObject}, {"名字", "中文", 2, kString}}},
    ParseCase{"arrays in an array", "[[1,2],[3]]", true,
              {{"JSON", "[ 2 ]", 1, kArray},
               {"[0]", "[ 2 ]", 2, kArray},
               {"[0]", "1", 3, kNumber},
               {"[1]", "2", 3, kNumber},
               {"[1]", "[ 1 ]", 2, kArray},
               {"[0]", "3", 3, kNumber}}},
    ParseCase{"objects in an array", "[{\"a\":1},{\"b\":{}},[]]", true,
              {{"JSON", "[ 3 ]", 1, kArray},
               {"[0]", "{ 1 }", 2, kObject},
               {"a", "1", 3, kNumber},
               {"[1]", "{ 1 }", 2, kObject},
               {"b", "{ 0 }", 3, kObject},
               {"[2]", "[ 0 ]", 2, kArray}}},
    ParseCase{"sibling objects count on their own", "{\"x\":{\"a\":1,\"b\":2},\"y\":{\"c\":[3,4,5]}}", true,
              {{"JSON", "{ 2 }", 1, kObject},
               {"x", "{ 2 }", 2, kObject},
               {"a", "1", 3, kNumber},
               {"b", "2", 3, kNumber},
               {"y", "{ 1 }", 2, kObject},
               {"c", "[ 3 ]", 3, kArray},
               {"[0]", "3", 4, kNumber},
               {"[1]", "4", 4, kNumber},
               {"[2]", "5", 4, kNumber}}},
    ParseCase{"duplicate keys", "{\"a\":1,\"a\":2}", true,
              {{"JSON", "{ 2 }", 1, kObject}, {"a", "1", 2, kNumber}, {"a", "2", 2, kNumber}}},
    ParseCase{"only the last top-level container", "{\"a\":1} [2]", true, {{"JSON", "[ 1 ]", 1, kArray}, {"[0]", "2", 2, kNumber}}},
    ParseCase{"a text that stops inside the root object", "{\"a\":1,\"b\":\"x", true,
              {{"JSON", "{ 0 }", 0, kOther}, {"a", "1", 2, kNumber}, {"b", "", 2, kOther}}},
    ParseCase{"a text that stops inside an object in the root array", "[1,{\"a\"", true,
              {{"JSON", "[ 0 ]", 0, kOther}, {"[0]", "1", 2, kNumber}, {"[1]", "{ 0 }", 3, kObject}, {"a", "", 3, kOther}}},
    ParseCase{"an array closed by a brace", "[1}", true, {{"JSON", "{ 0 }", 1, kObject}, {"[0]", "1", 2, kNumber}}},
    ParseCase{"an object closed by a bracket", "{\"a\":1]", true,
              {{"JSON", "[ 0 ]", 1, kArray}, {"a", "1", 2, kNumber}}}));

TEST(JsonParse, ASecondParseDiscardsTheFirstDocument)
{
    JsonDocument document;
    ASSERT_TRUE(document.parseText("{\"a\":[1,2,3],\"b\":{\"c\":1}}"));
    EXPECT_FALSE(document.parseText("[]"));
    EXPECT_EQ(rows_of(document), (std::vector<NodeRow>{{"JSON", "[ 0 ]", 1, kArray}}));
    EXPECT_TRUE(document.parseText("[7]"));
    EXPECT_EQ(rows_of(document), (std::vector<NodeRow>{{"JSON", "[ 1 ]", 1, kArray}, {"[0]", "7", 2, kNumber}}));
}

TEST(JsonParse, ClearEmptiesTheDocument)
{
    JsonDocument document;
    document.feedText("{\"a\":[1,{\"b\":\"x");
    document.clear();
    EXPECT_EQ(document.nodeCount(), 0);
    document.feedText("1]}");
    EXPECT_EQ(document.nodeCount(), 0);
}

TEST(JsonParse, ZeroBytesAreDropped)
{
    JsonDocument document;
    const std::string input("{\"k\0ey\":\"x\0y\",\"n\":1\0" "2}", 22);
    ASSERT_TRUE(document.parseBytes(ByteBuffer(input.begin(), input.end())));
    EXPECT_EQ(rows_of(document),
              (std::vector<NodeRow>{{"JSON", "{ 2 }", 1, kObject}, {"key", "xy", 2, kString}, {"n", "12", 2, kNumber}}));
}

// Feeding a text in two pieces, cut anywhere, gives the nodes of the whole.
TEST(JsonParse, FeedingInPiecesContinuesWhereThePreviousPieceStopped)
{
    const std::string input = "{\"a\":1,\"b\":[true,null,\"x\\\"y\",[],{\"c\":-2.5}],\"d\":{},\"e\":[1,,2,]}";
    JsonDocument whole;
    ASSERT_TRUE(whole.parseText(Text(input)));
    for (std::size_t cut = 0; cut <= input.size(); ++cut) {
        JsonDocument pieces;
        pieces.feedText(Text(input.substr(0, cut)));
        pieces.feedBytes(ByteBuffer(input.begin() + static_cast<std::ptrdiff_t>(cut), input.end()));
        EXPECT_EQ(rows_of(pieces), rows_of(whole)) << "cut at " << cut;
    }
}

} // namespace
} // namespace fernwick
