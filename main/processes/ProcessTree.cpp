#include "main/processes/ProcessTree.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "main/processes/ProcessListColumns.h"

void FlattenProcessTree(RowTable& table) {
    for (size_t row = 0; row < table.rows.size(); ++row) {
        table.rows[row].indent = 0;
        SetCellInteger(table, row, kProcessColumnTreeDepth, 0);
    }
}

void ArrangeProcessTree(RowTable& table) {
    const size_t count = table.rows.size();
    // The first row with each pid stands for it, as a search from the top would find it.
    std::unordered_map<std::string, size_t> rowOfPid;
    rowOfPid.reserve(count);
    for (size_t row = 0; row < count; ++row)
        rowOfPid.emplace(Cell(table, row, kProcessColumnProcessId), row);

    std::vector<size_t> roots;
    std::vector<std::vector<size_t>> children(count);
    for (size_t row = 0; row < count; ++row) {
        const std::string& pid = Cell(table, row, kProcessColumnProcessId);
        const std::string& parentPid = Cell(table, row, kProcessColumnParentProcessId);
        auto parent = rowOfPid.find(parentPid);
        if (parentPid == pid || parent == rowOfPid.end() || parent->second == row)
            roots.push_back(row);
        else
            children[parent->second].push_back(row);
    }

    // Depth first from the roots; an explicit stack keeps deep chains off the call stack.
    std::vector<size_t> order;
    std::vector<int> depth(count, 0);
    std::vector<bool> placed(count, false);
    order.reserve(count);
    std::vector<size_t> stack;
    for (size_t root : roots) {
        stack.push_back(root);
        while (!stack.empty()) {
            size_t row = stack.back();
            stack.pop_back();
            placed[row] = true;
            order.push_back(row);
            const std::vector<size_t>& below = children[row];
            for (auto child = below.rbegin(); child != below.rend(); ++child) {
                depth[*child] = depth[row] + 1;
                stack.push_back(*child);
            }
        }
    }
    for (size_t row = 0; row < count; ++row) {
        if (!placed[row]) {
            depth[row] = 0;
            order.push_back(row);
        }
    }

    std::vector<TableRow> arranged;
    arranged.reserve(count);
    for (size_t row : order) {
        arranged.push_back(std::move(table.rows[row]));
        arranged.back().indent = depth[row];
    }
    table.rows = std::move(arranged);
    for (size_t row = 0; row < count; ++row)
        SetCellInteger(table, row, kProcessColumnTreeDepth, table.rows[row].indent);
}
