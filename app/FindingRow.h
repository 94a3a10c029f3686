#pragma once

#include <string>
#include <string_view>

#include "FindingDetails.h"

namespace app {

// What one finding row shows, kept apart from any control: a result list keeps one per group
// and lends it to whichever row control is in view.
struct FindingRow {
    int rowStyle = 0;  // scan::RowStyle, fixed when the row is made
    std::wstring groupName;
    FindingDetails details;

    // True, counting it, when the detail is new. A junk row then shows its count as description.
    bool AddDetail(std::wstring_view detail, std::wstring_view extra);
    // An empty description never hides the label again.
    void SetDescription(std::wstring_view text);
    // The description as shown: a junk row's file count once it has one.
    std::wstring Description() const;
    // Once a text was shown the label stays, even for an empty one given later.
    bool DescriptionShown() const { return descriptionShown; }
    int Count() const { return static_cast<int>(details.Size()); }
    std::wstring CountText() const;

private:
    std::wstring description;
    // Derived from the count instead of kept as text: no heap block per junk row for it.
    bool countShownAsDescription = false;
    bool descriptionShown = false;
};

}  // namespace app
