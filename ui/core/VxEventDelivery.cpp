#include "VxEventDelivery.h"

#include "VxControl.h"

namespace VXM {

void DeliverEvent(VxControl* target, UINT type, POINT mouse, const VxEventFields& fields)
{
    if (!target)
        return;
    VxEventUI event;
    event.type = type;
    event.sender = fields.sender.value_or(target);
    event.timestamp = GetTickCount();
    event.mouse = mouse;
    event.key = fields.key;
    event.keyState = fields.keyState;
    event.wParam = fields.wParam;
    event.lParam = fields.lParam;
    target->Event(event);
}

}  // namespace VXM
