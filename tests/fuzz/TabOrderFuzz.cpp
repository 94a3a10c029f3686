#include <vector>

#include "FuzzSupport.h"
#include "TabOrder.h"

namespace {

// The walk read plainly: stops in order, the current entry's index or -1.
struct Walk {
    std::vector<int> stops;
    int current = -1;
};

Walk Read(const std::vector<VXM::TabWalkEntry>& entries)
{
    Walk walk;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].tabStop)
            walk.stops.push_back(static_cast<int>(i));
        if (entries[i].current && walk.current < 0)
            walk.current = static_cast<int>(i);
    }
    return walk;
}

int Expected(const Walk& walk, bool forward)
{
    if (walk.stops.empty())
        return -1;
    if (forward) {
        for (int stop : walk.stops) {
            if (stop > walk.current)
                return stop;
        }
        return walk.stops.front();
    }
    int last = -1;
    for (int stop : walk.stops) {
        if (walk.current >= 0 && stop < walk.current)
            last = stop;
    }
    return last >= 0 ? last : walk.stops.back();
}

}  // namespace

// Tab and Shift+Tab land where a plain reading of the walk says, and only on stops.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    std::vector<VXM::TabWalkEntry> entries(input.ConsumeIntegralInRange<size_t>(0, 64));
    const size_t current = input.ConsumeIntegralInRange<size_t>(0, entries.size());
    for (VXM::TabWalkEntry& entry : entries)
        entry.tabStop = input.ConsumeBool();
    if (current < entries.size())
        entries[current].current = true;
    const Walk walk = Read(entries);
    for (bool forward : {true, false})
        FUZZ_CHECK(VXM::NextTabStop(entries, forward) == Expected(walk, forward));
    const int preceding = VXM::PrecedingTabStop(entries);
    FUZZ_CHECK(preceding == -1 || (entries[preceding].tabStop && preceding < walk.current));
    return 0;
}
