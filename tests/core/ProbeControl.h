#pragma once

#include "VxControl.h"

// A plain control that counts its paints and, when given a counter, its destruction.
class ProbeControl : public VXM::VxControl {
public:
    explicit ProbeControl(int* destroyed = nullptr) : destroyed_(destroyed) {}
    ~ProbeControl() override
    {
        if (destroyed_)
            ++*destroyed_;
    }

    void DoPaint(HDC dc, const RECT& paint) override
    {
        ++paints;
        VXM::VxControl::DoPaint(dc, paint);
    }

    void Init() override { ++inits; }

    int paints = 0;
    int inits = 0;

private:
    int* destroyed_ = nullptr;  // not owned
};

// A control of a fixed size.
inline ProbeControl* NewSized(int width, int height)
{
    auto* control = new ProbeControl();
    control->SetFixedWidth(width);
    control->SetFixedHeight(height);
    return control;
}
