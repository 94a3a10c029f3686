#include "TabOrder.h"

#include <cstddef>

namespace VXM {
namespace {

int CurrentIndex(const std::vector<TabWalkEntry>& walk)
{
    for (size_t i = 0; i < walk.size(); ++i) {
        if (walk[i].current)
            return static_cast<int>(i);
    }
    return -1;
}

// The first stop in [from, to) stepping by `step`; -1 when none.
int FindStop(const std::vector<TabWalkEntry>& walk, int from, int to, int step)
{
    for (int i = from; i != to; i += step) {
        if (walk[i].tabStop)
            return i;
    }
    return -1;
}

}  // namespace

int NextTabStop(const std::vector<TabWalkEntry>& walk, bool forward)
{
    const int count = static_cast<int>(walk.size());
    const int current = CurrentIndex(walk);
    if (forward) {
        const int after = current < 0 ? -1 : FindStop(walk, current + 1, count, 1);
        return after >= 0 ? after : FindStop(walk, 0, count, 1);
    }
    const int before = PrecedingTabStop(walk);
    return before >= 0 ? before : FindStop(walk, count - 1, -1, -1);
}

int PrecedingTabStop(const std::vector<TabWalkEntry>& walk)
{
    const int current = CurrentIndex(walk);
    return current < 0 ? -1 : FindStop(walk, current - 1, -1, -1);
}

}  // namespace VXM
