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

VxControl* MakeIcon(const RECT& padding)
{
    VxControl* icon = MakeWheelChild();
    icon->SetFixedWidth(24);
    icon->SetFixedHeight(24);
    icon->SetPadding(padding);
    return icon;
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

std::wstring CountTextOf(int rowStyle, int count)
{
    switch (rowStyle) {
    case scan::kEventRow:
        return L"崩溃次数：" + std::to_wstring(count);
    case scan::kErrorRow:
        return L"错误";
    case scan::kJunkRow:
        return L"可清理：" + std::to_wstring(count);
    case scan::kDllRow:
        return L"异常";
    default:
        return {};
    }
}

}  // namespace

CheckResultItem::CheckResultItem(int rowStyle) : rowStyle_(rowStyle)
{
    SetDispatch(*this, kPassMouse);
    SetFixedHeight(68);
    SetPadding(RECT{0, 0, 0, 5});
    SetNormalBkColor(0xFFF5F5F5);
    borderColors_[kBorderNormal] = 0xFFE6E6E6;
    borderSizes_[kBorderNormal] = 1;
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

void CheckResultItem::SetGroupName(std::wstring_view group)
{
    groupName_ = group;
    if (nameLabel_)
        nameLabel_->SetText(group);
}

void CheckResultItem::SetDescription(std::wstring_view description)
{
    description_ = description;
    if (!descriptionLabel_)
        return;
    descriptionLabel_->SetText(description);
    if (!description.empty())
        descriptionLabel_->SetVisible(true);
}

void CheckResultItem::AddDetail(const std::wstring& detail, const std::wstring& extra)
{
    if (details_.try_emplace(detail, extra).second && detailTotal_)
        ++*detailTotal_;
    UpdateTexts();
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

void CheckResultItem::MakeChildren()
{
    icon_ = AddChild(*this, MakeIcon(RECT{30, 22, 15, 0}));
    icon_->SetNormalBkImage(PngImage(kDoneIcon));

    textColumn_ = AddChild(*this, MakeWheelChild<VxVerticalLayout>());
    textColumn_->SetPadding(RECT{0, 10, 10, 10});
    nameLabel_ = AddChild(*textColumn_, MakeWheelChild());
    ApplyTextLook(*nameLabel_, {.font = L"normal18", .style = kTextVCenter});
    descriptionLabel_ = AddChild(*textColumn_, MakeWheelChild());
    ApplyTextLook(*descriptionLabel_, {.font = L"normal16", .color = kGreyText, .style = kTextVCenter});
    descriptionLabel_->SetVisible(false);

    statusIcon_ = AddChild(*this, MakeIcon(RECT{10, 22, 8, 0}));
    if (const int image = StatusIconOf(rowStyle_))
        statusIcon_->SetNormalBkImage(PngImage(image));
    else if (rowStyle_ == scan::kJunkRow)
        statusIcon_->SetVisible(false);

    countLabel_ = AddChild(*this, MakeWheelChild());
    ApplyTextLook(*countLabel_, {.font = L"normal18", .width = 160, .style = kTextVCenter});

    reportButton_ = AddChild(*this, new VxButton);
    SetDispatch(*reportButton_, kPassMouse);
    SetDispatch(*reportButton_, {kEventSetCursor, kEventActivate});
    reportButton_->SetControlFlags(kFlagSetCursor, true);
    ApplyTextLook(*reportButton_,
                  {.font = L"underline16", .color = kLinkText, .width = 70, .padding = {0, 0, 45, 0}, .style = kTextVCenter});
    reportButton_->SetText(L"查看报告");

    // What was given before Init shows now.
    nameLabel_->SetText(groupName_);
    descriptionLabel_->SetText(description_);
    descriptionLabel_->SetVisible(!description_.empty());
    if (details_.empty())
        countLabel_->SetText(CountTextOf(rowStyle_, 0));
    else
        UpdateTexts();
}

void CheckResultItem::UpdateTexts()
{
    if (rowStyle_ == scan::kJunkRow)
        SetDescription(L"垃圾文件：" + std::to_wstring(GetDetailCount()) + L"项");
    if (countLabel_)
        countLabel_->SetText(CountTextOf(rowStyle_, GetDetailCount()));
}

}  // namespace app
