#pragma once
// The layer mesh that holds each record of a table, in table order, as runs of
// (mesh number, run length). A table whose records all live in one mesh is one run.

#include <cstdint>
#include <utility>
#include <vector>

namespace kvx {

using OwnerRuns = std::vector<std::pair<std::uint8_t, std::int32_t>>;

// Appends one record's mesh to runs.
inline void AddOwner(OwnerRuns& runs, std::uint8_t mesh) {
    if (!runs.empty() && runs.back().first == mesh) {
        ++runs.back().second;
    } else {
        runs.emplace_back(mesh, 1);
    }
}

}  // namespace kvx
