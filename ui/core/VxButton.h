#pragma once

#include "VxLabel.h"

namespace VXM {

// A label that reports clicks and is a Tab stop from construction; a double click presses it
// again, and its cursor is the hand.
class VxButton : public VxLabel {
public:
    VxButton();

    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    void OnSetCursor(VxEventUI& event) override;
    void OnLButtonDblClk(VxEventUI& event) override;
};

}  // namespace VXM
