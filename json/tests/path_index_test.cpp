// The path index against the scan it replaces: both must name the same node
// for every path, on node lists of any shape and on documents the parser
// makes of well-formed, cut and garbled texts.

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "json/json_document.h"
#include "path_index.h"
#include "path_scan.h"
#include "test_support/printing.h"

namespace fernwick {
namespace {

// What a query must find, by the scan's definition: the root for the empty
// path, nothing for a path without names.
int scanned(const List<JsonNode>& nodes, const Text& path)
{
    if (path.empty())
        return nodes.empty() ? 0 : 1;
    const TextList names = split_path(path);
    return names.empty() ? 0 : scan_for_path(nodes, names);
}

// Names that collide with one another in every way a path can: duplicates,
// the empty name, an object key spelled like an array element.
const std::vector<Text> kNames{"a", "b", "", "[0]"};

// Every list of up to `length` names from kNames.
std::vector<TextList> all_name_lists(int length)
{
    std::vector<TextList> lists{TextList{}};
    std::vector<TextList> all;
    for (int step = 0; step < length; ++step) {
        std::vector<TextList> longer;
        for (const TextList& list : lists) {
            for (const Text& name : kNames) {
                TextList next = list;
                next.append(name);
                longer.push_back(next);
            }
        }
        all.insert(all.end(), longer.begin(), longer.end());
        lists = std::move(longer);
    }
    return all;
}

std::string described(const List<JsonNode>& nodes)
{
    std::string text;
    for (const JsonNode& node : nodes)
        text += "(" + testing_support::escaped(node.name.view()) + " " + std::to_string(node.level) + ")";
    return text;
}

// Node lists no parser run need produce: levels that jump up and down by
// any amount, zero levels amid the others, names repeated at random. The
// scan's cut-backs and skipped levels meet the index in every combination.
TEST(PathIndexAgainstScan, EveryShortPathOnNodeListsOfAnyShape)
{
    const std::vector<TextList> paths = all_name_lists(4);
    std::mt19937 engine(6);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> any_level(0, 5);
    std::uniform_int_distribution<int> level_step(-3, 1);
    std::uniform_int_distribution<std::size_t> name(0, kNames.size() - 1);
    for (int round = 0; round < 600; ++round) {
        const bool walk = round % 2 == 0;
        List<JsonNode> nodes;
        int level = 1;
        nodes.append(JsonNode{"JSON", "", walk ? 1 : any_level(engine), 0});
        for (int count = length(engine); count > 0; --count) {
            level = walk ? std::max(0, std::min(level, 6) + level_step(engine)) : any_level(engine);
            nodes.append(JsonNode{kNames[name(engine)], "", level, 0});
        }
        const PathIndex index(nodes);
        for (const TextList& path : paths)
            ASSERT_EQ(index.find(path), scan_for_path(nodes, path)) << described(nodes);
    }
}

// Small JSON texts with the features that make paths ambiguous: duplicate
// and empty keys, keys holding "." or "[", arrays of arrays, missing values
// and stray commas, roots of either kind.
class DocumentWriter {
public:
    explicit DocumentWriter(std::mt19937& engine) : engine_(engine) {}

    std::string document()
    {
        text_.clear();
        if (chance(2))
            array(1);
        else
            object(1);
        return text_;
    }

private:
    bool chance(int one_in) { return std::uniform_int_distribution<int>(1, one_in)(engine_) == 1; }
    int upTo(int most) { return std::uniform_int_distribution<int>(0, most)(engine_); }

    void object(int depth)
    {
        static const std::vector<std::string> keys{"a", "b", "", "items", "a.b", "[0]", "x[1]"};
        text_ += "{";
        for (int count = upTo(4), member = 0; member < count; ++member) {
            if (member > 0)
                text_ += ",";
            text_ += "\"" + keys[static_cast<std::size_t>(upTo(static_cast<int>(keys.size()) - 1))] + "\":";
            value(depth);
        }
        text_ += "}";
    }

    void array(int depth)
    {
        text_ += "[";
        for (int count = upTo(4), element = 0; element < count; ++element) {
            if (element > 0)
                text_ += chance(8) ? ",," : ",";
            value(depth);
        }
        if (chance(8))
            text_ += ",";
        text_ += "]";
    }

    void value(int depth)
    {
        const int choice = depth >= 4 ? upTo(4) : upTo(7);
        switch (choice) {
        case 0: text_ += "1"; break;
        case 1: text_ += "\"s\""; break;
        case 2: text_ += "true"; break;
        case 3: text_ += "null"; break;
        case 4: break; // a missing value
        case 5:
        case 6: object(depth + 1); break;
        default: array(depth + 1); break;
        }
    }

