#pragma once

#include <vector>

namespace VXM {

// One control of a Tab walk: the visible, enabled controls in tree order (each container
// before its children) that are Tab stops, plus the control the walk starts from.
struct TabWalkEntry {
    bool tabStop = false;
    bool current = false;
};

// The index of the Tab stop that Tab (forward) or Shift+Tab moves to from the current entry:
// forward, the first stop after it, wrapping to the first stop; backward, the last stop before
// it, or the last stop of the walk when none precedes it. Without a current entry forward
// gives the first stop, backward the last. -1 when the walk has no stop.
int NextTabStop(const std::vector<TabWalkEntry>& walk, bool forward);

// The last Tab stop before the current entry, without wrapping; -1 when there is none.
int PrecedingTabStop(const std::vector<TabWalkEntry>& walk);

}  // namespace VXM
