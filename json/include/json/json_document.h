#pragma once

// A lenient JSON reader that turns a code-page-936 reply into a flat list of
// nodes in document order, and answers dotted-path queries such as
// "data.items[0].pictures" on that list.
//
// Containers keep no child lists: a node's parent is the nearest node before
// it with a smaller level, and a container's value records its member count
// ("{ 2 }", "[ 3 ]"). The reader never reports a syntax error; bytes outside
// the outermost container are skipped and every byte inside either drives the
// state machine or is ignored, so any text yields some document.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "json/text_builder.h"
#include "platform/list.h"
#include "platform/text.h"

namespace fernwick {

// The kind codes of a node.
namespace json_kind {
inline constexpr int kOther = 0; // not yet known, or a bare value that is neither number, boolean nor null
inline constexpr int kNumber = 1;
inline constexpr int kString = 2;
inline constexpr int kBoolean = 3;
inline constexpr int kObject = 4;
inline constexpr int kArray = 5;
inline constexpr int kNull = 6; // null, or a missing value
} // namespace json_kind

class PathIndex;

struct JsonNode {
    // The member's key; "[k]" for the element at 0-based position k of an
    // array; "JSON" for the root.
    Text name;
    // Strings, numbers, booleans and nulls as they stood in the input (string
    // escapes undecoded); "{ n }" or "[ n ]" for a closed container; empty
    // while the value is incomplete.
    Text value;
    // The root 1, its members 2, and so on; 0 until set.
    int level = 0;
    int kind = json_kind::kOther;

    friend bool operator==(const JsonNode&, const JsonNode&) = default;
};

class JsonDocument {
public:
    JsonDocument();
    ~JsonDocument();
    // Nothing in the program copies a document.
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    // Empties the document.
    void clear();

    // The JSON text re-indented: a line break and one tab per level after
    // every "{", "[" and ",", before every "}" and "]", a tab after every
    // ":"; white space outside strings dropped, strings copied unchanged.
    static Text formatText(const Text& text);
    // CR LF followed by `count` tabs (CR LF alone for 0 or less).
    static Text indentText(int count);

    int nodeCount() const;
    // A copy of the node at a 1-based index; an empty node outside
    // 1..nodeCount().
    JsonNode nodeAt(int index) const;
    // Replaces `out` with copies of all nodes; returns their number.
    int copyNodes(List<JsonNode>& out) const;

    // The value at a path of "."-separated names, with "[k]" appended for the
    // element at 0-based position k of an array ("data.items[0].img_src");
    // the empty path stands for the root. Names are compared byte for byte.
    // Of several nodes at one path the first in document order is found.
    // The first query after a change of the document indexes the node list;
    // every query after that costs time in the length of its path alone.
    // A path that leads nowhere gives the empty text with kind and node index
    // 0. `kindOut` receives the node's kind and `nodeIndexOut` its 1-based
    // index. With `convert`, strings come back with their escapes decoded,
    // booleans as "1" or "0", containers as their member count, nulls empty.
    Text getValue(const Text& path, int* kindOut = nullptr, int* nodeIndexOut = nullptr,
                  bool convert = false) const;
    // The number of members or elements of the object or array at a path; 0
    // for anything else.
    int memberCount(const Text& path) const;

    // Clears the document and parses the text or bytes; true when at least
    // one member or element was read.
    bool parseText(const Text& text);
    bool parseBytes(const ByteBuffer& bytes);
    // Runs the state machine over more input, continuing from where the
    // previous input stopped, so a text can be fed in pieces.
    void feedBytes(const ByteBuffer& bytes);
    void feedText(const Text& text);

    // A string value with its escapes decoded: \r \n \t \b \f, \uXXXX as one
    // UTF-16 unit converted to code page 936, and any other escaped byte as
    // itself.
    static Text unescapeText(const Text& text);

private:
    // The codes of the parser states.
    enum class State : std::uint8_t {
        object = 1,     // inside an object, expecting a key or "}"
        array = 2,      // inside an array
        key = 3,        // inside a key
        afterKey = 4,   // after a key, expecting ":"
        valueStart = 5, // expecting a value
        string = 6,     // inside a string value
        bareValue = 7,  // inside a value without quotes
    };

    bool parse(std::string_view bytes);
    void feed(std::string_view bytes);
    // The rule of the top state for one byte.
    void onByte(char byte);
    // The length of the run at the start of `bytes` that the top state only
    // collects into the builder, byte after byte, changing nothing else: the
    // ordinary bytes of a key, a string or a bare value. 0 in other states.
    std::size_t collectedRun(std::string_view bytes) const;

    // The rules of the states, one byte at a time.
    void onRootByte(char byte);
    void onObjectByte(char byte);
    void onKeyByte(char byte);
    void onAfterKeyByte(char byte);
    void onArrayByte(char byte);
    void onValueStartByte(char byte);
    void onBareValueByte(char byte);
    void onStringByte(char byte);
    // The rule of state 5 with "[" treated as an ordinary byte.
    void onValueStartByteNoArray(char byte);

    // The index of the node on top of nodeIndexStack_.
    int 取当前节点索引() const;
    // Pushes a state and appends the node it belongs to.
    void openLevel(State state);
    void closeObject();
    void closeArray();
    // An element with a missing value, already closed again.
    void insertEmptyElement();
    void pop();
    void setTopState(State state) { stateStack_.back() = state; }
    // The last node, the member or element being read.
    JsonNode& currentNode() { return nodes_.at(nodes_.count()); }

    List<JsonNode> nodes_;
    // The node each open state belongs to, bottom first; while a document is
    // open it holds one entry more than stateStack_ (the root's index at the
    // bottom).
    std::vector<int> nodeIndexStack_;
    std::vector<State> stateStack_;
    // The node count at the last comma read in an array.
    int commaMark_ = 0;
    // Counters with 1-based entries, grown on demand: entry d of
    // memberCounters_ counts the members read so far in the open object whose
    // members sit at depth d, entry d + 1 of elementCounters_ the elements of
    // the open array whose elements sit at depth d.
    std::vector<int> elementCounters_;
    std::vector<int> memberCounters_;
    // The level that a new member or element receives.
    int depth_ = 0;
    // A backslash has just been read inside a string value.
    bool escapePending_ = false;
    // Collects the bytes of the key or value being read.
    TextBuilder builder_;
    // The path lookup table of the node list, made by the first query after
    // a change and dropped by every change. A document is used by one thread
    // at a time, so a query may fill it.
    mutable std::unique_ptr<const PathIndex> pathIndex_;
};

} // namespace fernwick
