#pragma once

#include <deque>

#include "FindingRow.h"
#include "VxVirtualList.h"

namespace app {

// The finding rows of a result list as its virtual list shows them: row controls bound in turn
// to the records of the rows in view.
class ResultRows : public VXM::IVirtualRows {
public:
    // Both not owned; they belong to the result list, which outlives its row list.
    ResultRows(std::deque<FindingRow>& records, int& detailTotal);

    int RowCount() const override;
    VXM::VxControl* MakeRow() override;
    void ShowRow(VXM::VxControl& row, int index) override;

private:
    std::deque<FindingRow>& records_;
    int& detailTotal_;
};

}  // namespace app
