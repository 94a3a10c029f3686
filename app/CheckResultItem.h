#pragma once

#include <map>
#include <string>

#include "VxHorizontalLayout.h"

namespace VXM {
class VxButton;
class VxVerticalLayout;
}  // namespace VXM

namespace app {

// One finding row: a group (an application, a folder, a DLL) with its distinct details.
class CheckResultItem : public VXM::VxHorizontalLayout {
public:
    // rowStyle: scan::RowStyle (0 event, 1 error, 2 junk, 3 DLL).
    explicit CheckResultItem(int rowStyle);

    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void OnLButtonDblClk(VXM::VxEventUI& event) override;
    bool Activate(VXM::VxEventUI& event) override;
    void Init() override;

    int GetRowStyle() const { return rowStyle_; }
    std::wstring GetGroupName() const { return groupName_; }
    void SetGroupName(std::wstring_view group);
    const std::wstring& GetDescription() const { return description_; }
    // An empty description never hides the label again.
    void SetDescription(std::wstring_view description);
    // A detail already present keeps its earlier second column.
    void AddDetail(const std::wstring& detail, const std::wstring& extra);
    // Ordered by plain code-unit comparison.
    const std::map<std::wstring, std::wstring>& GetDetails() const { return details_; }
    // Not GetCount: that name is the container's child count, which the framework calls.
    int GetDetailCount() const { return static_cast<int>(details_.size()); }
    // The list's running total of detail lines (not owned, outlives this row): the row adds its
    // count now and 1 for each new detail; null stops it.
    void ShareDetailTotal(int* total);

    // Children, owned by this container; null before Init.
    VXM::VxControl* NameLabel() const { return nameLabel_; }
    VXM::VxControl* DescriptionLabel() const { return descriptionLabel_; }
    VXM::VxControl* StatusIcon() const { return statusIcon_; }
    VXM::VxControl* CountLabel() const { return countLabel_; }
    VXM::VxButton* ReportButton() const { return reportButton_; }

private:
    void MakeChildren();
    void UpdateTexts();
    // The text without a repaint request of the label: one of the row covers every change until
    // the row is painted again.
    void ShowText(VXM::VxControl* label, std::wstring_view text);
    // Notification 29 when the event came from the report button.
    void RequestReport(const VXM::VxEventUI& event);

    int rowStyle_ = 0;
    std::wstring groupName_;
    std::wstring description_;
    std::map<std::wstring, std::wstring> details_;
    int* detailTotal_ = nullptr;  // not owned, outlives this row
    VXM::VxControl* icon_ = nullptr;
    VXM::VxVerticalLayout* textColumn_ = nullptr;
    VXM::VxControl* nameLabel_ = nullptr;
    VXM::VxControl* descriptionLabel_ = nullptr;
    VXM::VxControl* statusIcon_ = nullptr;
    VXM::VxControl* countLabel_ = nullptr;
    VXM::VxButton* reportButton_ = nullptr;
};

}  // namespace app