    std::mt19937& engine_;
    std::string text_;
};

// The path a node is reached by, written the way callers write paths:
// names joined by ".", element names appended directly.
Text path_to(const List<JsonNode>& nodes, int index)
{
    std::vector<int> chain;
    for (int at = index; at > 1;) {
        chain.insert(chain.begin(), at);
        int parent = at - 1;
        while (parent > 1 && nodes.at(parent).level >= nodes.at(at).level)
            --parent;
        if (nodes.at(at).level <= 1)
            break;
        at = parent;
    }
    std::string path;
    for (int at : chain) {
        const std::string_view name = nodes.at(at).name.view();
        if (!path.empty() && !name.starts_with("["))
            path += ".";
        path += name;
    }
    return Text(path);
}

std::string random_path(std::mt19937& engine)
{
    static const std::vector<std::string> pieces{".", "[", "]", "a", "b", "[0]", "[1]", "items", "0", ".."};
    std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
    std::string path;
    for (int count = std::uniform_int_distribution<int>(0, 6)(engine); count > 0; --count)
        path += pieces[piece(engine)];
    return path;
}

// The path of every node, paths one step past or beside every node, and
// random paths of dots, brackets and names.
std::vector<Text> paths_for(const List<JsonNode>& nodes, std::mt19937& engine)
{
    std::vector<Text> paths{Text(), ".", "[", "a", "[0]", "zz"};
    for (int index = 1; index <= nodes.count(); ++index) {
        const Text path = path_to(nodes, index);
        paths.push_back(path);
        paths.push_back(path + ".zz");
        paths.push_back(path + "[0]");
        paths.push_back(path + ".");
        paths.push_back(path + "..a");
        paths.push_back("." + path);
    }
    for (int count = 0; count < 20; ++count)
        paths.push_back(Text(random_path(engine)));
    return paths;
}

std::string garbled(std::string text, std::mt19937& engine)
{
    static constexpr std::string_view kBytes = "{}[]\",: \\a\x81";
    std::uniform_int_distribution<std::size_t> position(0, text.size() - 1);
    std::uniform_int_distribution<std::size_t> byte(0, kBytes.size() - 1);
    for (int count = std::uniform_int_distribution<int>(1, 3)(engine); count > 0; --count)
        text[position(engine)] = kBytes[byte(engine)];
    return text;
}

std::string random_bytes(std::mt19937& engine)
{
    static constexpr std::string_view kSyntax = "{}[]\",:ab0 ";
    std::uniform_int_distribution<std::size_t> byte(0, kSyntax.size() - 1);
    std::string text;
    for (int count = std::uniform_int_distribution<int>(0, 80)(engine); count > 0; --count)
        text += kSyntax[byte(engine)];
    return text;
}

void expect_queries_agree_with_scan(const JsonDocument& document, const std::vector<Text>& paths,
                                    const std::string& input)
{
    List<JsonNode> nodes;
    document.copyNodes(nodes);
    for (const Text& path : paths) {
        int kind = -1;
        int index = -1;
        const Text value = document.getValue(path, &kind, &index);
        const int expected = scanned(nodes, path);
        ASSERT_EQ(index, expected) << testing_support::escaped(path.view()) << " in "
                                   << testing_support::escaped(input);
        const JsonNode found = expected == 0 ? JsonNode{} : nodes.at(expected);
        EXPECT_EQ(value, found.value);
        EXPECT_EQ(kind, found.kind);
    }
}

TEST(PathIndexAgainstScan, QueriesOnGeneratedDocuments)
{
    std::mt19937 engine(2026);
    DocumentWriter writer(engine);
    for (int round = 0; round < 1200; ++round) {
        std::string input = writer.document();
        switch (round % 4) {
        case 1: input.resize(std::uniform_int_distribution<std::size_t>(0, input.size())(engine)); break;
        case 2: input = garbled(input, engine); break;
        case 3: input = random_bytes(engine); break;
        default: break;
        }
        JsonDocument document;
        document.parseText(Text(input));
        List<JsonNode> nodes;
        document.copyNodes(nodes);
        expect_queries_agree_with_scan(document, paths_for(nodes, engine), input);
    }
}

// Each change of the document drops what earlier queries indexed.
TEST(PathIndexAgainstScan, QueriesFollowEveryChangeOfTheDocument)
{
    std::mt19937 engine(11);
    DocumentWriter writer(engine);
    for (int round = 0; round < 300; ++round) {
        const std::string input = writer.document();
        const std::size_t cut = std::uniform_int_distribution<std::size_t>(0, input.size())(engine);
        JsonDocument document;
        document.feedText(Text(input.substr(0, cut)));
        List<JsonNode> nodes;
        document.copyNodes(nodes);
        const std::vector<Text> early_paths = paths_for(nodes, engine);
        expect_queries_agree_with_scan(document, early_paths, input);
        document.feedText(Text(input.substr(cut)));
        document.copyNodes(nodes);
        std::vector<Text> paths = paths_for(nodes, engine);
        paths.insert(paths.end(), early_paths.begin(), early_paths.end());
        expect_queries_agree_with_scan(document, paths, input);
        document.clear();
        expect_queries_agree_with_scan(document, paths, input);
        document.parseBytes(ByteBuffer(input.begin(), input.end()));
        expect_queries_agree_with_scan(document, paths, input);
    }
}

TEST(PathIndexAgainstScan, LaterDuplicatesAndLaterDocumentsDoNotWin)
{
    JsonDocument document;
    document.parseText("{\"a\":{\"b\":1},\"a\":{\"b\":2,\"c\":3}}");
    EXPECT_EQ(document.getValue("a.b"), Text("1"));
    EXPECT_EQ(document.getValue("a.c"), Text("3"));
    document.feedText("[[5],[6]]");
    EXPECT_EQ(document.getValue("a.b"), Text());
    EXPECT_EQ(document.getValue("[1][0]"), Text("6"));
}

} // namespace
} // namespace fernwick
