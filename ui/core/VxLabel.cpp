#include "VxLabel.h"

#include <cstdint>

#include "AttributeValues.h"
#include "GdiColor.h"
#include "TextAntialias.h"
#include "VxDibMgr.h"
#include "VxPaintManager.h"
#include "VxRenderUtils.h"
#include "VxSSE.h"

namespace VXM {

namespace {

constexpr uint32_t kAlphaOne = 0x01000000;  // marks pixels GDI has not drawn on

bool IsSet(const RECT& rect)
{
    return rect.left != 0 || rect.top != 0 || rect.right != 0 || rect.bottom != 0;
}

}  // namespace

UINT VxLabel::GetClass() const
{
    return kClassLabel;
}

VxControl* VxLabel::GetInterface(UINT classCode)
{
    return classCode == kClassLabel ? this : VxContainer::GetInterface(classCode);
}

void VxLabel::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (name == L"text_antialias")
        textAntialias_ = attributes::ParseBool(value);
    else
        VxContainer::SetAttribute(name, value);
}

void VxLabel::PaintText(HDC dc)
{
    if (!textAntialias_)
        VxContainer::PaintText(dc);
    else if (!text_.empty())
        PaintAntialiasedText(dc);
}

// The text is drawn opaque onto black in a picture of its own, its edges turned into alpha, and
// the picture blended over what is already painted.
void VxLabel::PaintAntialiasedText(HDC dc)
{
    const RECT padding = StateTextPadding();
    const RECT rect = {itemRect_.left + padding.left, itemRect_.top + padding.top, itemRect_.right - padding.right,
                       itemRect_.bottom - padding.bottom};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    VxDibMgr picture;
    if (width <= 0 || height <= 0 || !picture.Create(dc, width, height))
        return;
    const size_t pixels = picture.GetSize() / 4;
    VxSSE::DoOr(picture.GetBits(), pixels, kAlphaOne);
    const DWORD color = StateTextColor();
    RECT local = {0, 0, width, height};
    VxRenderUtils::DrawTextW(picture.GetSafeHdc(), manager_, local, text_, color | 0xFF000000, StateFont(), textStyle_,
                             rowHeight_);
    GdiFlush();
    VxSSE::OpenAlpha(picture.GetBits(), pixels);
    TextCoverageToAlpha(picture.GetBits(), pixels, ToColorRef(color));
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, rect.left, rect.top, width, height, picture.GetSafeHdc(), 0, 0, width, height, blend);
}

RECT VxLabel::StateTextPadding() const
{
    for (const auto& [bit, index] : kTextStateOrder) {
        if ((state_ & bit) && IsSet(textPaddings_[index]))
            return textPaddings_[index];
    }
    return textPaddings_[kNormal];
}

DWORD VxLabel::StateTextColor() const
{
    for (const auto& [bit, index] : kTextStateOrder) {
        if ((state_ & bit) && textColors_[index] != 0)
            return textColors_[index];
    }
    return textColors_[kNormal];
}

const std::wstring& VxLabel::StateFont() const
{
    for (const auto& [bit, index] : kTextStateOrder) {
        if ((state_ & bit) && !fonts_[index].empty())
            return fonts_[index];
    }
    return fonts_[kNormal];
}

}  // namespace VXM
