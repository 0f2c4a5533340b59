#include <climits>
#include <gtest/gtest.h>

#include "json/json_document.h"
#include "node_rows.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

using namespace json_kind;

// A user-information reply and an album-list reply in one: nodes
//  1 JSON  2 data  3 face  4 name  5 items  6 [0]  7 pictures  8 [0]
//  9 img_src  10 [1]  11 img_src  12 [1]  13 pictures
constexpr const char* kReply =
    "{\"data\":{\"face\":\"u\",\"name\":\"n\",\"items\":["
    "{\"pictures\":[{\"img_src\":\"p1\"},{\"img_src\":\"p2\"}]},"
    "{\"pictures\":[]}]}}";

struct QueryCase {
    const char* document;
    const char* path;
    bool convert;
    const char* value;
    int kind;
    int node_index;
    friend void PrintTo(const QueryCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.path) << (c.convert ? " converted" : "") << " in "
            << testing_support::escaped(c.document);
    }
};

class JsonGetValue : public testing::TestWithParam<QueryCase> {};

TEST_P(JsonGetValue, FindsTheFirstNodeAtThePath)
{
    const QueryCase& c = GetParam();
    JsonDocument document;
    document.parseText(c.document);
    int kind = -1;
    int node_index = -1;
    EXPECT_EQ(document.getValue(c.path, &kind, &node_index, c.convert), Text(c.value));
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(node_index, c.node_index);
    EXPECT_EQ(document.getValue(c.path, nullptr, nullptr, c.convert), Text(c.value));
}

INSTANTIATE_TEST_SUITE_P(Reply, JsonGetValue, testing::Values(
    QueryCase{kReply, "data.face", false, "u", kString, 3},
    QueryCase{kReply, "data.name", false, "n", kString, 4},
    QueryCase{kReply, "data.items[0].pictures[1].img_src", false, "p2", kString, 11},
    QueryCase{kReply, "data.items[0].pictures[0].img_src", false, "p1", kString, 9},
    QueryCase{kReply, "data.items[1].pictures[0].img_src", false, "", kOther, 0},
    QueryCase{kReply, "data.items[1].pictures", false, "[ 0 ]", kArray, 13},
    QueryCase{kReply, "data.items", false, "[ 2 ]", kArray, 5},
    QueryCase{kReply, "data.items", true, "2", kArray, 5},
    QueryCase{kReply, "data.items[0]", false, "{ 1 }", kObject, 6},
    QueryCase{kReply, "data", true, "3", kObject, 2},
    QueryCase{kReply, "", false, "{ 1 }", kObject, 1},
    QueryCase{kReply, "", true, "1", kObject, 1},
    // The empty name between the two dots matches no node.
    QueryCase{kReply, "data.items.[0]", false, "", kOther, 0},
    QueryCase{kReply, "data..face", false, "", kOther, 0},
    QueryCase{kReply, ".data.face", false, "u", kString, 3},
    QueryCase{kReply, "data.face.", false, "u", kString, 3},
    QueryCase{kReply, "Data.face", false, "", kOther, 0},
    QueryCase{kReply, "data.items[00]", false, "", kOther, 0},
    QueryCase{kReply, "data.items[2]", false, "", kOther, 0},
    QueryCase{kReply, "data.items[0]pictures", false, "", kOther, 0},
    QueryCase{kReply, "face", false, "", kOther, 0},
    QueryCase{kReply, "data.missing", false, "", kOther, 0},
    QueryCase{kReply, ".", false, "", kOther, 0},
    QueryCase{kReply, "[", false, "", kOther, 0}));

