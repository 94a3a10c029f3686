#pragma once

#include <windows.h>

namespace VXM {

// The font, text colour and background mode of a DC, put back when the scope ends.
class DcTextState {
public:
    explicit DcTextState(HDC dc)
        : dc_(dc), font_(GetCurrentObject(dc, OBJ_FONT)), color_(GetTextColor(dc)), mode_(GetBkMode(dc))
    {
    }
    DcTextState(const DcTextState&) = delete;
    DcTextState& operator=(const DcTextState&) = delete;
    ~DcTextState()
    {
        if (font_)
            SelectObject(dc_, font_);
        SetTextColor(dc_, color_);
        if (mode_)
            SetBkMode(dc_, mode_);
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ font_ = nullptr;
    COLORREF color_ = 0;
    int mode_ = 0;
};

}  // namespace VXM
