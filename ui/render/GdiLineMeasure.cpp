#include "GdiLineMeasure.h"

#include <algorithm>
#include <climits>

#include "TextFit.h"

namespace VXM {

namespace {

// Placement, breaking and ellipsis flags do not change how wide one line is.
constexpr UINT kPlacementFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_END_ELLIPSIS |
                                 DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS | DT_MODIFYSTRING;

}  // namespace

GdiLineMeasure::GdiLineMeasure(HDC dc, UINT style)
    : dc_(dc), flags_((style & ~kPlacementFlags) | DT_SINGLELINE | DT_CALCRECT)
{
}

SIZE GdiLineMeasure::Measure(std::wstring_view text)
{
    RECT rect = {};
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX / 2));
    ::DrawTextW(dc_, text.data(), length, &rect, flags_);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

size_t GdiLineMeasure::GuessFit(std::wstring_view text, int width)
{
    return FitText(dc_, text, width).count;
}

}  // namespace VXM
