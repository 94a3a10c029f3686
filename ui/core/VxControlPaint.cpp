#include <algorithm>
#include <cstdint>

#include "ControlText.h"
#include "RectMath.h"
#include "VxControl.h"
#include "VxPaintManager.h"
#include "VxRenderClip.h"
#include "VxRenderUtils.h"

namespace VXM {
namespace {

constexpr DWORD kDefaultFocusBorderColor = 0xFF2EC9F2;
// Space between two copies of rolling text.
constexpr int64_t kRollGap = 10;

// A state bit and the index of the per-state value it selects.
using StateChoice = std::pair<UINT, int>;

// The index of the first value whose state bit is on and which is set, else `fallback`.
template <size_t N, typename Value, typename IsSet>
int FirstSetIndex(UINT state, const StateChoice (&order)[N], const Value* values, int fallback, IsSet isSet)
{
    for (const auto& [bit, index] : order) {
        if ((state & bit) && isSet(values[index]))
            return index;
    }
    return fallback;
}

bool IsSetColor(DWORD color)
{
    return color != 0;
}

bool IsLayered(const VxPaintManager* manager)
{
    return manager && manager->IsLayeredWindow();
}

// A pen wider than the rectangle only fills it; keeping it at that size spares GDI absurd pens.
int BorderPenWidth(const RECT& rect, int size)
{
    const int64_t extent = std::max(int64_t{rect.right} - rect.left, int64_t{rect.bottom} - rect.top);
    return static_cast<int>(std::clamp<int64_t>(size, 1, std::max<int64_t>(extent, 1)));
}

}  // namespace

bool VxControl::DrawImage(HDC dc, const std::wstring& image, std::wstring_view modify)
{
    return VxRenderUtils::DrawImageString(dc, itemRect_, paintRect_, image, modify);
}

void VxControl::DoPaint(HDC dc, const RECT& paint)
{
    repaintRequested_ = false;
    if (!IsVisible() || !IntersectRect(&paintRect_, &paint, &itemRect_))
        return;
    state_ = IsFocused() ? state_ | kStateFocused : state_ & ~kStateFocused;
    state_ = IsEnabled() ? state_ & ~kStateDisabled : state_ | kStateDisabled;
    VxRenderClip clip;
    if (roundCorner_.cx != 0 || roundCorner_.cy != 0)
        VxRenderClip::GenerateClip(dc, itemRect_, roundCorner_, clip);
    PaintBkColor(dc);
    PaintBkImage(dc);
    PaintStatusColor(dc);
    PaintStatusImage(dc);
    PaintText(dc);
    PaintBorder(dc);
}

void VxControl::PaintBkColor(HDC dc)
{
    constexpr StateChoice kOrder[] = {{kStateDisabled, kBkDisabled},
                                      {kStateSelected, kBkSelected},
                                      {kStatePushed, kBkPushed},
                                      {kStateHot, kBkHot},
                                      {kStateFocused, kBkFocused}};
    const DWORD color = bkColors_[FirstSetIndex(state_, kOrder, bkColors_, kBkNormal, IsSetColor)];
    if (color != 0)
        VxRenderUtils::DrawColor(dc, itemRect_, color, IsLayered(manager_));
}

void VxControl::PaintStatusColor(HDC dc)
{
    if (bkColors_[kBkNormal] != 0)
        VxRenderUtils::DrawColor(dc, itemRect_, statusColor_, IsLayered(manager_));
}

namespace {

// An image that fails to draw is dropped for good, so a missing image costs one load attempt,
// not one on every paint.
bool DrawOrDrop(VxControl& control, HDC dc, std::wstring& image, std::wstring_view modifier = {})
{
    if (image.empty())
        return false;
    if (control.DrawImage(dc, image, modifier))
        return true;
    image.clear();
    return false;
}

// The first of the state images whose bits are on that draws.
template <size_t N>
bool DrawFirstStateImage(VxControl& control, HDC dc, UINT state, const StateChoice (&order)[N],
                         std::wstring* images)
{
    for (const auto& [bit, index] : order) {
        if ((state & bit) && DrawOrDrop(control, dc, images[index]))
            return true;
    }
    return false;
}

}  // namespace

void VxControl::PaintBkImage(HDC dc)
{
    // The selected background image is the option's own (it draws it itself).
    constexpr StateChoice kOrder[] = {{kStateDisabled, kImageDisabled},
                                      {kStatePushed, kImagePushed},
                                      {kStateHot, kImageHot},
                                      {kStateFocused, kImageFocused}};
    if (!DrawFirstStateImage(*this, dc, state_, kOrder, bkImages_))
        DrawOrDrop(*this, dc, bkImages_[kImageNormal]);
}

void VxControl::PaintStatusImage(HDC dc)
{
    constexpr StateChoice kOrder[] = {{kStateDisabled, kImageDisabled},
                                      {kStateSelected, kImageSelected},
                                      {kStatePushed, kImagePushed},
                                      {kStateHot, kImageHot},
                                      {kStateFocused, kImageFocused}};
    if (DrawFirstStateImage(*this, dc, state_, kOrder, images_) || images_[kImageNormal].empty())
        return;
    // Animations turn and crop the normal image through the image attribute.
    VxImageString modifier;
    double angle = 0.0;
    if (imageAttribute_.GetRotate(angle) && angle != 0.0)
        modifier.SetRotate(angle);
    RECT source = {};
    if (imageAttribute_.GetSource(source) && !IsZeroRect(source))
        modifier.SetSource(source);
    DrawOrDrop(*this, dc, images_[kImageNormal], modifier.GetString());
}

namespace {

// Copies of the text one after another, shifted left by the roll offset, clipped to the text
// rectangle. The offset is kept within two periods so that a long hover cannot overflow it.
void PaintRollText(VxControl& control, HDC dc, const RECT& textRect, int textWidth, DWORD color,
                   const std::wstring& font)
{
    VxImageString& attribute = control.GetImageAttribute();
    int offset = 0;
    attribute.GetTextRoll(offset);
    const int64_t period = int64_t{textWidth} + kRollGap;
    if (offset < 0 || offset >= 2 * period) {
        offset = static_cast<int>(period + (offset % period + period) % period);
        attribute.SetTextRoll(offset);
    }
    VxRenderClip clip;
    VxRenderClip::GenerateClip(dc, textRect, clip);
    const UINT style =
        (control.GetTextStyle() & ~(DT_CENTER | DT_RIGHT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) |
        DT_SINGLELINE;
    VxPaintManager* manager = control.GetManager();
    for (int64_t left = int64_t{textRect.left} - offset % period; left < textRect.right; left += period) {
        RECT copy = {ClampToInt(left), textRect.top, ClampToInt(left + textWidth), textRect.bottom};
        DrawControlText(dc, manager, copy, control.GetText(), color, font, style, control.GetRowHeight(), false,
                        IsLayered(manager));
    }
}

}  // namespace

void VxControl::PaintText(HDC dc)
{
    if (text_.empty())
        return;
    constexpr StateChoice kOrder[] = {
        {kStateDisabled, kDisabled}, {kStateSelected, kSelected}, {kStatePushed, kPushed}, {kStateHot, kHot}};
    const RECT& padding =
        textPaddings_[FirstSetIndex(state_, kOrder, textPaddings_, kNormal, [](const RECT& r) { return !IsZeroRect(r); })];
    const DWORD color = textColors_[FirstSetIndex(state_, kOrder, textColors_, kNormal, IsSetColor)];
    const std::wstring& font =
        fonts_[FirstSetIndex(state_, kOrder, fonts_, kNormal, [](const std::wstring& f) { return !f.empty(); })];
    RECT textRect = ShrinkRect(itemRect_, padding);
    int offset = 0;
    if (GetControlFlags(kFlagEnterRollText) && imageAttribute_.GetTextRoll(offset) && offset != 0) {
        const SIZE size = MeasureControlText(dc, manager_, text_, font);
        if (size.cx > textRect.right - textRect.left) {
            PaintRollText(*this, dc, textRect, size.cx, color, font);
            return;
        }
        if (manager_)
            manager_->GetAnimationManager().Remove(this, kAnimationTextRoll);
    }
    DrawControlText(dc, manager_, textRect, text_, color, font, textStyle_, rowHeight_, htmlText_, IsLayered(manager_));
}

void VxControl::PaintBorder(HDC dc)
{
    DWORD color = 0;
    int size = 0;
    if (state_ & kStateFocused) {
        color = borderColors_[kBorderFocus];
        if (color == 0 && manager_ && manager_->IsUseDefaultFocusBorder())
            color = kDefaultFocusBorderColor;
        size = borderSizes_[kBorderFocus];
        if (manager_ && !manager_->IsDrawTabFocusBorder())
            color = 0;
    }
    // A focused control whose focus border is not shown keeps the border of its other state.
    if (color == 0 || size <= 0) {
        constexpr StateChoice kOrder[] = {{kStateSelected, kBorderSelected}, {kStateHot, kBorderHot}};
        int index = kBorderNormal;
        for (const auto& [bit, candidate] : kOrder) {
            if ((state_ & bit) && borderColors_[candidate] != 0 && borderSizes_[candidate] > 0) {
                index = candidate;
                break;
            }
        }
        color = borderColors_[index];
        size = borderSizes_[index];
    }
    if (color == 0 || size <= 0)
        return;
    const int pen = BorderPenWidth(itemRect_, size);
    if (roundCorner_.cx != 0 || roundCorner_.cy != 0)
        VxRenderUtils::DrawRoundRect(dc, itemRect_, pen, roundCorner_.cx, roundCorner_.cy, color);
    else
        VxRenderUtils::DrawRect(dc, itemRect_, pen, color);
}

}  // namespace VXM
