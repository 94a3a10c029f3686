#pragma once

#include "VxControl.h"

namespace VXM {

// A bar filled from the left in the status colour and the normal image, in proportion to the
// value counted in steps of the range.
class VxProgress : public VxControl {
public:
    using VxControl::SetPos;  // the control rectangle; SetPos(int) below is the value

    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusColor(HDC dc) override;
    void PaintStatusImage(HDC dc) override;

    // Negative bounds become 1; bounds in the wrong order are swapped. The value stays; no repaint.
    virtual void SetRange(int minimum, int maximum);
    virtual void GetRange(int& minimum, int& maximum) const;
    // Clamped to the range; repaints when it changes. Returns the value kept.
    virtual int SetPos(int value);
    // At least 1 and at most the maximum; repaints when it changes. Returns the step kept.
    virtual int SetStep(int step);
    // The image is cropped to the filled part instead of squeezed into it.
    virtual void SetSource(bool source);

    int GetValue() const { return value_; }
    int GetStep() const { return step_; }
    bool IsSource() const { return source_; }
    RECT GetForeInset() const { return foreInset_; }
    void SetForeInset(const RECT& inset);

private:
    int step_ = 1;
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
    RECT foreInset_ = {};
    bool source_ = false;
};

}  // namespace VXM
