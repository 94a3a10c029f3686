#pragma once

#include "VxContainer.h"

namespace VXM {

// Stacks its children top to bottom: fixed heights first, the rest shared by the children
// whose height is not set, the rounding remainder to the last of them.
class VxVerticalLayout : public VxContainer {
public:
    void SetPos(RECT rect) override;
};

}  // namespace VXM
