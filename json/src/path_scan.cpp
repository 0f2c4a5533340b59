#include "path_scan.h"

#include "platform/text_rules.h"

namespace fernwick {

TextList split_path(std::string_view path)
{
    TextList pieces = text::split(text::replace_all(path, "[", ".["), ".");
    if (pieces.empty() || !pieces.at(1).empty())
        return pieces;
    TextList names;
    for (int index = 2; index <= pieces.count(); ++index)
        names.append(pieces.at(index));
    return names;
}

// `matched` is the number of the name being matched: a node one level below
// the matched chain is compared with it, deeper nodes are skipped, and a
// shallower node cuts the chain back to its own level.
int scan_for_path(const List<JsonNode>& nodes, const TextList& names)
{
    int matched = 1;
    for (int index = 2; index <= nodes.count(); ++index) {
        const JsonNode& node = nodes.at(index);
        const int level = node.level - 1;
        if (level < 1 || level > matched)
            continue;
        matched = level;
        if (node.name != names.at(matched))
            continue;
        if (matched < names.count()) {
            matched += 1;
            continue;
        }
        return index;
    }
    return 0;
}

} // namespace fernwick
