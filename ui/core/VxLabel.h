#pragma once

#include <utility>

#include "VxContainer.h"

namespace VXM {

// A container whose text may be drawn antialiased onto any background, alpha included.
class VxLabel : public VxContainer {
public:
    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintText(HDC dc) override;

    bool IsTextAntialias() const { return textAntialias_; }
    void SetTextAntialias(bool antialias) { textAntialias_ = antialias; }

protected:
    bool textAntialias_ = false;

private:
    // The states whose text padding, colour and font win over the normal ones, strongest first.
    static constexpr std::pair<UINT, int> kTextStateOrder[] = {
        {kStateDisabled, kDisabled}, {kStateSelected, kSelected}, {kStatePushed, kPushed}, {kStateHot, kHot}};

    void PaintAntialiasedText(HDC dc);
    RECT StateTextPadding() const;
    DWORD StateTextColor() const;
    const std::wstring& StateFont() const;
};

}  // namespace VXM
