#include "CheckResultItem.h"

#include "AppNotify.h"
#include "ChildControls.h"
#include "ScanUpdate.h"
#include "VxButton.h"
#include "VxPaintManager.h"
#include "VxVerticalLayout.h"

using namespace VXM;

namespace app {
namespace {

constexpr int kDoneIcon = 114;
constexpr int kErrorIcon = 116;
constexpr int kWarningIcon = 119;
constexpr DWORD kGreyText = 0xFF818181;
constexpr DWORD kLinkText = 0xFF0D3AFF;

VxControl* MakeIcon(const RECT& padding, int image)
{
    VxControl* icon = MakeWheelChild();
    icon->SetFixedWidth(24);
    icon->SetFixedHeight(24);
    icon->SetPadding(padding);
    if (image != 0)
        icon->SetNormalBkImage(PngImage(image));
    return icon;
}

VxControl* MakeLabel(const TextLook& look)
{
    VxControl* label = MakeWheelChild();
    ApplyTextLook(*label, look);
    return label;
}

// 0: none.
int StatusIconOf(int rowStyle)
{
    switch (rowStyle) {
    case scan::kEventRow:
    case scan::kDllRow:
        return kWarningIcon;
    case scan::kErrorRow:
        return kErrorIcon;
    default:
        return 0;
    }
}

}  // namespace

CheckResultItem::CheckResultItem(int rowStyle)
{
    ownRecord_.rowStyle = rowStyle;
    PassMouse(*this);
    SetFixedHeight(68);
    SetPadding(RECT{0, 0, 0, 5});
    SetNormalBkColor(0xFFF5F5F5);
    borderColors_[kBorderNormal] = 0xFFE6E6E6;
    borderSizes_[kBorderNormal] = 1;
    // A new row is covered by its list's repaint request.
    repaintRequested_ = true;
}

UINT CheckResultItem::GetClass() const
{
    return kClassCheckResultItem;
}

VxControl* CheckResultItem::GetInterface(UINT classCode)
{
    switch (classCode) {
    case kClassCheckResultItem:
    case kClassContainer:
    case kClassControl:
        return this;
    default:
        return nullptr;
    }
}

void CheckResultItem::OnLButtonDblClk(VxEventUI& event)
{
    if (IsVisible() && IsEnabled())
        RequestReport(event);
}

bool CheckResultItem::Activate(VxEventUI& event)
{
    if (!IsVisible() || !IsEnabled())
        return false;
    RequestReport(event);
    return true;
}

// The manager runs Init over the whole tree each time a listener is added: children once.
void CheckResultItem::Init()
{
    if (!icon_)
        MakeChildren();
    VxHorizontalLayout::Init();
}

void CheckResultItem::Bind(FindingRow& record)
{
    record_ = &record;
    Refresh();
}

void CheckResultItem::Refresh()
{
    ShowText(nameLabel_, record_->groupName);
    ShowText(descriptionLabel_, OneLine(record_->Description()));
    if (descriptionLabel_)
        descriptionLabel_->SetVisible(record_->DescriptionShown());
    ShowText(countLabel_, record_->CountText());
    ShowStatusIcon();
}

void CheckResultItem::SetGroupName(std::wstring_view group)
{
    record_->groupName = group;
    ShowText(nameLabel_, record_->groupName);
}

void CheckResultItem::SetDescription(std::wstring_view description)
{
    record_->SetDescription(description);
    Refresh();
}

void CheckResultItem::AddDetail(std::wstring_view detail, std::wstring_view extra)
{
    if (record_->AddDetail(detail, extra) && detailTotal_)
        ++*detailTotal_;
    Refresh();
}

void CheckResultItem::ShareDetailTotal(int* total)
{
    detailTotal_ = total;
    if (detailTotal_)
        *detailTotal_ += GetDetailCount();
}

void CheckResultItem::RequestReport(const VxEventUI& event)
{
    if (event.sender && event.sender == reportButton_ && manager_)
        manager_->SendNotify(this, kNotifyReportRequested);
}

// Each child is dressed before it is added: a control without a manager asks for no repaint.
void CheckResultItem::MakeChildren()
{
    icon_ = AddChild(*this, MakeIcon(RECT{30, 22, 15, 0}, kDoneIcon));

    auto* column = MakeWheelChild<VxVerticalLayout>();
    column->SetPadding(RECT{0, 10, 10, 10});
    nameLabel_ = AddChild(*column, MakeLabel({.font = L"normal18", .style = kTextVCenter}));
    nameLabel_->StoreText(record_->groupName);
    descriptionLabel_ = AddChild(*column, MakeLabel({.font = L"normal16", .color = kGreyText, .style = kTextVCenter}));
    descriptionLabel_->StoreText(OneLine(record_->Description()));
    descriptionLabel_->SetVisible(record_->DescriptionShown());
    textColumn_ = AddChild(*this, column);

    statusIcon_ = MakeIcon(RECT{10, 22, 8, 0}, StatusIconOf(record_->rowStyle));
    statusIcon_->SetVisible(record_->rowStyle != scan::kJunkRow);
    AddChild(*this, statusIcon_);

    countLabel_ = MakeLabel({.font = L"normal18", .width = 160, .style = kTextVCenter});
    countLabel_->StoreText(record_->CountText());
    AddChild(*this, countLabel_);

    auto* button = new VxButton;  // handed to the row
    PassMouse(*button);
    SetDispatch(*button, {kEventSetCursor, kEventActivate});
    button->SetControlFlags(kFlagSetCursor, true);
    ApplyTextLook(*button,
                  {.font = L"underline16", .color = kLinkText, .width = 70, .padding = {0, 0, 45, 0}, .style = kTextVCenter});
    button->SetText(L"查看报告");
    reportButton_ = AddChild(*this, button);
}

// A pooled row may show records of several styles in turn.
void CheckResultItem::ShowStatusIcon()
{
    if (!statusIcon_)
        return;
    const int image = StatusIconOf(record_->rowStyle);
    statusIcon_->SetNormalBkImage(image != 0 ? PngImage(image) : std::wstring());
    statusIcon_->SetVisible(record_->rowStyle != scan::kJunkRow);
}

void CheckResultItem::ShowText(VxControl* label, std::wstring_view text)
{
    if (!label || label->GetText() == text)
        return;
    label->StoreText(text);
    RequestRepaint();
}

}  // namespace app
