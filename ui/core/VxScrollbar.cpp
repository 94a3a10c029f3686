#include "VxScrollbar.h"

#include <algorithm>
#include <string>

#include "AttributeValues.h"
#include "ScrollbarGeometry.h"
#include "VxContainer.h"
#include "VxPaintManager.h"
#include "VxRenderUtils.h"

namespace VXM {
namespace {

constexpr int kDefaultThickness = 16;
constexpr UINT kRepeatTimer = 10;
constexpr UINT kRepeatPeriod = 50;  // milliseconds
// Ticks of the repeat timer before a held button or track repeats (about 300 ms).
constexpr int kRepeatDelayTicks = 5;
constexpr DWORD kButtonFallbackColor = 0xFF85E4FF;
constexpr int kButtonFallbackPen = 2;
constexpr DWORD kThumbFallbackColor = 0xFFB8E0FF;

bool Contains(const RECT& rect, POINT point)
{
    return PtInRect(&rect, point) != FALSE;
}

// The element's place relative to the control, as the image renderer's placement modifier.
std::wstring DestModifier(const RECT& rect, const RECT& control)
{
    return L"dest='" + std::to_wstring(rect.left - control.left) + L',' + std::to_wstring(rect.top - control.top) +
           L',' + std::to_wstring(rect.right - control.left) + L',' + std::to_wstring(rect.bottom - control.top) + L'\'';
}

RECT Offset(RECT rect, LONG dx, LONG dy)
{
    OffsetRect(&rect, dx, dy);
    return rect;
}

}  // namespace

struct VxScrollbar::AttributeRow {
    std::wstring_view name;
    ElementImages VxScrollbar::*images = nullptr;  // an image row ...
    ElementState state = kNormal;
    void (*apply)(VxScrollbar& bar, std::wstring_view value) = nullptr;  // ... or a value row
};

VxScrollbar::VxScrollbar()
{
    fixedWidth_ = kDefaultThickness;
}

UINT VxScrollbar::GetClass() const
{
    return kClassScrollbar;
}

VxControl* VxScrollbar::GetInterface(UINT classCode)
{
    return classCode == kClassScrollbar ? this : VxControl::GetInterface(classCode);
}

void VxScrollbar::SetEnabled(bool enabled)
{
    VxControl::SetEnabled(enabled);
    if (enabled)
        return;
    button1State_ = 0;
    button2State_ = 0;
    thumbState_ = 0;
    StopRepeat();
}

void VxScrollbar::SetFocus()
{
    if (owner_)
        owner_->SetFocus();
    else
        VxControl::SetFocus();
}

void VxScrollbar::SetHorizontal(bool horizontal)
{
    if (horizontal_ == horizontal)
        return;
    horizontal_ = horizontal;
    if (horizontal && fixedHeight_ == 0) {
        fixedWidth_ = 0;
        fixedHeight_ = kDefaultThickness;
    } else if (!horizontal && fixedWidth_ == 0) {
        fixedWidth_ = kDefaultThickness;
        fixedHeight_ = 0;
    }
    NeedOwnerLayout();
}

void VxScrollbar::NeedOwnerLayout()
{
    if (owner_)
        owner_->NeedUpdate();
    else if (parent_)
        parent_->NeedUpdate();
    else if (manager_)
        manager_->NeedUpdate();
}

void VxScrollbar::SetInset(const RECT& inset)
{
    inset_ = inset;
    Relayout();
}

void VxScrollbar::SetScrollRange(int range)
{
    range = std::max(range, 0);
    if (range == range_)
        return;
    range_ = range;
    position_ = std::min(position_, range_);
    Relayout();
}

void VxScrollbar::SetScrollPos(int position)
{
    position = std::clamp(position, 0, range_);
    if (position == position_)
        return;
    position_ = position;
    Relayout();
}

void VxScrollbar::SetShowButton1(bool show)
{
    if (show == showButton1_)
        return;
    showButton1_ = show;
    Relayout();
}

void VxScrollbar::SetShowButton2(bool show)
{
    if (show == showButton2_)
        return;
    showButton2_ = show;
    Relayout();
}

void VxScrollbar::SetImage(std::wstring& slot, std::wstring_view image)
{
    if (slot == image)
        return;
    slot = image;
    Invalidate();
}

void VxScrollbar::Relayout()
{
    SetPos(GetPos());
    Invalidate();
}

void VxScrollbar::SetPos(RECT rect)
{
    VxControl::SetPos(rect);
    scrollbar::BarMetrics metrics;
    metrics.bar = GetPos();
    metrics.inset = inset_;
    metrics.horizontal = horizontal_;
    metrics.thickness = horizontal_ ? GetFixedHeight() : GetFixedWidth();
    metrics.fixedLength = horizontal_ ? GetFixedWidth() : GetFixedHeight();
    metrics.showButton1 = showButton1_;
    metrics.showButton2 = showButton2_;
    metrics.range = range_;
    metrics.position = position_;
    const scrollbar::BarParts parts = scrollbar::Layout(metrics);
    button1_ = parts.button1;
    button2_ = parts.button2;
    thumb_ = parts.thumb;
}

void VxScrollbar::LineStep(int direction)
{
    if (owner_) {
        if (horizontal_)
            direction < 0 ? owner_->LineLeft() : owner_->LineRight();
        else
            direction < 0 ? owner_->LineUp() : owner_->LineDown();
        return;
    }
    SetScrollPos(scrollbar::StepPosition(position_, int64_t{direction} * lineSize_));
}

void VxScrollbar::PageStep(int direction)
{
    if (owner_) {
        if (horizontal_)
            direction < 0 ? owner_->PageLeft() : owner_->PageRight();
        else
            direction < 0 ? owner_->PageUp() : owner_->PageDown();
        return;
    }
    const int page = scrollbar::BarLength(GetPos(), horizontal_);
    SetScrollPos(scrollbar::StepPosition(position_, int64_t{direction} * page));
}

int VxScrollbar::SideOfThumb(POINT point) const
{
    const LONG along = Along(point);
    if (along < (horizontal_ ? thumb_.left : thumb_.top))
        return -1;
    if (along >= (horizontal_ ? thumb_.right : thumb_.bottom))
        return 1;
    return 0;
}

void VxScrollbar::OnLButtonDown(VxEventUI& event)
{
    if (!IsEnabled())
        return;
    PressAt(event.mouse);
    VxControl::OnLButtonDown(event);
}

// Windows of a class with double-clicks turn a quick second click into a double-click; for the
// bar it is one more press, else every other quick click on an arrow or the track would be lost.
void VxScrollbar::OnLButtonDblClk(VxEventUI& event)
{
    if (IsEnabled())
        PressAt(event.mouse);
    VxControl::OnLButtonDblClk(event);
}

void VxScrollbar::PressAt(POINT point)
{
    dragOffset_ = 0;
    repeatTicks_ = 0;
    trackDirection_ = 0;
    if (manager_)
        manager_->SetTimer(this, kRepeatTimer, kRepeatPeriod);
    if (Contains(button1_, point)) {
        button1State_ |= kStatePushed;
        LineStep(-1);
    } else if (Contains(button2_, point)) {
        button2State_ |= kStatePushed;
        LineStep(1);
    } else if (Contains(thumb_, point)) {
        thumbState_ |= kStatePushed | kStateCaptured;
        pressPoint_ = point;
        pressPosition_ = position_;
    } else {
        // With no thumb (range 0, short bar) the whole track counts as after it.
        trackDirection_ = SideOfThumb(point) < 0 ? -1 : 1;
        PageStep(trackDirection_);
    }
    Invalidate();
}

void VxScrollbar::OnLButtonUp(VxEventUI& event)
{
    StopRepeat();
    if (thumbState_ & kStateCaptured)
        thumbState_ &= ~(kStatePushed | kStateCaptured);
    else if (button1State_ & kStatePushed)
        button1State_ &= ~kStatePushed;
    else if (button2State_ & kStatePushed)
        button2State_ &= ~kStatePushed;
    Invalidate();
    VxControl::OnLButtonUp(event);
}

void VxScrollbar::StopRepeat()
{
    repeatTicks_ = 0;
    dragOffset_ = 0;
    trackDirection_ = 0;
    if (manager_)
        manager_->KillTimer(this, kRepeatTimer);
}

void VxScrollbar::OnMouseMove(VxEventUI& event)
{
    if (thumbState_ & kStateCaptured) {
        const scrollbar::BarParts parts{button1_, button2_, thumb_};
        const int64_t travel = scrollbar::FreeTravel(parts, horizontal_);
        if (travel > 0)
            dragOffset_ = scrollbar::DragOffset(int64_t{Along(event.mouse)} - Along(pressPoint_), range_, travel);
    } else {
        const bool over = IsEnabled() && Contains(thumb_, event.mouse);
        const UINT hot = over ? UINT{kStateHot} : 0u;
        if ((thumbState_ & kStateHot) != hot) {
            thumbState_ = (thumbState_ & ~kStateHot) | hot;
            Invalidate();
        }
    }
    VxControl::OnMouseMove(event);
}

void VxScrollbar::OnTimer(VxEventUI& event)
{
    if (event.wParam != kRepeatTimer) {
        VxControl::OnTimer(event);
        return;
    }
    // Only "more than five ticks" matters; saturating keeps a long hold from overflowing.
    repeatTicks_ = std::min(repeatTicks_, kRepeatDelayTicks) + 1;
    if (thumbState_ & kStateCaptured) {
        SetScrollPosFromDrag();
        Invalidate();
    } else if (repeatTicks_ <= kRepeatDelayTicks) {
        return;
    } else if (button1State_ & kStatePushed) {
        LineStep(-1);
    } else if (button2State_ & kStatePushed) {
        LineStep(1);
    } else {
        RepeatPage();
    }
}

void VxScrollbar::SetScrollPosFromDrag()
{
    const int target = scrollbar::StepPosition(pressPosition_, dragOffset_);
    if (!owner_) {
        SetScrollPos(target);
        return;
    }
    SIZE position = owner_->GetScrollPos();
    (horizontal_ ? position.cx : position.cy) = target;
    owner_->SetScrollPos(position);
}

// Only steps in the pressed direction: a page may carry the thumb past the cursor, and
// stepping back would make it swing to and fro under a held button.
void VxScrollbar::RepeatPage()
{
    POINT cursor = {};
    if (!manager_ || !GetCursorPos(&cursor) || !ScreenToClient(manager_->GetPaintWindow(), &cursor))
        return;
    if (trackDirection_ != 0 && SideOfThumb(cursor) == trackDirection_)
        PageStep(trackDirection_);
}

void VxScrollbar::OnMouseEnter(VxEventUI& event)
{
    if (IsEnabled()) {
        button1State_ |= kStateHot;
        button2State_ |= kStateHot;
        if (Contains(thumb_, event.mouse))
            thumbState_ |= kStateHot;
        Invalidate();
    }
    VxControl::OnMouseEnter(event);
}

void VxScrollbar::OnMouseLeave(VxEventUI& event)
{
    button1State_ &= ~kStateHot;
    button2State_ &= ~kStateHot;
    thumbState_ &= ~kStateHot;
    Invalidate();
    VxControl::OnMouseLeave(event);
}

const VxScrollbar::AttributeRow* VxScrollbar::FindAttribute(std::wstring_view name)
{
    using Bar = VxScrollbar;
    using attributes::ParseBool;
    using attributes::ParseInt;
    static const AttributeRow rows[] = {
        {L"button1normalimage", &Bar::button1Images_, kNormal},
        {L"button1hotimage", &Bar::button1Images_, kHot},
        {L"button1pushedimage", &Bar::button1Images_, kPushed},
        {L"button1disabledimage", &Bar::button1Images_, kDisabled},
        {L"button2normalimage", &Bar::button2Images_, kNormal},
        {L"button2hotimage", &Bar::button2Images_, kHot},
        {L"button2pushedimage", &Bar::button2Images_, kPushed},
        {L"button2disabledimage", &Bar::button2Images_, kDisabled},
        {L"thumbnormalimage", &Bar::thumbImages_, kNormal},
        {L"thumbhotimage", &Bar::thumbImages_, kHot},
        {L"thumbpushedimage", &Bar::thumbImages_, kPushed},
        {L"thumbdisabledimage", &Bar::thumbImages_, kDisabled},
        {L"railnormalimage", &Bar::railImages_, kNormal},
        {L"railhotimage", &Bar::railImages_, kHot},
        {L"railpushedimage", &Bar::railImages_, kPushed},
        {L"raildisabledimage", &Bar::railImages_, kDisabled},
        {L"bknormalimage", &Bar::bkImages_, kNormal},
        {L"bkhotimage", &Bar::bkImages_, kHot},
        {L"bkpushedimage", &Bar::bkImages_, kPushed},
        {L"bkdisabledimage", &Bar::bkImages_, kDisabled},
        {L"hor", nullptr, kNormal, [](Bar& bar, std::wstring_view value) { bar.SetHorizontal(ParseBool(value)); }},
        {L"linesize", nullptr, kNormal, [](Bar& bar, std::wstring_view value) { bar.SetLineSize(ParseInt(value)); }},
        {L"range", nullptr, kNormal, [](Bar& bar, std::wstring_view value) { bar.SetScrollRange(ParseInt(value)); }},
        {L"value", nullptr, kNormal, [](Bar& bar, std::wstring_view value) { bar.SetScrollPos(ParseInt(value)); }},
        {L"showbutton1", nullptr, kNormal,
         [](Bar& bar, std::wstring_view value) { bar.SetShowButton1(ParseBool(value)); }},
        {L"showbutton2", nullptr, kNormal,
         [](Bar& bar, std::wstring_view value) { bar.SetShowButton2(ParseBool(value)); }},
        {L"inset", nullptr, kNormal,
         [](Bar& bar, std::wstring_view value) { bar.SetInset(attributes::ParseRect(value)); }},
    };
    for (const AttributeRow& row : rows) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

void VxScrollbar::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    const AttributeRow* row = FindAttribute(name);
    if (!row)
        VxControl::SetAttribute(name, value);
    else if (row->images)
        SetImage((this->*row->images)[row->state], value);
    else
        row->apply(*this, value);
}

void VxScrollbar::DoPaint(HDC dc, const RECT& paint)
{
    if (!IsVisible() || !IntersectRect(&paintRect_, &paint, &itemRect_))
        return;
    PaintBk(dc);
    PaintButton1(dc);
    PaintButton2(dc);
    PaintThumb(dc);
    PaintRail(dc);
}

void VxScrollbar::UpdateDisabledBit(UINT& state) const
{
    if (IsEnabled())
        state &= ~kStateDisabled;
    else
        state |= kStateDisabled;
}

bool VxScrollbar::DrawOrDrop(HDC dc, std::wstring& image, std::wstring_view modifier)
{
    if (image.empty())
        return false;
    if (DrawImage(dc, image, modifier))
        return true;
    image.clear();
    return false;
}

bool VxScrollbar::DrawElement(HDC dc, UINT state, ElementImages& images, std::wstring_view modifier)
{
    const ElementState chosen = (state & kStateDisabled) ? kDisabled
                                : (state & kStatePushed) ? kPushed
                                : (state & kStateHot)    ? kHot
                                                         : kNormal;
    if (chosen != kNormal && DrawOrDrop(dc, images[chosen], modifier))
        return true;
    return DrawOrDrop(dc, images[kNormal], modifier);
}

void VxScrollbar::PaintBk(HDC dc)
{
    UpdateDisabledBit(state_);
    DrawElement(dc, state_, bkImages_, {});
}

void VxScrollbar::PaintButton1(HDC dc)
{
    UpdateDisabledBit(button1State_);
    if (!IsRectEmpty(&button1_) && !DrawElement(dc, button1State_, button1Images_, DestModifier(button1_, GetPos())))
        VxRenderUtils::DrawRect(dc, button1_, kButtonFallbackPen, kButtonFallbackColor);
}

void VxScrollbar::PaintButton2(HDC dc)
{
    UpdateDisabledBit(button2State_);
    if (!IsRectEmpty(&button2_) && !DrawElement(dc, button2State_, button2Images_, DestModifier(button2_, GetPos())))
        VxRenderUtils::DrawRect(dc, button2_, kButtonFallbackPen, kButtonFallbackColor);
}

void VxScrollbar::PaintThumb(HDC dc)
{
    UpdateDisabledBit(thumbState_);
    if (IsRectEmpty(&thumb_) || DrawElement(dc, thumbState_, thumbImages_, DestModifier(thumb_, GetPos())))
        return;
    const bool layered = manager_ && manager_->IsLayeredWindow();
    VxRenderUtils::DrawColor(dc, thumb_, kThumbFallbackColor, layered);
}

void VxScrollbar::PaintRail(HDC dc)
{
    if (IsRectEmpty(&thumb_))
        return;
    const RECT& control = GetPos();
    const RECT relativeThumb = Offset(thumb_, -control.left, -control.top);
    const int thickness = horizontal_ ? GetFixedHeight() : GetFixedWidth();
    const RECT rail = Offset(scrollbar::RailRect(relativeThumb, thickness, inset_, horizontal_), control.left, control.top);
    DrawElement(dc, thumbState_, railImages_, DestModifier(rail, control));
}

}  // namespace VXM
