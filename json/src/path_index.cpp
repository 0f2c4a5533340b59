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

} // namespace

std::size_t PathIndex::StepHash::operator()(const Step& step) const
{
    const std::size_t name = std::hash<std::string_view>()(step.name);
    return name ^ (std::hash<int>()(step.chain) + 0x9E3779B97F4A7C15ULL + (name << 6) + (name >> 2));
}

// The scan parent of a node is the previous node at a strictly smaller
// level of at least 2: a stack of nodes at rising levels finds it in
// constant time per node on average. Nodes below level 2 (the root level,
// and 0 for unfinished nodes) are never compared, so they neither match nor
// cut a chain.
PathIndex::PathIndex(const List<JsonNode>& nodes)
{
    steps_.reserve(static_cast<std::size_t>(nodes.count()));
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
        if (parent != 0)
            chain = steps_.try_emplace(Step{parent, node.name.view()}, index).first->second;
        open.push_back({level, chain});
    }
}

int PathIndex::find(const TextList& names) const
{
    int chain = kRoot;
    for (const Text& name : names) {
        const auto step = steps_.find(Step{chain, name.view()});
        if (step == steps_.end())
            return 0;
        chain = step->second;
    }
    return chain;
}

} // namespace fernwick
