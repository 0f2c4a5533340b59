// The read operations on a parsed document.

#include "json/json_document.h"

#include "path_index.h"
#include "path_scan.h"
#include "platform/text_rules.h"

namespace fernwick {

namespace {

// The member count inside a container's value: "{ 12 }" gives 12.
Text count_text(const Text& value)
{
    return text::mid(value, 3, value.length() - 4);
}

Text converted(const JsonNode& node)
{
    switch (node.kind) {
    case json_kind::kString: return JsonDocument::unescapeText(node.value);
    case json_kind::kBoolean: return text::equals_ignoring_case(node.value, "true") ? "1" : "0";
    case json_kind::kObject:
    case json_kind::kArray: return count_text(node.value);
    case json_kind::kNull: return {};
    default: return node.value;
    }
}

void report(int* out, int value)
{
    if (out != nullptr)
        *out = value;
}

} // namespace

int JsonDocument::nodeCount() const
{
    return nodes_.count();
}

JsonNode JsonDocument::nodeAt(int index) const
{
    if (index < 1 || index > nodes_.count())
        return {};
    return nodes_.at(index);
}

int JsonDocument::copyNodes(List<JsonNode>& out) const
{
    out = nodes_;
    return out.count();
}

Text JsonDocument::getValue(const Text& path, int* kindOut, int* nodeIndexOut, bool convert) const
{
    report(kindOut, json_kind::kOther);
    report(nodeIndexOut, 0);
    if (path.empty()) {
        if (nodes_.empty())
            return {};
        const JsonNode& root = nodes_.at(1);
        report(kindOut, root.kind);
        report(nodeIndexOut, 1);
        return convert ? count_text(root.value) : root.value;
    }
    const TextList names = split_path(path);
    if (names.empty())
        return {};
    if (!pathIndex_)
        pathIndex_ = std::make_unique<const PathIndex>(nodes_);
    const int index = pathIndex_->find(names);
    if (index == 0)
        return {};
    const JsonNode& node = nodes_.at(index);
    report(kindOut, node.kind);
    report(nodeIndexOut, index);
    return convert ? converted(node) : node.value;
}

int JsonDocument::memberCount(const Text& path) const
{
    int kind = json_kind::kOther;
    const Text value = getValue(path, &kind);
    if (kind != json_kind::kObject && kind != json_kind::kArray)
        return 0;
    return text::leading_int(count_text(value));
}

} // namespace fernwick