INSTANTIATE_TEST_SUITE_P(Documents, JsonGetValue, testing::Values(
    // A shallower node cuts the matched chain back: b's c is not a's.
    QueryCase{"{\"a\":{\"x\":1},\"b\":{\"c\":2}}", "a.c", false, "", kOther, 0},
    QueryCase{"{\"a\":{\"x\":1},\"b\":{\"c\":2}}", "b.c", false, "2", kNumber, 5},
    QueryCase{"{\"a\":{\"b\":{\"c\":1}},\"c\":2}", "a.c", false, "", kOther, 0},
    QueryCase{"{\"a\":1,\"a\":2}", "a", false, "1", kNumber, 2},
    QueryCase{"[10,[20,30]]", "[0]", false, "10", kNumber, 2},
    QueryCase{"[10,[20,30]]", "[1][1]", false, "30", kNumber, 5},
    // Every "[" gets a dot of its own, so ".[" leaves an empty name.
    QueryCase{"[10,[20,30]]", ".[1].[0]", false, "", kOther, 0},
    QueryCase{"{\"t\":TRUE,\"f\":false}", "t", true, "1", kBoolean, 2},
    QueryCase{"{\"t\":TRUE,\"f\":false}", "t", false, "TRUE", kBoolean, 2},
    QueryCase{"{\"t\":TRUE,\"f\":false}", "f", true, "0", kBoolean, 3},
    QueryCase{"{\"z\":null,\"m\":}", "z", true, "", kNull, 2},
    QueryCase{"{\"z\":null,\"m\":}", "z", false, "null", kNull, 2},
    QueryCase{"{\"z\":null,\"m\":}", "m", false, "", kNull, 3},
    QueryCase{"{\"s\":\"a\\nb\\u4E2D\"}", "s", true, "a\nb中", kString, 2},
    QueryCase{"{\"s\":\"a\\nb\\u4E2D\"}", "s", false, "a\\nb\\u4E2D", kString, 2},
    QueryCase{"{\"n\":1.0,\"x\":abc}", "n", true, "1.0", kOther, 2},
    QueryCase{"{\"n\":1.0,\"x\":abc}", "x", true, "abc", kOther, 3},
    // Names are compared byte for byte: an empty name is a key "".
    QueryCase{"{\"\":1,\"a\":{\"\":2}}", "..", false, "1", kNumber, 2},
    QueryCase{"{\"\":1,\"a\":{\"\":2}}", "a..", false, "2", kNumber, 4},
    QueryCase{"{\"名字\":{\"值\":\"中\"}}", "名字.值", false, "中", kString, 3},
    // 0x81 0x5B and 0x81 0x2E are characters whose second bytes have the
    // codes of "[" and "."; the path is not cut there.
    QueryCase{"{\"a\x81[b\":1,\"a\x81.b\":2}", "a\x81[b", false, "1", kNumber, 2},
    QueryCase{"{\"a\x81[b\":1,\"a\x81.b\":2}", "a\x81.b", false, "2", kNumber, 3},
    QueryCase{"", "", false, "", kOther, 0},
    QueryCase{"", "a", false, "", kOther, 0},
    QueryCase{"{\"a\":{\"b\":1,", "a.b", false, "1", kNumber, 3},
    // An unfinished member's value stays empty; it is still found.
    QueryCase{"{\"a\":{\"b\":1,", "a", false, "", kOther, 2},
    QueryCase{"{\"a\":{\"b\":1,", "", true, "0", kOther, 1}));

struct CountCase {
    const char* document;
    const char* path;
    int count;
    friend void PrintTo(const CountCase& c, std::ostream* os)
    {
        *os << testing_support::escaped(c.path) << " in " << testing_support::escaped(c.document);
    }
};

class JsonMemberCount : public testing::TestWithParam<CountCase> {};

TEST_P(JsonMemberCount, CountsOnlyObjectsAndArrays)
{
    JsonDocument document;
    document.parseText(GetParam().document);
    EXPECT_EQ(document.memberCount(GetParam().path), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonMemberCount, testing::Values(
    CountCase{kReply, "data.items", 2},
    CountCase{kReply, "data.items[0].pictures", 2},
    CountCase{kReply, "data.items[1].pictures", 0},
    CountCase{kReply, "data.face", 0},
    CountCase{kReply, "data.nothing", 0},
    CountCase{kReply, "data", 3},
    CountCase{kReply, "", 1},
    CountCase{"[1,2,3,4,5,6,7,8,9,10,11,12]", "", 12},
    CountCase{"{\"n\":12}", "n", 0},
    CountCase{"", "", 0},
    CountCase{"", "a", 0}));

TEST(JsonNodeAccess, NodeAtCopiesOneNodeOrGivesAnEmptyOne)
{
    JsonDocument document;
    document.parseText("{\"a\":1}");
    EXPECT_EQ(document.nodeCount(), 2);
    EXPECT_EQ(document.nodeAt(2), (JsonNode{"a", "1", 2, kNumber}));
    for (int outside : {0, 3, -1, INT_MIN, INT_MAX})
        EXPECT_EQ(document.nodeAt(outside), JsonNode()) << outside;
}

TEST(JsonNodeAccess, CopyNodesReplacesTheCallersList)
{
    JsonDocument document;
    document.parseText("[1,\"x\"]");
    List<JsonNode> nodes{JsonNode{"old", "", 0, 0}};
    EXPECT_EQ(document.copyNodes(nodes), 3);
    EXPECT_EQ(nodes, (List<JsonNode>{{"JSON", "[ 2 ]", 1, kArray}, {"[0]", "1", 2, kNumber}, {"[1]", "x", 2, kString}}));
    document.clear();
    EXPECT_EQ(document.copyNodes(nodes), 0);
    EXPECT_TRUE(nodes.empty());
}

} // namespace
} // namespace fernwick
