// The byte-driven state machine that fills the node list.

#include "json/json_document.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "bare_value_kind.h"
#include "path_index.h"
#include "platform/codepage.h"
#include "platform/text_rules.h"

namespace fernwick {

namespace {

bool is_blank(char byte)
{
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool is_line_break(char byte)
{
    return byte == '\r' || byte == '\n';
}

using ByteSet = std::array<bool, 256>;

constexpr ByteSet byte_set(std::string_view members)
{
    ByteSet set{};
    for (char member : members)
        set[static_cast<unsigned char>(member)] = true;
    return set;
}

// The bytes that end a run a state only collects: those its rule does
// something else with. A zero byte is never collected (a text ends at it).
constexpr ByteSet kKeyStops = byte_set(std::string_view("\"\r\n\0", 4));
constexpr ByteSet kStringStops = byte_set(std::string_view("\"\\\r\n\0", 5));
constexpr ByteSet kBareValueStops = byte_set(std::string_view(",]} \t\r\n\0", 8));

// Entry `entry` (1-based) of a counter list, adding zero entries as needed.
int& counter_entry(std::vector<int>& counters, int entry)
{
    if (counters.size() < static_cast<std::size_t>(entry))
        counters.resize(static_cast<std::size_t>(entry), 0);
    return counters[static_cast<std::size_t>(entry - 1)];
}

// Entry `entry` of a counter list, reset for the next sibling container; 0
// when the list is shorter.
int take_count(std::vector<int>& counters, int entry)
{
    if (counters.size() < static_cast<std::size_t>(entry))
        return 0;
    return std::exchange(counters[static_cast<std::size_t>(entry - 1)], 0);
}

// The name of the next element of an array, counted in `counter`.
Text next_element_name(int& counter)
{
    counter += 1;
    return "[" + text::decimal(counter - 1) + "]";
}

[[noreturn]] void end_program(const Text& message)
{
    std::fputs((platform::text_to_utf8(message) + "\n").c_str(), stderr);
    std::abort();
}

} // namespace

JsonDocument::JsonDocument() = default;

JsonDocument::~JsonDocument() = default;

void JsonDocument::clear()
{
    pathIndex_.reset();
    nodes_.clear();
    stateStack_.clear();
    elementCounters_.clear();
    memberCounters_.clear();
    commaMark_ = 0;
    escapePending_ = false;
    builder_.clear();
}

bool JsonDocument::parseText(const Text& text)
{
    return parse(text.view());
}

bool JsonDocument::parseBytes(const ByteBuffer& bytes)
{
    return parse(bytes_view(bytes));
}

void JsonDocument::feedBytes(const ByteBuffer& bytes)
{
    feed(bytes_view(bytes));
}

void JsonDocument::feedText(const Text& text)
{
    feed(text.view());
}

bool JsonDocument::parse(std::string_view bytes)
{
    clear();
    nodes_.reserve(static_cast<int>(bytes.size() / 16));
    feed(bytes);
    return nodes_.count() > 1;
}

// Runs of bytes that a key, string or bare value only collects go into the
// builder at once; every other byte goes through the rule of the top state.
void JsonDocument::feed(std::string_view bytes)
{
    pathIndex_.reset();
    while (!bytes.empty()) {
        const std::size_t run = collectedRun(bytes);
        if (run == 0) {
            onByte(bytes.front());
            bytes.remove_prefix(1);
            continue;
        }
        builder_.append(bytes.substr(0, run));
        // A string's ordinary byte ends any escape.
        if (stateStack_.back() == State::string)
            escapePending_ = false;
        bytes.remove_prefix(run);
    }
}

std::size_t JsonDocument::collectedRun(std::string_view bytes) const
{
    if (stateStack_.empty())
        return 0;
    const ByteSet* stops = nullptr;
    switch (stateStack_.back()) {
    case State::key: stops = &kKeyStops; break;
    case State::string: stops = &kStringStops; break;
    case State::bareValue: stops = &kBareValueStops; break;
    default: return 0;
    }
    std::size_t run = 0;
    while (run < bytes.size() && !(*stops)[static_cast<unsigned char>(bytes[run])])
        ++run;
    return run;
}

void JsonDocument::onByte(char byte)
{
    if (stateStack_.empty()) {
        onRootByte(byte);
        return;
    }
    switch (stateStack_.back()) {
    case State::object: onObjectByte(byte); break;
    case State::array: onArrayByte(byte); break;
    case State::key: onKeyByte(byte); break;
    case State::afterKey: onAfterKeyByte(byte); break;
    case State::valueStart: onValueStartByte(byte); break;
    case State::string: onStringByte(byte); break;
    case State::bareValue: onBareValueByte(byte); break;
    }
}

// A new outermost container starts a new document; everything else outside
// one is skipped.
void JsonDocument::onRootByte(char byte)
{
    if (byte != '{' && byte != '[')
        return;
    const bool object = byte == '{';
    nodes_.clear();
    nodes_.append(JsonNode{"JSON", object ? "{ 0 }" : "[ 0 ]"});
    nodeIndexStack_.assign(1, 1);
    // The root sits at level 1 and its members one level deeper; its own
    // level and kind are set when it closes.
    depth_ = 2;
    stateStack_.push_back(object ? State::object : State::array);
    nodeIndexStack_.push_back(1);
}

void JsonDocument::onObjectByte(char byte)
{
    if (byte == '"')
        openLevel(State::key);
    else if (byte == '}')
        closeObject();
}

// A key ends at the first double quote: backslashes are ordinary bytes here.
void JsonDocument::onKeyByte(char byte)
{
    if (byte == '"') {
        currentNode().name = builder_.getText();
        setTopState(State::afterKey);
    } else if (!is_line_break(byte)) {
        builder_.append(std::string_view(&byte, 1));
    }
}

void JsonDocument::onAfterKeyByte(char byte)
{
    if (byte == ':')
        setTopState(State::valueStart);
}

void JsonDocument::onArrayByte(char byte)
{
    if (byte == '{') {
        openLevel(State::object);
    } else if (byte == ']') {
        closeArray();
    } else if (byte == ',') {
        // No node since the previous comma: the element between the two is
        // missing.
        const int count = nodes_.count();
        if (count == commaMark_) {
            insertEmptyElement();
            commaMark_ = count + 1;
        } else {
            commaMark_ = count;
        }
    } else if (!is_blank(byte)) {
        openLevel(State::valueStart);
        onValueStartByte(byte);
    }
}

void JsonDocument::onValueStartByte(char byte)
{
    if (byte != '[') {
        onValueStartByteNoArray(byte);
        return;
    }
    builder_.clear();
    setTopState(State::array);
    depth_ += 1;
}

void JsonDocument::onValueStartByteNoArray(char byte)
{
    if (is_blank(byte))
        return;
    switch (byte) {
    case '{':
        // The member or element being read becomes the open object.
        builder_.clear();
        setTopState(State::object);
        depth_ += 1;
        return;
    case ',':
    case '}':
    case ']':
        currentNode().kind = json_kind::kNull;
        currentNode().value = Text();
        pop();
        if (byte == '}')
            onObjectByte(byte);
        return;
    case '"':
        builder_.clear();
        setTopState(State::string);
        return;
    default:
        builder_.clear();
        builder_.append(std::string_view(&byte, 1));
        setTopState(State::bareValue);
        return;
    }
}

// Escapes stay in the value as written; the scan is byte-wise, so the second
// byte of a double-byte character can count as a backslash.
void JsonDocument::onStringByte(char byte)
{
    if (byte == '"' && !escapePending_) {
        currentNode().kind = json_kind::kString;
        currentNode().value = builder_.getText();
        pop();
        return;
    }
    if (is_line_break(byte))
        return;
    builder_.append(std::string_view(&byte, 1));
    escapePending_ = byte == '\\' ? !escapePending_ : false;
}

void JsonDocument::onBareValueByte(char byte)
{
    if (byte != ',' && byte != ']' && byte != '}') {
        if (!is_blank(byte))
            builder_.append(std::string_view(&byte, 1));
        return;
    }
    Text value = builder_.getText();
    currentNode().kind = bare_value_kind(value);
    currentNode().value = std::move(value);
    pop();
    if (byte == '}')
        onObjectByte(byte);
    else if (byte == ']' || stateStack_.back() == State::array)
        onArrayByte(byte);
}

int JsonDocument::取当前节点索引() const
{
    if (nodeIndexStack_.empty())
        end_program("取当前节点索引() 节点索引记录数量为空，程序即将崩溃！");
    const int index = nodeIndexStack_.back();
    if (index > nodes_.count())
        end_program("取当前节点索引() 节点索引记录超出，程序即将崩溃！");
    return index;
}

// Called as openLevel(key) in an object, openLevel(object) and
// openLevel(valueStart) in an array, and, on malformed input closed with the
// wrong bracket, openLevel(valueStart) in an object.
void JsonDocument::openLevel(State state)
{
    const State parent = stateStack_.back();
    stateStack_.push_back(state);
    JsonNode node;
    if (state == State::valueStart && parent == State::array)
        node.name = next_element_name(counter_entry(elementCounters_, depth_ + 1));
    if (state == State::object) {
        node.kind = json_kind::kObject;
        depth_ += 1;
        node.value = "{ 0 }";
        if (parent == State::array)
            node.name = next_element_name(counter_entry(elementCounters_, depth_));
    }
    if (state == State::key && parent == State::object)
        counter_entry(memberCounters_, depth_) += 1;
    node.level = depth_;
    builder_.clear();
    nodes_.append(std::move(node));
    nodeIndexStack_.push_back(nodes_.count());
}

void JsonDocument::closeObject()
{
    JsonNode& object = nodes_.at(取当前节点索引());
    object.value = "{ " + text::decimal(take_count(memberCounters_, depth_)) + " }";
    depth_ -= 1;
    object.kind = json_kind::kObject;
    object.level = depth_;
    pop();
}

void JsonDocument::closeArray()
{
    const int index = 取当前节点索引();
    // A trailing comma counts as one more, empty element.
    if (nodes_.count() == commaMark_)
        insertEmptyElement();
    JsonNode& array = nodes_.at(index);
    array.value = "[ " + text::decimal(take_count(elementCounters_, depth_ + 1)) + " ]";
    depth_ -= 1;
    array.kind = json_kind::kArray;
    array.level = depth_;
    pop();
}

void JsonDocument::insertEmptyElement()
{
    openLevel(State::valueStart);
    onValueStartByte(',');
}

void JsonDocument::pop()
{
    stateStack_.pop_back();
    nodeIndexStack_.pop_back();
}

} // namespace fernwick
