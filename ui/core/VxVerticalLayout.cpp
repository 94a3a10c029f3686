#include "VxVerticalLayout.h"

namespace VXM {

void VxVerticalLayout::SetPos(RECT rect)
{
    SetPosAs(rect, kLayoutVertical);
}

}  // namespace VXM
