#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "MarkupTokens.h"
#include "VxFontInfo.h"

namespace VXM {

// Characters of the source (a run, a space or an escaped character) placed on a line in one
// font and colour.
struct MarkupPiece {
    size_t begin = 0;
    size_t length = 0;
    int x = 0;
    int width = 0;
    VxFontInfo* font = nullptr;  // not owned
    COLORREF color = 0;
    bool selected = false;  // drawn on the DC's background colour
    bool ellipsis = false;  // "..." follows
};

struct MarkupLine {
    std::vector<MarkupPiece> pieces;
    int height = 0;
    int right = 0;  // the rightmost pen position
};

struct MarkupFrame {
    RECT area = {};
    UINT style = 0;                     // DrawText flags
    VxFontInfo* defaultFont = nullptr;  // not owned
    COLORREF defaultColor = 0;
    bool drawing = false;  // lines below the area are not laid out; the last one may end in "..."
};

// Lays formatted text out line by line: tags change font, colour and line height, runs are
// measured and cut where they leave the area. Fonts are selected into the DC while measuring;
// the caller restores the DC's own font.
class MarkupLayout {
public:
    MarkupLayout(HDC dc, IVxFontSource& fonts, std::wstring_view text, const MarkupFrame& frame);

    bool AtEnd() const { return token_ >= tokens_.size(); }
    MarkupLine NextLine(int top);

    static int FontHeight(const VxFontInfo* font);

private:
    void Take(const MarkupToken& token);
    void TakeSpace(const MarkupToken& token);
    void TakeRun(const MarkupToken& token);
    void BreakRun(const MarkupToken& token, std::wstring_view run, size_t fitting, int fittingWidth);
    void EndWithEllipsis(const MarkupToken& token, std::wstring_view run, size_t count);
    size_t WordBreak(std::wstring_view run, size_t count) const;
    void OpenTag(const MarkupToken& token);
    void CloseTag(const MarkupToken& token);
    void SelectMarkupFont(std::wstring_view name);
    void LeaveFont();

    void AddPiece(size_t begin, size_t length, int width, bool ellipsis = false);
    void Advance(const MarkupToken& token, size_t count);
    void MovePen(long long distance);
    void UseFont(VxFontInfo* font);
    int SpaceWidth();
    bool AtLineStart() const { return pen_ == frame_.area.left; }
    bool IsSingleLine() const { return (frame_.style & DT_SINGLELINE) != 0; }
    bool IsLastLine() const;

    HDC dc_ = nullptr;
    IVxFontSource& fonts_;
    std::wstring_view text_;
    std::vector<MarkupToken> tokens_;
    MarkupFrame frame_;

    size_t token_ = 0;
    size_t offset_ = 0;  // characters of tokens_[token_] already placed
    VxFontInfo* font_ = nullptr;
    COLORREF color_ = 0;
    bool selected_ = false;

    MarkupLine* line_ = nullptr;  // the line being laid out
    int top_ = 0;
    int pen_ = 0;
    bool lineEnded_ = false;
    VxFontInfo* selectedFont_ = nullptr;
    std::vector<std::pair<const VxFontInfo*, int>> spaceWidths_;
};

}  // namespace VXM
