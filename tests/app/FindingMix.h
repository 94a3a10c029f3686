#pragma once

#include <string>
#include <vector>

#include "FindingSinks.h"
#include "ScanUpdate.h"

// The findings the benchmarks feed the result lists, as a scan would post them.
namespace finding_mix {

// One finding by category (index into scan::kScanOrder).
struct Finding {
    int category = 0;
    int kind = scan::kEventFinding;
    std::wstring group;
    std::wstring description;
    std::wstring detail;
    std::wstring extra;
    bool flagged = true;  // DLL entries: only flagged ones carry the entry
};

// Crash and system events grouped by a few hundred applications and sources, junk files under a
// few dozen folders (most of the total), and a short DLL list: what a well-used machine gives.
std::vector<Finding> RealisticMix(int total);

// Every finding a group of its own, in the crash list that shows first: the worst case.
std::vector<Finding> DistinctMix(int total);

// The update a check posts for the finding into `target`'s list and entry.
// Its texts are views into `finding`.
scan::ScanUpdate ToUpdate(const Finding& finding, const scan::CheckTarget& target);

}  // namespace finding_mix
