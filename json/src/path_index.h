#pragma once

// A lookup table over a finished node list that answers every path exactly
// as the scan does, in time proportional to the path's length.

#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "json/json_document.h"
#include "platform/list.h"

namespace fernwick {

// The scan compares a node at level L + 1 with name L of the path, and only
// while names 1 to L − 1 are matched, that is while the last earlier node
// with a level between 2 and L (its scan parent) sits exactly at level L and
// matches the path's first L − 1 names itself. A node therefore matches one
// path only, the names of its chain of scan parents, and no path at all when
// that chain skips a level before reaching level 2. The scan returns the
// first node in document order whose chain equals the path.
//
// The table maps (chain, name) to the first node of the longer chain, a
// chain being named by its first node (the root for the empty chain), so a
// lookup takes one step per name. It keeps views of the node names: it is
// valid only while the node list is unchanged.
class PathIndex {
public:
    explicit PathIndex(const List<JsonNode>& nodes);

    // scan_for_path(nodes, names): the 1-based index of the first node
    // whose chain is `names`, 0 when there is none.
    int find(const TextList& names) const;

private:
    struct Step {
        int chain;
        std::string_view name;
        friend bool operator==(const Step&, const Step&) = default;
    };
    struct StepHash {
        std::size_t operator()(const Step& step) const;
    };

    std::unordered_map<Step, int, StepHash> steps_;
};

} // namespace fernwick
