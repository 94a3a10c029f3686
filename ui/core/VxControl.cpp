#include "VxControl.h"

#include "AttributeList.h"
#include "ControlText.h"
#include "RectMath.h"
#include "VxPaintManager.h"

namespace VXM {

VxControl::VxControl()
{
    controlFlags_.set(kFlagFocusable);
}

VxControl::~VxControl()
{
    if (manager_)
        manager_->ReapObjects(this);
}

int VxControl::GetX() const
{
    return itemRect_.left;
}

int VxControl::GetY() const
{
    return itemRect_.top;
}

int VxControl::GetWidth() const
{
    return ClampToInt(int64_t{itemRect_.right} - itemRect_.left);
}

int VxControl::GetHeight() const
{
    return ClampToInt(int64_t{itemRect_.bottom} - itemRect_.top);
}

bool VxControl::GetControlFlags(int position) const
{
    return position >= 0 && position < kControlFlagCount && controlFlags_.test(position);
}

void VxControl::SetControlFlags(int position, bool value)
{
    if (position >= 0 && position < kControlFlagCount)
        controlFlags_.set(position, value);
}

bool VxControl::GetControlNotify(int position) const
{
    return position >= 0 && position < kNotifyCount && notify_.test(position);
}

void VxControl::SetControlNotify(int position, bool value)
{
    if (position >= 0 && position < kNotifyCount)
        notify_.set(position, value);
}

bool VxControl::GetControlDispatch(int position) const
{
    return position >= 0 && position < kDispatchCount && dispatch_.test(position);
}

void VxControl::SetControlDispatch(int position, bool value)
{
    if (position >= 0 && position < kDispatchCount)
        dispatch_.set(position, value);
}

UINT VxControl::GetClass() const
{
    return kClassControl;
}

VxControl* VxControl::GetInterface(UINT classCode)
{
    return classCode == kClassControl ? this : nullptr;
}

VxControl* VxControl::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & kFindVisible) && !IsVisible())
        return nullptr;
    if ((flags & kFindEnabled) && !IsEnabled())
        return nullptr;
    if (flags & kFindHitTest) {
        const RECT hit = ShrinkRect(itemRect_, cut_);
        if (!data || !PtInRect(&hit, *static_cast<const POINT*>(data)))
            return nullptr;
    }
    return proc ? proc(this, data) : nullptr;
}

RECT VxControl::GetPadding() const
{
    return padding_;
}

void VxControl::SetPadding(const RECT& padding)
{
    if (EqualRect(&padding_, &padding))
        return;
    padding_ = padding;
    NeedParentUpdate();
}

SIZE VxControl::EstimateSize(SIZE)
{
    SIZE size = {fixedWidth_, fixedHeight_};
    if (selfAdaption_ && manager_) {
        const SIZE text = MeasureControlText(nullptr, manager_, text_, fonts_[kNormal]);
        const RECT& padding = textPaddings_[kNormal];
        size.cx = ClampToInt(int64_t{text.cx} + padding.left + padding.right);
    }
    return size;
}

const RECT& VxControl::GetPos() const
{
    return itemRect_;
}

void VxControl::SetPos(RECT rect)
{
    updateNeeded_ = false;
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    itemRect_ = rect;
}

RECT VxControl::GetCut() const
{
    return cut_;
}

void VxControl::SetCut(const RECT& cut)
{
    cut_ = cut;
}

bool VxControl::IsVisible() const
{
    return visible_ && insetVisible_;
}

void VxControl::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    focused_ = false;
    NeedParentUpdate();
}

bool VxControl::IsInsetVisible() const
{
    return insetVisible_;
}

void VxControl::SetInsetVisible(bool visible)
{
    insetVisible_ = visible;
}

void VxControl::SetParent(VxControl* parent)
{
    parent_ = parent;
}

VxControl* VxControl::GetParent() const
{
    return parent_;
}

namespace {

// Sizes below 0 are refused; an unchanged size asks for no layout.
bool StoreSize(int& field, int value)
{
    if (value < 0 || field == value)
        return false;
    field = value;
    return true;
}

}  // namespace

int VxControl::GetFixedWidth() const
{
    return fixedWidth_;
}

void VxControl::SetFixedWidth(int width)
{
    if (StoreSize(fixedWidth_, width))
        NeedParentUpdate();
}

int VxControl::GetFixedHeight() const
{
    return fixedHeight_;
}

void VxControl::SetFixedHeight(int height)
{
    if (StoreSize(fixedHeight_, height))
        NeedParentUpdate();
}

SIZE VxControl::GetFixedXY() const
{
    return fixedXY_;
}

void VxControl::SetFixedXY(SIZE xy)
{
    if (fixedXY_.cx == xy.cx && fixedXY_.cy == xy.cy)
        return;
    fixedXY_ = xy;
    NeedParentUpdate();
}

int VxControl::GetMinWidth() const
{
    return minWidth_;
}

void VxControl::SetMinWidth(int width)
{
    if (StoreSize(minWidth_, width))
        NeedParentUpdate();
}

int VxControl::GetMaxWidth() const
{
    return maxWidth_;
}

void VxControl::SetMaxWidth(int width)
{
    if (StoreSize(maxWidth_, width))
        NeedParentUpdate();
}

int VxControl::GetMinHeight() const
{
    return minHeight_;
}

void VxControl::SetMinHeight(int height)
{
    if (StoreSize(minHeight_, height))
        NeedParentUpdate();
}

int VxControl::GetMaxHeight() const
{
    return maxHeight_;
}

void VxControl::SetMaxHeight(int height)
{
    if (StoreSize(maxHeight_, height))
        NeedParentUpdate();
}

bool VxControl::IsEnabled() const
{
    return enabled_;
}

void VxControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (!enabled_)
        state_ = 0;
    Invalidate();
}

bool VxControl::IsSelfAdaption() const
{
    return selfAdaption_;
}

void VxControl::SetSelfAdaption(bool selfAdaption)
{
    if (selfAdaption_ == selfAdaption)
        return;
    selfAdaption_ = selfAdaption;
    NeedParentUpdate();
}

VxPaintManager* VxControl::GetManager() const
{
    return manager_;
}

void VxControl::SetManager(VxPaintManager* manager)
{
    manager_ = manager;
}

void VxControl::Init() {}

bool VxControl::IsFloat() const
{
    return float_;
}

void VxControl::SetFloat(bool value)
{
    if (float_ == value)
        return;
    float_ = value;
    NeedParentUpdate();
}

bool VxControl::IsAbsFloat() const
{
    return absFloat_;
}

void VxControl::SetAbsFloat(bool value)
{
    if (absFloat_ == value)
        return;
    absFloat_ = value;
    NeedParentUpdate();
}

bool VxControl::IsRelFloat() const
{
    return relFloat_;
}

void VxControl::SetRelFloat(bool value)
{
    if (relFloat_ == value)
        return;
    relFloat_ = value;
    NeedParentUpdate();
}

const std::wstring& VxControl::GetTooltip() const
{
    return tooltip_;
}

void VxControl::SetTooltip(std::wstring_view tooltip)
{
    tooltip_ = tooltip;
}

const std::wstring& VxControl::GetText() const
{
    return text_;
}

void VxControl::SetText(std::wstring_view text)
{
    if (text_ == text)
        return;
    text_ = text;
    Invalidate();
}

const std::wstring& VxControl::GetName() const
{
    return name_;
}

void VxControl::SetName(std::wstring_view name)
{
    name_ = name;
}

UINT VxControl::GetID() const
{
    return id_;
}

void VxControl::SetID(UINT id)
{
    id_ = id;
}

bool VxControl::IsFocused() const
{
    return focused_;
}

void VxControl::SetFocus()
{
    if (manager_)
        manager_->SetFocus(this, true);
}

const std::wstring& VxControl::GetUserData() const
{
    return userData_;
}

void VxControl::SetUserData(std::wstring_view text)
{
    userData_ = text;
}

void* VxControl::GetData() const
{
    return data_;
}

void VxControl::SetData(void* data)
{
    data_ = data;
}

UINT VxControl::GetTag() const
{
    return tag_;
}

void VxControl::SetTag(UINT tag)
{
    tag_ = tag;
}

wchar_t VxControl::GetShortcut() const
{
    return shortcut_;
}

void VxControl::SetShortcut(wchar_t shortcut)
{
    shortcut_ = shortcut;
}

namespace {

// Stores a colour; true when it changed, so the caller repaints.
bool StoreColor(DWORD& field, DWORD color)
{
    if (field == color)
        return false;
    field = color;
    return true;
}

}  // namespace

void VxControl::SetNormalTextColor(DWORD color)
{
    if (StoreColor(textColors_[kNormal], color))
        Invalidate();
}

DWORD VxControl::GetNormalTextColor() const
{
    return textColors_[kNormal];
}

void VxControl::SetHotTextColor(DWORD color)
{
    if (StoreColor(textColors_[kHot], color))
        Invalidate();
}

DWORD VxControl::GetHotTextColor() const
{
    return textColors_[kHot];
}

void VxControl::SetPushedTextColor(DWORD color)
{
    if (StoreColor(textColors_[kPushed], color))
        Invalidate();
}

DWORD VxControl::GetPushedTextColor() const
{
    return textColors_[kPushed];
}

void VxControl::SetSelectedTextColor(DWORD color)
{
    if (StoreColor(textColors_[kSelected], color))
        Invalidate();
}

DWORD VxControl::GetSelectedTextColor() const
{
    return textColors_[kSelected];
}

void VxControl::SetDisabledTextColor(DWORD color)
{
    if (StoreColor(textColors_[kDisabled], color))
        Invalidate();
}

DWORD VxControl::GetDisabledTextColor() const
{
    return textColors_[kDisabled];
}

void VxControl::SetWnd(HWND window)
{
    window_ = window;
}

void VxControl::SetNormalBkColor(DWORD color)
{
    if (StoreColor(bkColors_[kBkNormal], color))
        Invalidate();
}

void VxControl::SetNormalImage(std::wstring_view image)
{
    if (images_[kImageNormal] == image)
        return;
    images_[kImageNormal] = image;
    Invalidate();
}

void VxControl::SetNormalBkImage(std::wstring_view image)
{
    if (bkImages_[kImageNormal] == image)
        return;
    bkImages_[kImageNormal] = image;
    Invalidate();
}

VxControl* VxControl::ApplyAttributeList(std::wstring_view list)
{
    for (const AttributePair& pair : ParseAttributeList(list))
        SetAttribute(pair.name, pair.value);
    return this;
}

void VxControl::Invalidate()
{
    VxControl* top = this;
    while (top->parent_ && top->parent_->IsUpdateNeeded())
        top = top->parent_;
    if (top->IsVisible() && top->manager_)
        top->manager_->InvalidateRect(top->GetPos());
}

void VxControl::RequestRepaint()
{
    if (repaintRequested_)
        return;
    repaintRequested_ = true;
    Invalidate();
}

void VxControl::NeedUpdate()
{
    updateNeeded_ = true;
    if (manager_)
        manager_->NeedUpdate();
}

void VxControl::NeedParentUpdate()
{
    if (parent_)
        parent_->NeedUpdate();
    else
        NeedUpdate();
}

}  // namespace VXM
