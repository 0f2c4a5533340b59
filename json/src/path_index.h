#pragma once

// A lookup table over a finished node list that answers every path exactly
// as the scan does, in time proportional to the path's length.

#include <cstddef>
#include <string_view>
#include <vector>

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
// lookup takes one step per name. Steps live in one open-addressing table
// that keeps each step's hash, so a probe reads a node's name only when the
// hashes agree. The table reads the node list it was made from: it is valid
// only while that list is unchanged.
class PathIndex {
public:
    explicit PathIndex(const List<JsonNode>& nodes);

    // scan_for_path(nodes, names): the 1-based index of the first node
    // whose chain is `names`, 0 when there is none.
    int find(const TextList& names) const;

private:
    struct Slot {
        std::size_t hash = 0;
        int chain = 0;
        int node = 0; // 0: the slot is free
    };

    // The position of the step from `chain` by `name`: the slot holding it,
    // or the free slot where it belongs.
    std::size_t slotFor(int chain, std::string_view name, std::size_t hash) const;

    const List<JsonNode>& nodes_;
    std::vector<Slot> slots_;
};

} // namespace fernwick
