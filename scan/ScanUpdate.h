#pragma once

#include <cstdint>
#include <string>

#include "FindingSinks.h"

namespace scan {

// What a queued update is; anything else is freed without effect.
enum UpdateKind : int32_t {
    kEventFinding = 0,
    kJunkFile = 1,
    kDllEntry = 2,
};

// How the list draws a finding's group row.
enum RowStyle : int32_t {
    kEventRow = 0,
    kErrorRow = 1,
    kJunkRow = 2,
    kDllRow = 3,
};

// One finding or one checked item on its way from a scan to the lists.
struct ScanUpdate {
    IResultList* list = nullptr;       // not owned
    ICategoryEntry* entry = nullptr;   // not owned; for DLL entries set only when flagged
    int32_t kind = kEventFinding;
    std::wstring group;
    std::wstring description;
    std::wstring detail;
    std::wstring extra;
};

}  // namespace scan
