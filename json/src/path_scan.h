#pragma once

// Cutting a path into names, and the scan that defines which node a list of
// names leads to. Queries answer through the path index, which finds the
// same node without walking the list; the scan stays as the reference the
// index is tested and measured against.

#include <string_view>

#include "json/json_document.h"
#include "platform/list.h"

namespace fernwick {

// The names of a non-empty path: "[" gets a "." in front of it, the path is
// split at "." (a piece between two dots is an empty name, a piece after a
// final dot is dropped) and an empty first name is removed, so
// "data.items[0]" gives data, items, [0]. Both steps step over double-byte
// characters.
TextList split_path(std::string_view path);

// The 1-based index of the first node, in document order, whose name is the
// last of `names` and whose ancestors below the root carry the names before
// it; 0 when there is none. The root is never matched; `names` holds at
// least one name.
int scan_for_path(const List<JsonNode>& nodes, const TextList& names);

} // namespace fernwick
