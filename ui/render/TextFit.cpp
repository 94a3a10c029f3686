#include "TextFit.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "TextBreaks.h"

namespace VXM {

namespace {

constexpr size_t kFirstChunk = 128;
constexpr size_t kLargestChunk = INT_MAX / 2;

}  // namespace

TextExtent FitText(HDC dc, std::wstring_view text, int maxWidth)
{
    TextExtent result;
    if (!dc || text.empty() || maxWidth < 0)
        return result;
    const size_t limit = std::min(text.size(), kLargestChunk);
    size_t chunk = std::min(limit, kFirstChunk);
    std::vector<int> extents;
    for (;;) {
        extents.resize(chunk);
        int fit = 0;
        SIZE size = {};
        if (!GetTextExtentExPointW(dc, text.data(), static_cast<int>(chunk), maxWidth, &fit, extents.data(), &size))
            return result;
        const size_t fitting = std::min(static_cast<size_t>(std::max(fit, 0)), chunk);
        if (fitting < chunk || chunk == limit) {
            result.count = CharBoundaryAtOrBefore(text, fitting);
            result.width = result.count > 0 ? extents[result.count - 1] : 0;
            return result;
        }
        chunk = std::min(limit, chunk * 2);
    }
}

int TextWidth(HDC dc, std::wstring_view text)
{
    SIZE size = {};
    if (!dc || text.empty())
        return 0;
    const int length = static_cast<int>(std::min(text.size(), kLargestChunk));
    return GetTextExtentPoint32W(dc, text.data(), length, &size) ? size.cx : 0;
}

}  // namespace VXM
