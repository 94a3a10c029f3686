#include <algorithm>
#include <cstdint>

#include "AttributeValues.h"
#include "RectMath.h"
#include "VxControl.h"

namespace VXM {
namespace {

using attributes::ParseBool;
using attributes::ParseColor;
using attributes::ParseInt;
using attributes::ParseRect;
using attributes::ParseSize;

using ApplyFn = void (*)(VxControl& control, std::wstring_view value);

struct AttributeRow {
    std::wstring_view name;
    ApplyFn apply;
};

// How to parse a value (the function's name) and what to set with it (its template argument).
template <auto Setter>
void AsColor(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(ParseColor(value));
}

// Background colours skip leading blanks (" #FF00FF00").
template <auto Setter>
void AsBkColor(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(ParseColor(value, true));
}

template <auto Setter>
void AsInt(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(ParseInt(value));
}

template <auto Setter>
void AsBool(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(ParseBool(value));
}

template <auto Setter>
void AsRect(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(ParseRect(value));
}

template <auto Setter>
void AsText(VxControl& control, std::wstring_view value)
{
    (control.*Setter)(value);
}

template <auto Field>
void BoolTo(VxControl& control, std::wstring_view value)
{
    control.*Field = ParseBool(value);
}

template <auto Field>
void IntTo(VxControl& control, std::wstring_view value)
{
    control.*Field = ParseInt(value);
}

template <auto Array, int Index>
void TextAt(VxControl& control, std::wstring_view value)
{
    (control.*Array)[Index] = value;
}

template <auto Array, int Index>
void ColorAt(VxControl& control, std::wstring_view value)
{
    (control.*Array)[Index] = ParseColor(value);
}

template <auto Array, int Index>
void BkColorAt(VxControl& control, std::wstring_view value)
{
    (control.*Array)[Index] = ParseColor(value, true);
}

template <auto Array, int Index>
void RectAt(VxControl& control, std::wstring_view value)
{
    (control.*Array)[Index] = ParseRect(value);
}

template <auto Array, int Index>
void IntAt(VxControl& control, std::wstring_view value)
{
    (control.*Array)[Index] = ParseInt(value);
}

bool Contains(std::wstring_view value, std::wstring_view keyword)
{
    return value.find(keyword) != std::wstring_view::npos;
}

// Each keyword found anywhere in the value changes the style; applied in the table's order,
// not in the order written, so "left" and "center" in one value leave it centred.
struct AlignKeyword {
    std::wstring_view word;
    UINT set;
    UINT clear;
};
constexpr AlignKeyword kAlignKeywords[] = {
    {L"left", 0, DT_CENTER | DT_RIGHT},
    {L"vcen", DT_VCENTER, DT_BOTTOM},
    {L"center", DT_CENTER, DT_RIGHT},
    {L"right", DT_RIGHT, DT_CENTER},
    {L"top", 0, DT_VCENTER | DT_BOTTOM},
    {L"bottom", DT_BOTTOM, DT_VCENTER},
    {L"singleline", DT_SINGLELINE, DT_WORDBREAK},
    {L"wordbreak", DT_WORDBREAK, DT_SINGLELINE},
};

struct BitKeyword {
    std::wstring_view word;
    UINT bit;
};
constexpr BitKeyword kFlagKeywords[] = {
    {L"setcursor", kFlagSetCursor},
    {L"enterrolltext", kFlagEnterRollText},
    {L"tabstop", kFlagTabStop},
};
constexpr BitKeyword kNotifyKeywords[] = {
    {L"click", kNotifyClick},
    {L"mouseenter", kNotifyMouseEnter},
    {L"mousehover", kNotifyMouseHover},
    {L"mouseleave", kNotifyMouseLeave},
    {L"setfocus", kNotifySetFocus},
    {L"killfocus", kNotifyKillFocus},
    {L"lbuttondown", kNotifyLButtonDown},
    {L"lbuttonup", kNotifyLButtonUp},
    {L"rbuttondown", kNotifyRButtonDown},
    {L"contextmenu", kNotifyContextMenu},
};
constexpr BitKeyword kDispatchKeywords[] = {
    {L"keydown", kEventKeyDown},
    {L"keyup", kEventKeyUp},
    {L"char", kEventChar},
    {L"syskeydown", kEventSysKeyDown},
    {L"mousemove", kEventMouseMove},
    {L"mouseleave", kEventMouseLeave},
    {L"mouseenter", kEventMouseEnter},
    {L"mousehover", kEventMouseHover},
    {L"mousewheel", kEventMouseWheel},
    {L"lbuttondown", kEventLButtonDown},
    {L"lbuttonup", kEventLButtonUp},
    {L"rbuttondown", kEventRButtonDown},
    {L"lbuttondblclk", kEventLButtonDblClk},
    {L"contextmenu", kEventContextMenu},
    {L"killfocus", kEventKillFocus},
    {L"setfocus", kEventSetFocus},
    {L"setcursor", kEventSetCursor},
    {L"timer", kEventTimer},
    {L"activate", kEventActivate},
};
// "left" is a keyword that sets nothing; "topmost" also contains "top".
constexpr BitKeyword kFormatKeywords[] = {
    {L"vcen", kFormatVCenter}, {L"center", kFormatCenter},   {L"right", kFormatRight},
    {L"top", kFormatTop},      {L"bottom", kFormatBottom},   {L"topmost", kFormatTopmost},
};

template <size_t N>
void SetFoundBits(const BitKeyword (&keywords)[N], std::wstring_view value,
                  void (VxControl::*setter)(int, bool), VxControl& control)
{
    for (const BitKeyword& keyword : keywords) {
        if (Contains(value, keyword.word))
            (control.*setter)(static_cast<int>(keyword.bit), true);
    }
}

void ApplyAlign(VxControl& control, std::wstring_view value)
{
    UINT style = control.GetTextStyle();
    for (const AlignKeyword& keyword : kAlignKeywords) {
        if (Contains(value, keyword.word))
            style = (style & ~keyword.clear) | keyword.set;
    }
    control.SetTextStyle(style);
}

void ApplyFlags(VxControl& control, std::wstring_view value)
{
    SetFoundBits(kFlagKeywords, value, &VxControl::SetControlFlags, control);
    if (Contains(value, L"notfocus"))
        control.SetControlFlags(kFlagFocusable, false);
}

void ApplyNotify(VxControl& control, std::wstring_view value)
{
    SetFoundBits(kNotifyKeywords, value, &VxControl::SetControlNotify, control);
}

void ApplyDispatch(VxControl& control, std::wstring_view value)
{
    SetFoundBits(kDispatchKeywords, value, &VxControl::SetControlDispatch, control);
}

// Format bits are only ever added.
template <auto Field>
void FormatTo(VxControl& control, std::wstring_view value)
{
    for (const BitKeyword& keyword : kFormatKeywords) {
        if (Contains(value, keyword.word))
            control.*Field |= keyword.bit;
    }
}

template <UINT Bit>
void StyleBit(VxControl& control, std::wstring_view value)
{
    const UINT style = control.GetTextStyle();
    control.SetTextStyle(ParseBool(value) ? style | Bit : style & ~Bit);
}

// l,t,r,b: the fixed place of a floating control and its size, r - l by b - t. The size is
// worked out in 64 bits so that absurd corners cannot overflow; a negative size is refused.
void ApplyPos(VxControl& control, std::wstring_view value)
{
    const RECT pos = ParseRect(value);
    control.SetFixedXY(SIZE{pos.left, pos.top});
    control.SetFixedWidth(ClampToInt(int64_t{pos.right} - pos.left));
    control.SetFixedHeight(ClampToInt(int64_t{pos.bottom} - pos.top));
}

// Negative corner sizes mean nothing to a round rectangle; they count as square.
void ApplyRoundCorner(VxControl& control, std::wstring_view value)
{
    const SIZE size = ParseSize(value);
    control.SetRoundCorner(SIZE{std::max(0L, size.cx), std::max(0L, size.cy)});
}

void ApplyShortcut(VxControl& control, std::wstring_view value)
{
    control.SetShortcut(value.empty() ? L'\0' : value.front());
}

void ApplyTooltipDelay(VxControl& control, std::wstring_view value)
{
    control.SetTooltipDelayTime(std::max(0, ParseInt(value)));
}

void ApplyTag(VxControl& control, std::wstring_view value)
{
    control.SetTag(static_cast<UINT>(ParseInt(value)));
}

void ApplyId(VxControl& control, std::wstring_view value)
{
    control.SetID(static_cast<UINT>(ParseInt(value)));
}

}  // namespace

void VxControl::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    // Inside a member function, so the rows may name the protected fields.
    static const AttributeRow kRows[] = {
        {L"align", ApplyAlign},
        {L"endellipsis", StyleBit<DT_END_ELLIPSIS>},
        {L"pathellipsis", StyleBit<DT_PATH_ELLIPSIS>},
        {L"normaltextcolor", AsColor<&VxControl::SetNormalTextColor>},
        {L"hottextcolor", AsColor<&VxControl::SetHotTextColor>},
        {L"pushedtextcolor", AsColor<&VxControl::SetPushedTextColor>},
        {L"selectedtextcolor", AsColor<&VxControl::SetSelectedTextColor>},
        {L"disabledtextcolor", AsColor<&VxControl::SetDisabledTextColor>},
        {L"normalfont", TextAt<&VxControl::fonts_, kNormal>},
        {L"hotfont", TextAt<&VxControl::fonts_, kHot>},
        {L"pushedfont", TextAt<&VxControl::fonts_, kPushed>},
        {L"selectedfont", TextAt<&VxControl::fonts_, kSelected>},
        {L"disabledfont", TextAt<&VxControl::fonts_, kDisabled>},
        {L"rowheight", IntTo<&VxControl::rowHeight_>},
        {L"normaltextpadding", RectAt<&VxControl::textPaddings_, kNormal>},
        {L"hottextpadding", RectAt<&VxControl::textPaddings_, kHot>},
        {L"pushedtextpadding", RectAt<&VxControl::textPaddings_, kPushed>},
        {L"selectedtextpadding", RectAt<&VxControl::textPaddings_, kSelected>},
        {L"disabledtextpadding", RectAt<&VxControl::textPaddings_, kDisabled>},
        {L"normalimage", TextAt<&VxControl::images_, kImageNormal>},
        {L"hotimage", TextAt<&VxControl::images_, kImageHot>},
        {L"pushedimage", TextAt<&VxControl::images_, kImagePushed>},
        {L"focusedimage", TextAt<&VxControl::images_, kImageFocused>},
        {L"disabledimage", TextAt<&VxControl::images_, kImageDisabled>},
        {L"selectedimage", TextAt<&VxControl::images_, kImageSelected>},
        {L"bknormalimage", TextAt<&VxControl::bkImages_, kImageNormal>},
        {L"bkhotimage", TextAt<&VxControl::bkImages_, kImageHot>},
        {L"bkpushedimage", TextAt<&VxControl::bkImages_, kImagePushed>},
        {L"bkfocusedimage", TextAt<&VxControl::bkImages_, kImageFocused>},
        {L"bkdisabledimage", TextAt<&VxControl::bkImages_, kImageDisabled>},
        {L"bkselectedimage", TextAt<&VxControl::bkImages_, kImageSelected>},
        {L"pos", ApplyPos},
        {L"flags", ApplyFlags},
        {L"notify", ApplyNotify},
        {L"dispatch", ApplyDispatch},
        {L"format", FormatTo<&VxControl::format_>},
        {L"padding", AsRect<&VxControl::SetPadding>},
        {L"cut", AsRect<&VxControl::SetCut>},
        {L"normalbkcolor", AsBkColor<&VxControl::SetNormalBkColor>},
        {L"hotbkcolor", BkColorAt<&VxControl::bkColors_, kBkHot>},
        {L"pushedbkcolor", BkColorAt<&VxControl::bkColors_, kBkPushed>},
        {L"selectedbkcolor", BkColorAt<&VxControl::bkColors_, kBkSelected>},
        {L"focusedbkcolor", BkColorAt<&VxControl::bkColors_, kBkFocused>},
        {L"disabledbkcolor", BkColorAt<&VxControl::bkColors_, kBkDisabled>},
        {L"normalbordercolor", ColorAt<&VxControl::borderColors_, kBorderNormal>},
        {L"hotbordercolor", ColorAt<&VxControl::borderColors_, kBorderHot>},
        {L"selectedbordercolor", ColorAt<&VxControl::borderColors_, kBorderSelected>},
        {L"focusbordercolor", ColorAt<&VxControl::borderColors_, kBorderFocus>},
        {L"normalbordersize", IntAt<&VxControl::borderSizes_, kBorderNormal>},
        {L"hotbordersize", IntAt<&VxControl::borderSizes_, kBorderHot>},
        {L"selectedbordersize", IntAt<&VxControl::borderSizes_, kBorderSelected>},
        {L"focusbordersize", IntAt<&VxControl::borderSizes_, kBorderFocus>},
        {L"width", AsInt<&VxControl::SetFixedWidth>},
        {L"height", AsInt<&VxControl::SetFixedHeight>},
        {L"name", AsText<&VxControl::SetName>},
        {L"text", AsText<&VxControl::SetText>},
        {L"tooltip", AsText<&VxControl::SetTooltip>},
        {L"customtooltip", BoolTo<&VxControl::customTooltip_>},
        {L"enabled", AsBool<&VxControl::SetEnabled>},
        {L"visible", AsBool<&VxControl::SetVisible>},
        {L"relfloat", AsBool<&VxControl::SetRelFloat>},
        {L"absfloat", AsBool<&VxControl::SetAbsFloat>},
        {L"float", AsBool<&VxControl::SetFloat>},
        {L"capture", BoolTo<&VxControl::capture_>},
        {L"roundcorner", ApplyRoundCorner},
        {L"userdata", AsText<&VxControl::SetUserData>},
        {L"tag", ApplyTag},
        {L"shortcut", ApplyShortcut},
        {L"minwidth", AsInt<&VxControl::SetMinWidth>},
        {L"minheight", AsInt<&VxControl::SetMinHeight>},
        {L"maxwidth", AsInt<&VxControl::SetMaxWidth>},
        {L"maxheight", AsInt<&VxControl::SetMaxHeight>},
        {L"id", ApplyId},
        {L"tooltipdelaytime", ApplyTooltipDelay},
        {L"hasbeenhover", BoolTo<&VxControl::hasBeenHover_>},
        {L"caption", BoolTo<&VxControl::caption_>},
        {L"spacereturn", BoolTo<&VxControl::spaceReturn_>},
        {L"htmltext", BoolTo<&VxControl::htmlText_>},
        {L"selfadaption", AsBool<&VxControl::SetSelfAdaption>},
        {L"statuscolor", AsColor<&VxControl::SetStatusColor>},
    };
    for (const AttributeRow& row : kRows) {
        if (row.name == name) {
            row.apply(*this, value);
            return;
        }
    }
}

}  // namespace VXM
