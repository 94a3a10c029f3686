#include "ResultRows.h"

#include "AppNotify.h"
#include "CheckResultItem.h"
#include "ScanUpdate.h"

namespace app {

ResultRows::ResultRows(std::deque<FindingRow>& records, int& detailTotal)
    : records_(records), detailTotal_(detailTotal)
{
}

int ResultRows::RowCount() const
{
    return static_cast<int>(records_.size());
}

VXM::VxControl* ResultRows::MakeRow()
{
    // The style of its own record never shows: the list binds it before it is seen.
    auto* row = new CheckResultItem(scan::kEventRow);  // handed to the list
    row->ShareDetailTotal(&detailTotal_);
    return row;
}

void ResultRows::ShowRow(VXM::VxControl& row, int index)
{
    auto* item = static_cast<CheckResultItem*>(row.GetInterface(kClassCheckResultItem));
    if (item && index >= 0 && index < RowCount())
        item->Bind(records_[index]);
}

}  // namespace app
