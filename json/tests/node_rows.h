#pragma once

// The node list of a document as a table of rows, for comparing with the
// rows a test expects.

#include <ostream>
#include <vector>

#include "json/json_document.h"
#include "test_support/printing.h"

namespace fernwick::json_testing {

struct NodeRow {
    Text name;
    Text value;
    int level;
    int kind;

    friend bool operator==(const NodeRow&, const NodeRow&) = default;
    friend void PrintTo(const NodeRow& row, std::ostream* os)
    {
        *os << "(" << testing_support::escaped(row.name.view()) << ", " << testing_support::escaped(row.value.view())
            << ", " << row.level << ", " << row.kind << ")";
    }
};

inline std::vector<NodeRow> rows_of(const JsonDocument& document)
{
    std::vector<NodeRow> rows;
    for (int index = 1; index <= document.nodeCount(); ++index) {
        const JsonNode node = document.nodeAt(index);
        rows.push_back({node.name, node.value, node.level, node.kind});
    }
    return rows;
}

} // namespace fernwick::json_testing
