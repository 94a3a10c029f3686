#pragma once

#include "VxContainer.h"

namespace VXM {

// Places its children side by side, with the width rules of the vertical layout's heights.
class VxHorizontalLayout : public VxContainer {
public:
    void SetPos(RECT rect) override;
};

}  // namespace VXM
