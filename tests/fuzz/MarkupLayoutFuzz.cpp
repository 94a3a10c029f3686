#include <array>
#include <string>

#include "FuzzSupport.h"
#include "MarkupLayout.h"
#include "TextBreaks.h"
#include "TextFit.h"

namespace {

// A fake font measure: every code unit is as wide as the number the selected font handle holds.
int UnitWidth(HDC dc)
{
    return static_cast<int>(reinterpret_cast<uintptr_t>(dc->selected));
}

class FakeFonts : public VXM::IVxFontSource {
public:
    FakeFonts(FuzzedDataProvider& input)
    {
        for (size_t i = 0; i < fonts_.size(); ++i) {
            fonts_[i].font.Reset(reinterpret_cast<HFONT>(uintptr_t{1} + input.ConsumeIntegralInRange<uintptr_t>(0, 30)));
            fonts_[i].metrics.tmHeight = input.ConsumeIntegralInRange<int>(0, 40);
            fonts_[i].italic = input.ConsumeBool();
            fonts_[i].bold = input.ConsumeBool();
        }
    }
    VXM::VxFontInfo* GetFont(std::wstring_view id) override { return FindFont(id) ? FindFont(id) : GetDefaultFont(); }
    VXM::VxFontInfo* GetDefaultFont() override { return &fonts_[0]; }
    VXM::VxFontInfo* FindFont(std::wstring_view id) override
    {
        return id.size() == 1 && id[0] >= L'0' && id[0] < L'0' + static_cast<int>(fonts_.size()) ? &fonts_[id[0] - L'0'] : nullptr;
    }

private:
    std::array<VXM::VxFontInfo, 4> fonts_;
};

}  // namespace

namespace VXM {

TextExtent FitText(HDC dc, std::wstring_view text, int maxWidth)
{
    const int unit = UnitWidth(dc);
    size_t count = std::min<size_t>(text.size(), maxWidth <= 0 ? 0 : static_cast<size_t>(maxWidth / unit));
    count = CharBoundaryAtOrBefore(text, count);
    return TextExtent{count, static_cast<int>(count) * unit};
}

int TextWidth(HDC dc, std::wstring_view text)
{
    return static_cast<int>(text.size()) * UnitWidth(dc);
}

}  // namespace VXM

// Lines are laid out until the text ends (every line makes progress); pieces lie inside the
// text and, but for blanks and the one character a line keeps when nothing fits, inside the area.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    FakeFonts fonts(input);
    VXM::MarkupFrame frame;
    frame.area = RECT{0, 0, input.ConsumeIntegralInRange<int>(1, 400), input.ConsumeIntegralInRange<int>(1, 200)};
    frame.style = input.ConsumeIntegral<UINT>() & (DT_WORDBREAK | DT_SINGLELINE | DT_END_ELLIPSIS);
    frame.drawing = input.ConsumeBool();
    frame.defaultFont = fonts.GetDefaultFont();
    const std::wstring text = RemainingWide(input);
    StandInDc dc;
    dc.selected = frame.defaultFont->font.Get();
    VXM::MarkupLayout layout(&dc, fonts, text, frame);
    const size_t lineLimit = 2 * text.size() + 2;
    size_t lines = 0;
    int top = frame.area.top;
    while (!layout.AtEnd() && (!frame.drawing || top < frame.area.bottom) && lines++ < lineLimit) {
        const VXM::MarkupLine line = layout.NextLine(top);
        top += line.height;
        for (const VXM::MarkupPiece& piece : line.pieces) {
            FUZZ_CHECK(piece.begin + piece.length <= text.size() && piece.width >= 0);
            FUZZ_CHECK(piece.x >= frame.area.left);
            const bool blank = piece.length > 0 && (text[piece.begin] == L' ' || text[piece.begin] == L'\t');
            const bool lone = piece.x == frame.area.left && piece.begin + piece.length == VXM::NextCharEnd(text, piece.begin);
            FUZZ_CHECK(blank || lone || piece.x + piece.width <= frame.area.right);
        }
        if (frame.style & DT_SINGLELINE)
            break;
    }
    FUZZ_CHECK(lines <= lineLimit);
    return 0;
}
