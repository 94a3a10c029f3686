#include "RuntimeLibItem.h"

#include "AppNotify.h"
#include "ChildControls.h"
#include "VxVerticalLayout.h"

using namespace VXM;

namespace app {
namespace {

constexpr int kDoneIcon = 114;
constexpr DWORD kDoneColor = 0xFF28C445;

}  // namespace

UINT RuntimeLibItem::GetClass() const
{
    return kClassRuntimeLibItem;
}

VxControl* RuntimeLibItem::GetInterface(UINT classCode)
{
    switch (classCode) {
    case kClassRuntimeLibItem:
    case kClassContainer:
    case kClassControl:
        return this;
    default:
        return nullptr;
    }
}

// Children once, however often Init runs; a name or state given before shows now.
void RuntimeLibItem::Init()
{
    if (!icon_)
        MakeChildren();
    VxHorizontalLayout::Init();
}

void RuntimeLibItem::MakeChildren()
{
    PassMouse(*this);
    SetFixedHeight(68);
    SetPadding(RECT{0, 0, 0, 5});
    SetNormalBkColor(0xFFF5F5F5);
    borderColors_[kBorderNormal] = 0xFFE6E6E6;
    borderSizes_[kBorderNormal] = 1;

    // Dressed before they are added: a control without a manager asks for no repaint.
    icon_ = MakeWheelChild();
    icon_->SetFixedWidth(24);
    icon_->SetFixedHeight(24);
    icon_->SetPadding(RECT{30, 22, 15, 0});
    AddChild(*this, icon_);

    auto* column = MakeWheelChild<VxVerticalLayout>();
    column->SetPadding(RECT{0, 10, 10, 10});
    nameLabel_ = AddChild(*column, MakeWheelChild());
    ApplyTextLook(*nameLabel_, {.font = L"normal18", .style = kTextVCenter});
    nameLabel_->SetText(name_);
    AddChild(*this, column);

    statusLabel_ = MakeWheelChild();
    ApplyTextLook(*statusLabel_, {.font = L"normal18", .width = 160, .style = kTextVCenter});
    statusLabel_->SetText(L"修复中...");
    AddChild(*this, statusLabel_);
    ShowState();
}

void RuntimeLibItem::SetName(std::wstring_view name)
{
    name_ = name;
    if (nameLabel_)
        nameLabel_->SetText(name);
}

void RuntimeLibItem::MarkDone()
{
    state_ = State::kDone;
    ShowState();
}

void RuntimeLibItem::MarkFailed()
{
    if (state_ != State::kRepairing)
        return;
    state_ = State::kFailed;
    ShowState();
}

void RuntimeLibItem::ShowState()
{
    if (!icon_)
        return;
    switch (state_) {
    case State::kRepairing:
        break;
    case State::kDone:
        icon_->SetNormalBkImage(PngImage(kDoneIcon));
        statusLabel_->SetNormalTextColor(kDoneColor);
        statusLabel_->SetText(L"已完成");
        break;
    case State::kFailed:
        statusLabel_->SetNormalTextColor(kSkinRed);
        statusLabel_->SetText(L"修复失败");
        break;
    }
}

}  // namespace app
