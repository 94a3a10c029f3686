#pragma once

#include <deque>
#include <string_view>

#include "FindingRow.h"
#include "FindingSinks.h"
#include "GroupIndex.h"
#include "VxVerticalLayout.h"
#include "VxVirtualList.h"

namespace app {

class CheckResultItem;

// The result list of one scan category: headings, an optional note box and the finding rows.
class CheckResult : public VXM::VxVerticalLayout, public scan::IResultList {
public:
    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void Init() override;

    void SetTitle(std::wstring_view text);
    void SetDescription(std::wstring_view text);
    void SetSecondDescription(std::wstring_view text);
    // These show their label as well.
    void SetThirdDescription(std::wstring_view text);
    void SetReportHeading(std::wstring_view text);
    // Shows the scan heading and the note box instead of the list heading.
    void SetScanHeading(std::wstring_view text);
    void SetListHeading(std::wstring_view text);

    // Merges into the row whose group equals `group` ignoring case, or adds a row.
    void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                    std::wstring_view detail, std::wstring_view extra) override;
    void AddNote(std::wstring_view text) override;
    int TotalCount() override;

    int RowCount() const;
    // Row `index` in the order the rows were made; null out of range.
    const FindingRow* RecordAt(int index) const;
    // The control showing row `index` since the last layout; null while the row is out of view.
    CheckResultItem* ShownRow(int index) const;
    // Heap bytes of the group lookup, for the benchmarks.
    size_t LookupBytesKept() const { return rowsByGroup_.BytesKept(); }
    // Children, owned by this container; null before Init.
    VXM::VxVerticalLayout* NoteBox() const { return noteBox_; }
    VXM::VxVirtualList* RowList() const { return rowList_; }

private:
    void MakeChildren();
    // The row of that group ignoring case, made when missing.
    int RowOf(std::wstring_view group, int rowStyle);
    int AddRow(int rowStyle, uint32_t keyHash);
    // Rebinds the control of that row, if it has one, so that it shows the change.
    void ShowChange(int index);

    VXM::VxControl* title_ = nullptr;
    VXM::VxControl* description_ = nullptr;
    VXM::VxControl* secondDescription_ = nullptr;
    VXM::VxControl* thirdDescription_ = nullptr;
    VXM::VxControl* listHeading_ = nullptr;
    VXM::VxControl* scanHeading_ = nullptr;
    VXM::VxVerticalLayout* noteBox_ = nullptr;
    VXM::VxControl* reportHeading_ = nullptr;
    VXM::VxVirtualList* rowList_ = nullptr;
    // Rows are never removed and a deque never moves its elements: the row controls and the
    // report window hold records by address.
    std::deque<FindingRow> rows_;
    GroupIndex rowsByGroup_;  // hash of the upper-cased group to its index in rows_
    int lastRow_ = -1;        // of the last finding
    int detailTotal_ = 0;     // kept by AddFinding and by the row controls (ShareDetailTotal)
};

}  // namespace app
