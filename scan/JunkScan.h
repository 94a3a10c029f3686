#pragma once

#include <cstdint>
#include <string>

#include "FindingSinks.h"
#include "UpdateQueue.h"

namespace scan {

// How deep the walk goes below a listed folder. Deeper trees are cut off rather than followed
// down a cycle the platform did not mark.
inline constexpr int kMaxJunkDepth = 64;

// Walks one listed folder and everything below it: one junk-file update per file written after
// the repair time, grouped under `group`. Reparse points are not entered, nor a directory
// already entered during this walk (same volume and file index), nor anything deeper than
// kMaxJunkDepth levels.
void WalkJunkFolder(const std::wstring& folder, const std::wstring& group, const CheckTarget& target,
                    uint32_t lastRepairTime, UpdateQueue& updates);

// Every folder of JunkFolders(), in order, each as its own group.
void ScanJunkFiles(const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates);

}  // namespace scan
