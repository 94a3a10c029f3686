#pragma once

#include <string>
#include <string_view>

// Where findings land. The scan page's result lists and category entries implement these, so
// the engine never needs the UI framework; all calls come on the UI thread.
namespace scan {

class IResultList {
public:
    virtual ~IResultList() = default;
    // Adds the detail line under the row of that group (made when missing).
    virtual void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                            std::wstring_view detail, std::wstring_view extra) = 0;
    virtual void AddNote(std::wstring_view text) = 0;
    // Detail lines over all rows.
    virtual int TotalCount() = 0;
};

class ICategoryEntry {
public:
    virtual ~ICategoryEntry() = default;
    virtual void SetCount(int count) = 0;
};

// The list and entry of one category; either may be missing (no root control yet).
struct CheckTarget {
    IResultList* list = nullptr;      // not owned
    ICategoryEntry* entry = nullptr;  // not owned
};

}  // namespace scan
