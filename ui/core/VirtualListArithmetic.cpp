#include "VirtualListArithmetic.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace VXM::virtual_list {
namespace {

int64_t Pitch(const Metrics& metrics)
{
    return int64_t{metrics.rowHeight} + std::max(0, metrics.gap);
}

int ClampToInt(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

int ContentHeight(const Metrics& metrics)
{
    if (metrics.rowCount <= 0 || metrics.rowHeight <= 0)
        return 0;
    return ClampToInt(Pitch(metrics) * metrics.rowCount - std::max(0, metrics.gap));
}

RowRange VisibleRows(const Metrics& metrics, int scrollPos)
{
    if (metrics.rowCount <= 0 || metrics.rowHeight <= 0)
        return {};
    const int64_t pitch = Pitch(metrics);
    const int64_t top = std::max(0, scrollPos);
    const int64_t bottom = top + std::max(0, metrics.viewHeight);
    const int64_t margin = std::max(0, metrics.margin);
    const int64_t first = std::max<int64_t>(0, top / pitch - margin);
    const int64_t last = std::min<int64_t>(metrics.rowCount, (bottom + pitch - 1) / pitch + margin);
    return {ClampToInt(std::min<int64_t>(first, last)), ClampToInt(last)};
}

int RowTop(const Metrics& metrics, int index, int scrollPos)
{
    return ClampToInt(Pitch(metrics) * index - scrollPos);
}

int PoolSize(const Metrics& metrics)
{
    if (metrics.rowCount <= 0 || metrics.rowHeight <= 0)
        return 0;
    // A view that starts inside a row shows one row more than fit in it whole.
    const int64_t inView = std::max(0, metrics.viewHeight) / Pitch(metrics) + 2;
    return ClampToInt(std::min<int64_t>(metrics.rowCount, inView + 2 * int64_t{std::max(0, metrics.margin)}));
}

int SlotOf(int index, int slots)
{
    return slots > 0 && index >= 0 ? index % slots : 0;
}

int ScrollAfterInsert(const Metrics& metrics, int scrollPos, int at, int added)
{
    if (added <= 0 || metrics.rowHeight <= 0)
        return scrollPos;
    const int64_t pitch = Pitch(metrics);
    if (pitch * std::max(0, at) >= scrollPos)
        return scrollPos;
    return ClampToInt(scrollPos + pitch * added);
}

}  // namespace VXM::virtual_list
