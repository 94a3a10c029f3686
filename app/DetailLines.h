#pragma once

#include <map>
#include <string>
#include <vector>

#include "VxVirtualList.h"

namespace app {

// The lines of a list report: the detail texts of a row in ascending order, as they were when
// the report opened, shown by the report's virtual list.
class DetailLines : public VXM::IVirtualRows {
public:
    // `details`: a row's detail map, which outlives these lines; entries added later are not
    // shown (a map keeps its entries in place, and rows never lose one).
    explicit DetailLines(const std::map<std::wstring, std::wstring>& details);

    int RowCount() const override;
    VXM::VxControl* MakeRow() override;
    void ShowRow(VXM::VxControl& row, int index) override;

private:
    std::vector<const std::wstring*> texts_;  // keys of the row's map, not owned
};

}  // namespace app
