#include "VxProgress.h"

#include <algorithm>
#include <string>
#include <utility>

#include "AttributeValues.h"
#include "ProgressFill.h"
#include "VxImageString.h"
#include "VxPaintManager.h"
#include "VxRenderUtils.h"

namespace VXM {

namespace {

struct ProgressAttribute {
    std::wstring_view name;
    void (*apply)(VxProgress& progress, std::wstring_view value);
};

const ProgressAttribute kProgressAttributes[] = {
    {L"foreinset", [](VxProgress& p, std::wstring_view v) { p.SetForeInset(attributes::ParseRect(v)); }},
    {L"step", [](VxProgress& p, std::wstring_view v) { p.SetStep(attributes::ParseInt(v)); }},
    {L"source", [](VxProgress& p, std::wstring_view v) { p.SetSource(attributes::ParseBool(v)); }},
};

std::wstring Piece(const wchar_t* key, int a, int b, int c, int d)
{
    return std::wstring(key) + L"='" + std::to_wstring(a) + L"," + std::to_wstring(b) + L"," + std::to_wstring(c) +
           L"," + std::to_wstring(d) + L"'";
}

}  // namespace

UINT VxProgress::GetClass() const
{
    return kClassProgress;
}

VxControl* VxProgress::GetInterface(UINT classCode)
{
    return classCode == kClassProgress ? this : VxControl::GetInterface(classCode);
}

void VxProgress::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    for (const ProgressAttribute& attribute : kProgressAttributes) {
        if (attribute.name == name) {
            attribute.apply(*this, value);
            return;
        }
    }
    VxControl::SetAttribute(name, value);
}

void VxProgress::SetRange(int minimum, int maximum)
{
    minimum = minimum < 0 ? 1 : minimum;
    maximum = maximum < 0 ? 1 : maximum;
    if (maximum < minimum)
        std::swap(minimum, maximum);
    minimum_ = minimum;
    maximum_ = maximum;
}

void VxProgress::GetRange(int& minimum, int& maximum) const
{
    minimum = minimum_;
    maximum = maximum_;
}

int VxProgress::SetPos(int value)
{
    value = std::clamp(value, minimum_, maximum_);
    if (value != value_) {
        value_ = value;
        Invalidate();
    }
    return value_;
}

int VxProgress::SetStep(int step)
{
    step = std::min(std::max(step, 1), maximum_);
    if (step != step_) {
        step_ = step;
        Invalidate();
    }
    return step_;
}

void VxProgress::SetSource(bool source)
{
    source_ = source;
}

void VxProgress::SetForeInset(const RECT& inset)
{
    foreInset_ = inset;
}

void VxProgress::PaintStatusColor(HDC dc)
{
    if (statusColor_ == 0)
        return;
    RECT fill = {itemRect_.left + foreInset_.left, itemRect_.top + foreInset_.top, 0,
                 itemRect_.bottom - foreInset_.bottom};
    const int available = itemRect_.right - foreInset_.right - fill.left;
    fill.right = fill.left + ProgressFill(available, value_, maximum_, step_);
    if (fill.right > fill.left && fill.bottom > fill.top)
        VxRenderUtils::DrawColor(dc, fill, statusColor_, manager_ && manager_->IsLayeredWindow());
}

// The normal image goes over the filled part, at least as wide as its fixed corners; with the
// source flag it is cropped to that part of the image instead of squeezed. The pieces go in the
// modifier, which overrides the string's own and also serves a bare file name.
void VxProgress::PaintStatusImage(HDC dc)
{
    std::wstring& normal = images_[kImageNormal];
    if (normal.empty())
        return;
    const int width = itemRect_.right - itemRect_.left, height = itemRect_.bottom - itemRect_.top;
    RECT corner = {};
    VxImageString(normal).GetCorner(corner);
    const int fill = ProgressFill(width - foreInset_.left - foreInset_.right, value_, maximum_, step_);
    const int drawn = std::max(fill, static_cast<int>(corner.left + corner.right));
    if (drawn <= 0)
        return;  // a zero dest width would mean the whole control
    std::wstring modifier =
        Piece(L"dest", foreInset_.left, foreInset_.top, foreInset_.left + drawn, height - foreInset_.bottom);
    if (source_)
        modifier = Piece(L"source", 0, 0, ProgressFill(width, value_, maximum_, step_), height) + L" " + modifier;
    if (!DrawImage(dc, normal, modifier))
        normal.clear();  // not tried again on every paint
}

}  // namespace VXM
