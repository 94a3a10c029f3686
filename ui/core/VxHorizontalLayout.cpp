#include "VxHorizontalLayout.h"

namespace VXM {

void VxHorizontalLayout::SetPos(RECT rect)
{
    SetPosAs(rect, kLayoutHorizontal);
}

}  // namespace VXM
