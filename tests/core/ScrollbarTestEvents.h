#pragma once

#include "CoreTestSupport.h"
#include "VxScrollbar.h"

// Input events as the paint manager delivers them to a scroll bar, in client coordinates.
namespace scrollbar_events {

inline void Send(VXM::VxScrollbar& bar, UINT type, LONG x, LONG y)
{
    VXM::VxEventUI event = MakeEvent(type, POINT{x, y}, &bar);
    bar.Event(event);
}

inline void Press(VXM::VxScrollbar& bar, LONG x, LONG y)
{
    Send(bar, VXM::kEventLButtonDown, x, y);
}

inline void Release(VXM::VxScrollbar& bar, LONG x, LONG y)
{
    Send(bar, VXM::kEventLButtonUp, x, y);
}

inline void Move(VXM::VxScrollbar& bar, LONG x, LONG y)
{
    Send(bar, VXM::kEventMouseMove, x, y);
}

// Ticks of the timer with key `key` (10: the bar's repeat timer).
inline void Tick(VXM::VxScrollbar& bar, int count = 1, UINT key = 10)
{
    for (int i = 0; i < count; ++i) {
        VXM::VxEventUI event = MakeEvent(VXM::kEventTimer, POINT{}, &bar);
        event.wParam = key;
        bar.Event(event);
    }
}

}  // namespace scrollbar_events
