#include "LeftOption.h"

#include <string>

#include "AppNotify.h"
#include "ChildControls.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace app {
namespace {

constexpr DWORD kSelectedBarColor = 0xFF1196FF;
constexpr DWORD kHotColor = 0xFFDFDFDF;
constexpr DWORD kBadgeColor = 0xFFFFC853;

// Every child passes the mouse and its clicks to the entry, and shows the hand.
template <typename Control = VxControl>
Control* MakeChild()
{
    auto* child = new Control;  // handed to the entry
    PassMouse(*child);
    SetDispatch(*child, {kEventActivate, kEventSetCursor});
    child->SetControlFlags(kFlagSetCursor, true);
    return child;
}

}  // namespace

LeftOption::LeftOption()
{
    SetLayoutType(kLayoutHorizontal);
    PassMouse(*this);
    SetControlFlags(kFlagSetCursor, true);
    SetFixedHeight(60);
    bkColors_[kBkHot] = kHotColor;
}

UINT LeftOption::GetClass() const
{
    return kClassLeftOption;
}

VxControl* LeftOption::GetInterface(UINT classCode)
{
    switch (classCode) {
    case kClassLeftOption:
    case kClassContainer:
    case kClassControl:
        return this;
    default:
        return nullptr;
    }
}

void LeftOption::OnLButtonDblClk(VxEventUI&)
{
    if (IsVisible() && IsEnabled() && manager_)
        manager_->SendNotify(this, kNotifyCategoryActivated);
}

bool LeftOption::Activate(VxEventUI&)
{
    if (!IsVisible() || !IsEnabled())
        return false;
    if (manager_)
        manager_->SendNotify(this, kNotifyCategoryActivated);
    return true;
}

// The manager runs Init over the whole tree each time a listener is added: children once.
void LeftOption::Init()
{
    if (!highlight_)
        MakeChildren();
    VxButton::Init();
}

void LeftOption::SetCount(int count)
{
    const std::wstring text = std::to_wstring(count);
    if (!badge_ || badge_->GetText() == text)
        return;
    badge_->StoreText(text);
    // The badge's width follows its text: the entry lays its children out again.
    NeedUpdate();
    RequestRepaint();
}

// Each child is dressed before it is added: a control without a manager asks for no repaint.
void LeftOption::MakeChildren()
{
    highlight_ = MakeChild();
    highlight_->SetFixedWidth(5);
    AddChild(*this, highlight_);

    icon_ = MakeChild();
    icon_->SetFixedWidth(26);
    icon_->SetFixedHeight(26);
    icon_->SetPadding(RECT{10, 17, 10, 13});
    AddChild(*this, icon_);

    title_ = MakeChild();
    ApplyTextLook(*title_, {.font = L"normal18", .color = 0xFF222222, .style = kTextVCenter});
    title_->SetSelectedTextColor(kSelectedBarColor);
    AddChild(*this, title_);

    badge_ = MakeChild();
    ApplyTextLook(*badge_, {.font = L"normal18", .height = 30, .padding = {0, 15, 10, 0}, .style = kTextCentered});
    badge_->SetNormalBkColor(kBadgeColor);
    badge_->SetNormalTextPadding(RECT{10, 0, 10, 0});
    badge_->SetSelfAdaption(true);
    AddChild(*this, badge_);
}

void LeftOption::SetSelected(bool selected)
{
    if (highlight_)
        highlight_->SetNormalBkColor(selected ? kSelectedBarColor : 0);
}

void LeftOption::SetIconImage(std::wstring_view image)
{
    if (icon_)
        icon_->SetNormalImage(image);
}

void LeftOption::SetTitle(std::wstring_view title)
{
    if (title_)
        title_->SetText(title);
}

}  // namespace app
