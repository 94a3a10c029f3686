#pragma once

#include <cstdint>
#include <string_view>

#include "FindingSinks.h"

namespace scan {

// What a queued update is; anything else is dropped without effect.
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

// One finding or one checked item on its way from a scan to the lists. The texts are views: a
// post copies them into the queue, so they need to live only for the call.
struct ScanUpdate {
    IResultList* list = nullptr;       // not owned
    ICategoryEntry* entry = nullptr;   // not owned; for DLL entries set only when flagged
    int32_t kind = kEventFinding;
    std::wstring_view group;
    std::wstring_view description;
    std::wstring_view detail;
    std::wstring_view extra;
};

}  // namespace scan
