#pragma once

#include "VxButton.h"

namespace VXM {

// A button with a selected state: within a group (kept by the paint manager, which also drops a
// destroyed option from it) a radio option, selecting one deselects the others; without a group
// a check box.
class VxOption : public VxButton {
public:
    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void SetManager(VxPaintManager* manager) override;
    bool Activate(VxEventUI& event) override;
    void PaintBkImage(HDC dc) override;
    void SetEnabled(bool enabled = true) override;

    // Group 0 is no group.
    virtual void SetGroup(UINT group);
    virtual UINT GetGroup() const;
    virtual bool IsSelected() const;
    // Sends notification 14 (selection changed, wParam the new value) when it changes.
    virtual void Selected(bool selected);

private:
    void DeselectOthers();

    bool selected_ = false;
    UINT group_ = 0;
};

}  // namespace VXM
