#include "path_index.h"

#include <functional>
#include <vector>

namespace fernwick {

namespace {

constexpr int kRoot = 1;

// A node the scan can still come back to, with the chain it ends (0 for a
// node that matches no path).
struct OpenNode {
    int level;
    int chain;
};

std::size_t step_hash(int chain, std::string_view name)
{
    return std::hash<std::string_view>()(name) ^ (static_cast<std::size_t>(chain) * 0x9E3779B97F4A7C15ULL);
}

// A power of two with room for every node at most half full.
std::size_t table_size(int nodes)
{
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(nodes))
        size *= 2;
    return size;
}

} // namespace

// The scan parent of a node is the previous node at a strictly smaller
// level of at least 2: a stack of nodes at rising levels finds it in
// constant time per node on average. Nodes below level 2 (the root level,
// and 0 for unfinished nodes) are never compared, so they neither match nor
// cut a chain.
PathIndex::PathIndex(const List<JsonNode>& nodes) : nodes_(nodes), slots_(table_size(nodes.count()))
{
    std::vector<OpenNode> open;
    for (int index = 2; index <= nodes.count(); ++index) {
        const JsonNode& node = nodes.at(index);
        const int level = node.level - 1;
        if (level < 1)
            continue;
        while (!open.empty() && open.back().level >= level)
            open.pop_back();
        int parent = 0;
        if (level == 1)
            parent = kRoot;
        else if (!open.empty() && open.back().level == level - 1)
            parent = open.back().chain;
        int chain = 0;
        if (parent != 0) {
            const std::size_t hash = step_hash(parent, node.name.view());
            Slot& slot = slots_[slotFor(parent, node.name.view(), hash)];
            if (slot.node == 0)
                slot = Slot{hash, parent, index};
            chain = slot.node;
        }
        open.push_back({level, chain});
    }
}

int PathIndex::find(const TextList& names) const
{
    int chain = kRoot;
    for (const Text& name : names) {
        const Slot& slot = slots_[slotFor(chain, name.view(), step_hash(chain, name.view()))];
        if (slot.node == 0)
            return 0;
        chain = slot.node;
    }
    return chain;
}

// Linear probing; the table is never more than half full, so a free slot
// always ends the probe.
std::size_t PathIndex::slotFor(int chain, std::string_view name, std::size_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.node == 0
            || (slot.hash == hash && slot.chain == chain && nodes_.at(slot.node).name.view() == name))
            return at;
    }
}

} // namespace fernwick
