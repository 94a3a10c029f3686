#pragma once

#include <vector>

#include "FindingDetails.h"
#include "VxVirtualList.h"

namespace app {

// The lines of a list report: the detail texts of a row in ascending order, as they were when
// the report opened, shown by the report's virtual list.
class DetailLines : public VXM::IVirtualRows {
public:
    // `details`: a row's details, which outlive these lines; details added later are not shown
    // (ids stay valid, and rows never lose a detail).
    explicit DetailLines(const FindingDetails& details);

    int RowCount() const override;
    VXM::VxControl* MakeRow() override;
    void ShowRow(VXM::VxControl& row, int index) override;

private:
    const FindingDetails& details_;       // not owned
    std::vector<FindingDetails::Id> ids_;  // in ascending order of the detail
};

}  // namespace app
