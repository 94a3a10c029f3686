#pragma once

#include <string>
#include <string_view>

#include "FindingRow.h"
#include "VxHorizontalLayout.h"

namespace VXM {
class VxButton;
class VxVerticalLayout;
}  // namespace VXM

namespace app {

// One finding row: a group (an application, a folder, a DLL) with its distinct details. The
// data is a record the row shows: its own, or one a result list binds it to while in view.
class CheckResultItem : public VXM::VxHorizontalLayout {
public:
    // rowStyle: scan::RowStyle (0 event, 1 error, 2 junk, 3 DLL), of the row's own record.
    explicit CheckResultItem(int rowStyle);

    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void OnLButtonDblClk(VXM::VxEventUI& event) override;
    bool Activate(VXM::VxEventUI& event) override;
    void Init() override;

    // Shows `record` (not owned; it outlives the binding) until bound to another.
    void Bind(FindingRow& record);
    // Shows the bound record again after it changed; asks for a repaint only if a text did.
    void Refresh();
    FindingRow& Record() const { return *record_; }

    int GetRowStyle() const { return record_->rowStyle; }
    std::wstring GetGroupName() const { return record_->groupName; }
    void SetGroupName(std::wstring_view group);
    std::wstring GetDescription() const { return record_->Description(); }
    // An empty description never hides the label again.
    void SetDescription(std::wstring_view description);
    // A detail already present keeps its earlier second column.
    void AddDetail(std::wstring_view detail, std::wstring_view extra);
    // Ordered by plain code-unit comparison.
    const FindingDetails& GetDetails() const { return record_->details; }
    // Not GetCount: that name is the container's child count, which the framework calls.
    int GetDetailCount() const { return record_->Count(); }
    // The list's running total of detail lines (not owned, outlives this row): the row adds its
    // count now and 1 for each new detail given through it; null stops it.
    void ShareDetailTotal(int* total);

    // Children, owned by this container; null before Init.
    VXM::VxControl* NameLabel() const { return nameLabel_; }
    VXM::VxControl* DescriptionLabel() const { return descriptionLabel_; }
    VXM::VxControl* StatusIcon() const { return statusIcon_; }
    VXM::VxControl* CountLabel() const { return countLabel_; }
    VXM::VxButton* ReportButton() const { return reportButton_; }

private:
    void MakeChildren();
    void ShowStatusIcon();
    // The text without a repaint request of the label: one of the row covers every change until
    // the row is painted again.
    void ShowText(VXM::VxControl* label, std::wstring_view text);
    // Notification 29 when the event came from the report button.
    void RequestReport(const VXM::VxEventUI& event);

    FindingRow ownRecord_;
    FindingRow* record_ = &ownRecord_;  // not owned unless it is ownRecord_
    int* detailTotal_ = nullptr;        // not owned, outlives this row
    VXM::VxControl* icon_ = nullptr;
    VXM::VxVerticalLayout* textColumn_ = nullptr;
    VXM::VxControl* nameLabel_ = nullptr;
    VXM::VxControl* descriptionLabel_ = nullptr;
    VXM::VxControl* statusIcon_ = nullptr;
    VXM::VxControl* countLabel_ = nullptr;
    VXM::VxButton* reportButton_ = nullptr;
};

}  // namespace app
