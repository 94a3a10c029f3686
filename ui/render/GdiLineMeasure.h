#pragma once

#include <windows.h>

#include "TextBreaks.h"

namespace VXM {

// One-line sizes by DrawText's own measuring (DT_CALCRECT) in the DC's current font, with the
// flags of the style that change widths (prefix characters, tabs); guesses by fit count.
class GdiLineMeasure : public ITextMeasure {
public:
    GdiLineMeasure(HDC dc, UINT style);

    SIZE Measure(std::wstring_view text) override;
    size_t GuessFit(std::wstring_view text, int width) override;

private:
    HDC dc_ = nullptr;
    UINT flags_ = 0;
};

}  // namespace VXM
