#include "MarkupLayout.h"

#include <algorithm>

#include "NumberText.h"
#include "TextBreaks.h"
#include "TextFit.h"

namespace VXM {

namespace {

// Numbers of x, y and p tags are kept to this size so no sum of them overflows.
constexpr int kMarkupNumberLimit = 0x7FFF;
constexpr wchar_t kEllipsis[] = L"...";

int MarkupNumber(std::wstring_view parameter)
{
    return std::clamp(ParseInt(parameter), -kMarkupNumberLimit, kMarkupNumberLimit);
}

COLORREF MarkupColor(std::wstring_view parameter)
{
    const uint32_t rgb = ParseColor(parameter);
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

}  // namespace

MarkupLayout::MarkupLayout(HDC dc, IVxFontSource& fonts, std::wstring_view text, const MarkupFrame& frame)
    : dc_(dc),
      fonts_(fonts),
      text_(text),
      tokens_(TokenizeMarkup(text)),
      frame_(frame),
      font_(frame.defaultFont),
      color_(frame.defaultColor)
{
}

int MarkupLayout::FontHeight(const VxFontInfo* font)
{
    return font ? font->metrics.tmHeight + font->metrics.tmExternalLeading : 0;
}

MarkupLine MarkupLayout::NextLine(int top)
{
    MarkupLine line;
    line.height = FontHeight(font_);
    line.right = frame_.area.left;
    line_ = &line;
    top_ = top;
    pen_ = frame_.area.left;
    lineEnded_ = false;
    while (!lineEnded_ && !AtEnd() && pen_ < frame_.area.right)
        Take(tokens_[token_]);
    line_ = nullptr;
    return line;
}

void MarkupLayout::Take(const MarkupToken& token)
{
    switch (token.kind) {
    case MarkupTokenKind::kLineFeed:
        ++token_;
        lineEnded_ = !IsSingleLine();
        break;
    case MarkupTokenKind::kSpace:
        TakeSpace(token);
        break;
    case MarkupTokenKind::kText:
        TakeRun(token);
        break;
    case MarkupTokenKind::kOpenTag:
        OpenTag(token);
        break;
    case MarkupTokenKind::kCloseTag:
        CloseTag(token);
        break;
    }
}

void MarkupLayout::TakeSpace(const MarkupToken& token)
{
    AddPiece(token.begin, 1, SpaceWidth());
    ++token_;
}

void MarkupLayout::TakeRun(const MarkupToken& token)
{
    const std::wstring_view run = text_.substr(token.begin + offset_, token.length - offset_);
    UseFont(font_);
    const TextExtent fit = FitText(dc_, run, frame_.area.right - pen_);
    if (fit.count == run.size()) {
        AddPiece(token.begin + offset_, run.size(), fit.width);
        Advance(token, run.size());
        return;
    }
    BreakRun(token, run, fit.count, fit.width);
}

// The run leaves the area: its fitting part ends the line. A line that would stay empty keeps
// one character, so every line makes progress; a character never goes beyond the edge
// otherwise, so no glyph is cut by the clip.
void MarkupLayout::BreakRun(const MarkupToken& token, std::wstring_view run, size_t fitting, int fittingWidth)
{
    size_t count = fitting;
    if (count == 0 && AtLineStart())
        count = NextCharEnd(run, 0);
    if ((frame_.style & DT_END_ELLIPSIS) && IsLastLine()) {
        EndWithEllipsis(token, run, count);
        return;
    }
    if (frame_.style & DT_WORDBREAK)
        count = WordBreak(run, count);
    if (count > 0) {
        const int width = count == fitting ? fittingWidth : TextWidth(dc_, run.substr(0, count));
        AddPiece(token.begin + offset_, count, width);
        Advance(token, count);
    }
    lineEnded_ = true;
}

// One or two characters make room for "...", more when the dots still do not fit.
void MarkupLayout::EndWithEllipsis(const MarkupToken& token, std::wstring_view run, size_t count)
{
    for (int dropped = 0; dropped < 2 && count > 0; ++dropped)
        count = PreviousCharStart(run, count);
    const int room = frame_.area.right - pen_ - TextWidth(dc_, kEllipsis);
    const TextExtent fit = FitText(dc_, run.substr(0, count), std::max(room, 0));
    AddPiece(token.begin + offset_, fit.count, fit.width, true);
    Advance(token, fit.count);
    pen_ = frame_.area.right;
    line_->right = std::max(line_->right, pen_);
    lineEnded_ = true;
}

// After the last character that is not a letter; a run without one moves to the next line
// whole unless it starts the line.
size_t MarkupLayout::WordBreak(std::wstring_view run, size_t count) const
{
    for (size_t i = count; i > 0; --i) {
        if (!IsAsciiLetter(run[i - 1]))
            return i;
    }
    return AtLineStart() ? count : 0;
}

void MarkupLayout::OpenTag(const MarkupToken& token)
{
    switch (token.letter) {
    case L'b':
        if (!frame_.defaultFont->bold)
            SelectMarkupFont(token.parameter);
        break;
    case L'f':
        SelectMarkupFont(token.parameter);
        break;
    case L'u':
        if (!frame_.defaultFont->underline)
            SelectMarkupFont(token.parameter);
        break;
    case L'c':
        color_ = MarkupColor(token.parameter);
        break;
    case L'n':
        lineEnded_ = !IsSingleLine();
        break;
    case L'p':
        if (!AtLineStart()) {
            lineEnded_ = true;  // the tag opens the next line and sets its height there
            return;
        }
        line_->height = std::max(line_->height, FontHeight(font_) + MarkupNumber(token.parameter));
        break;
    case L's':
        selected_ = !selected_;
        break;
    case L'x':
        MovePen(MarkupNumber(token.parameter));
        break;
    case L'y':
        line_->height = std::max(MarkupNumber(token.parameter), 0);
        break;
    default:
        break;
    }
    ++token_;
}

void MarkupLayout::CloseTag(const MarkupToken& token)
{
    switch (token.letter) {
    case L'b':
    case L'f':
    case L'u':
        LeaveFont();
        break;
    case L'c':
        color_ = frame_.defaultColor;
        break;
    case L'p':
        lineEnded_ = !AtLineStart();
        break;
    case L's':
        selected_ = !selected_;
        break;
    default:
        break;
    }
    ++token_;
}

// A missing name or an unknown font changes nothing.
void MarkupLayout::SelectMarkupFont(std::wstring_view name)
{
    VxFontInfo* font = name.empty() ? nullptr : fonts_.FindFont(name);
    if (!font)
        return;
    font_ = font;
    line_->height = std::max(line_->height, FontHeight(font));
}

// Italic glyphs lean past their advance, so leaving an italic font keeps a little distance.
void MarkupLayout::LeaveFont()
{
    if (font_->italic && !frame_.defaultFont->italic) {
        UseFont(font_);
        ABC space = {};
        if (GetCharABCWidthsW(dc_, L' ', L' ', &space))
            MovePen(space.abcC / 2);
    }
    font_ = frame_.defaultFont;
    line_->height = std::max(line_->height, FontHeight(font_));
}

void MarkupLayout::AddPiece(size_t begin, size_t length, int width, bool ellipsis)
{
    if (length == 0 && !ellipsis)
        return;
    MarkupPiece piece;
    piece.begin = begin;
    piece.length = length;
    piece.x = pen_;
    piece.width = width;
    piece.font = font_;
    piece.color = color_;
    piece.selected = selected_;
    piece.ellipsis = ellipsis;
    line_->pieces.push_back(piece);
    MovePen(width);
}

void MarkupLayout::Advance(const MarkupToken& token, size_t count)
{
    offset_ += count;
    if (offset_ >= token.length) {
        ++token_;
        offset_ = 0;
    }
}

// The pen stays inside the area: x tags cannot push it out on either side.
void MarkupLayout::MovePen(long long distance)
{
    const long long moved = static_cast<long long>(pen_) + distance;
    pen_ = static_cast<int>(std::clamp<long long>(moved, frame_.area.left, std::max<long long>(pen_, frame_.area.right)));
    line_->right = std::max(line_->right, pen_);
}

void MarkupLayout::UseFont(VxFontInfo* font)
{
    if (font == selectedFont_)
        return;
    SelectObject(dc_, font->font.Get());
    selectedFont_ = font;
}

int MarkupLayout::SpaceWidth()
{
    for (const auto& [font, width] : spaceWidths_) {
        if (font == font_)
            return width;
    }
    UseFont(font_);
    const int width = TextWidth(dc_, L" ");
    spaceWidths_.emplace_back(font_, width);
    return width;
}

bool MarkupLayout::IsLastLine() const
{
    return IsSingleLine() || (frame_.drawing && top_ + line_->height >= frame_.area.bottom);
}

}  // namespace VXM
