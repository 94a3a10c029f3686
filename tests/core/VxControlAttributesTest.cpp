#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "VxControl.h"

using namespace VXM;

namespace {

// Opens the per-state fields that have no public accessor.
class InspectedControl : public VxControl {
public:
    using VxControl::bkColors_;
    using VxControl::bkImages_;
    using VxControl::borderColors_;
    using VxControl::borderSizes_;
    using VxControl::fonts_;
    using VxControl::images_;
    using VxControl::kBkDisabled;
    using VxControl::kBkFocused;
    using VxControl::kBkHot;
    using VxControl::kBkPushed;
    using VxControl::kBkSelected;
    using VxControl::kBorderFocus;
    using VxControl::kBorderHot;
    using VxControl::kBorderSelected;
    using VxControl::kDisabled;
    using VxControl::kHot;
    using VxControl::kImageDisabled;
    using VxControl::kImageFocused;
    using VxControl::kImageHot;
    using VxControl::kImagePushed;
    using VxControl::kImageSelected;
    using VxControl::kPushed;
    using VxControl::kSelected;
    using VxControl::textPaddings_;
};

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

}  // namespace

TEST(VxControlAttributes, ValuesRoundTripThroughTheTable)
{
    InspectedControl c;
    c.ApplyAttributeList(
        L"name=\"ok\" text=\"确定\" tooltip=\"tip\" userdata=\"u\" tag=\"7\" id=\"42\" shortcut=\"Kx\" "
        L"width=\"80\" height=\"24\" minwidth=\"10\" minheight=\"11\" maxwidth=\"200\" maxheight=\"201\" "
        L"padding=\"1,2,3,4\" cut=\"5,6,7,8\" rowheight=\"3\" tooltipdelaytime=\"500\" "
        L"normaltextcolor=\"#FF112233\" hottextcolor=\"#FF445566\" pushedtextcolor=\"778899\" "
        L"selectedtextcolor=\"#01020304\" disabledtextcolor=\"#FFABCDEF\" statuscolor=\"#80FF0000\"");
    EXPECT_EQ(c.GetName(), L"ok");
    EXPECT_EQ(c.GetText(), L"确定");
    EXPECT_EQ(c.GetTooltip(), L"tip");
    EXPECT_EQ(c.GetUserData(), L"u");
    EXPECT_EQ(c.GetTag(), 7u);
    EXPECT_EQ(c.GetID(), 42u);
    EXPECT_EQ(c.GetShortcut(), L'K');
    EXPECT_EQ(c.GetFixedWidth(), 80);
    EXPECT_EQ(c.GetFixedHeight(), 24);
    EXPECT_EQ(c.GetMinWidth(), 10);
    EXPECT_EQ(c.GetMinHeight(), 11);
    EXPECT_EQ(c.GetMaxWidth(), 200);
    EXPECT_EQ(c.GetMaxHeight(), 201);
    EXPECT_TRUE(SameRect(c.GetPadding(), RECT{1, 2, 3, 4}));
    EXPECT_TRUE(SameRect(c.GetCut(), RECT{5, 6, 7, 8}));
    EXPECT_EQ(c.GetRowHeight(), 3);
    EXPECT_EQ(c.GetTooltipDelayTime(), 500);
    EXPECT_EQ(c.GetNormalTextColor(), 0xFF112233u);
    EXPECT_EQ(c.GetHotTextColor(), 0xFF445566u);
    EXPECT_EQ(c.GetPushedTextColor(), 0x778899u) << "a colour without # is still hexadecimal";
    EXPECT_EQ(c.GetSelectedTextColor(), 0x01020304u);
    EXPECT_EQ(c.GetDisabledTextColor(), 0xFFABCDEFu);
    EXPECT_EQ(c.GetStatusColor(), 0x80FF0000u);
}

TEST(VxControlAttributes, PerStateFontsPaddingsImagesColoursAndBorders)
{
    InspectedControl c;
    c.ApplyAttributeList(
        L"normalfont=\"f0\" hotfont=\"f1\" pushedfont=\"f2\" selectedfont=\"f3\" disabledfont=\"f4\" "
        L"hottextpadding=\"1,0,0,0\" pushedtextpadding=\"0,2,0,0\" selectedtextpadding=\"0,0,3,0\" "
        L"disabledtextpadding=\"0,0,0,4\" normaltextpadding=\"5,5,5,5\" "
        L"normalimage=\"n\" hotimage=\"h\" pushedimage=\"p\" focusedimage=\"f\" disabledimage=\"d\" "
        L"selectedimage=\"s\" bknormalimage=\"bn\" bkhotimage=\"bh\" bkpushedimage=\"bp\" "
        L"bkfocusedimage=\"bf\" bkdisabledimage=\"bd\" bkselectedimage=\"bs\" "
        L"normalbkcolor=\"  #FF000001\" hotbkcolor=\" #FF000002\" pushedbkcolor=\"#FF000003\" "
        L"selectedbkcolor=\"#FF000004\" focusedbkcolor=\"#FF000005\" disabledbkcolor=\"#FF000006\" "
        L"normalbordercolor=\"#FF000007\" hotbordercolor=\"#FF000008\" selectedbordercolor=\"#FF000009\" "
        L"focusbordercolor=\"#FF00000A\" normalbordersize=\"2\" hotbordersize=\"3\" selectedbordersize=\"4\" "
        L"focusbordersize=\"5\"");
    EXPECT_EQ(c.GetNormalFont(), L"f0");
    EXPECT_EQ(c.fonts_[c.kHot], L"f1");
    EXPECT_EQ(c.fonts_[c.kPushed], L"f2");
    EXPECT_EQ(c.fonts_[c.kSelected], L"f3");
    EXPECT_EQ(c.fonts_[c.kDisabled], L"f4");
    EXPECT_TRUE(SameRect(c.GetNormalTextPadding(), RECT{5, 5, 5, 5}));
    EXPECT_TRUE(SameRect(c.textPaddings_[c.kHot], RECT{1, 0, 0, 0}));
    EXPECT_TRUE(SameRect(c.textPaddings_[c.kPushed], RECT{0, 2, 0, 0}));
    EXPECT_TRUE(SameRect(c.textPaddings_[c.kSelected], RECT{0, 0, 3, 0}));
    EXPECT_TRUE(SameRect(c.textPaddings_[c.kDisabled], RECT{0, 0, 0, 4}));
    EXPECT_EQ(c.GetNormalImage(), L"n");
    EXPECT_EQ(c.images_[c.kImageHot], L"h");
    EXPECT_EQ(c.images_[c.kImagePushed], L"p");
    EXPECT_EQ(c.images_[c.kImageFocused], L"f");
    EXPECT_EQ(c.images_[c.kImageDisabled], L"d");
    EXPECT_EQ(c.images_[c.kImageSelected], L"s");
    EXPECT_EQ(c.GetNormalBkImage(), L"bn");
    EXPECT_EQ(c.bkImages_[c.kImageHot], L"bh");
    EXPECT_EQ(c.bkImages_[c.kImagePushed], L"bp");
    EXPECT_EQ(c.bkImages_[c.kImageFocused], L"bf");
    EXPECT_EQ(c.bkImages_[c.kImageDisabled], L"bd");
    EXPECT_EQ(c.GetSelectedBkImage(), L"bs");
    EXPECT_EQ(c.GetNormalBkColor(), 0xFF000001u) << "background colours skip leading blanks";
    EXPECT_EQ(c.bkColors_[c.kBkHot], 0xFF000002u);
    EXPECT_EQ(c.bkColors_[c.kBkPushed], 0xFF000003u);
    EXPECT_EQ(c.bkColors_[c.kBkSelected], 0xFF000004u);
    EXPECT_EQ(c.bkColors_[c.kBkFocused], 0xFF000005u);
    EXPECT_EQ(c.bkColors_[c.kBkDisabled], 0xFF000006u);
    EXPECT_EQ(c.GetNormalBorderColor(), 0xFF000007u);
    EXPECT_EQ(c.borderColors_[c.kBorderHot], 0xFF000008u);
    EXPECT_EQ(c.borderColors_[c.kBorderSelected], 0xFF000009u);
    EXPECT_EQ(c.borderColors_[c.kBorderFocus], 0xFF00000Au);
    EXPECT_EQ(c.GetNormalBorderSize(), 2);
    EXPECT_EQ(c.borderSizes_[c.kBorderHot], 3);
    EXPECT_EQ(c.borderSizes_[c.kBorderSelected], 4);
    EXPECT_EQ(c.borderSizes_[c.kBorderFocus], 5);
}

TEST(VxControlAttributes, BooleansAreTrueOnlyForExactlyTrue)
{
    VxControl c;
    c.ApplyAttributeList(L"customtooltip=\"true\" capture=\"true\" hasbeenhover=\"true\" caption=\"true\" "
                         L"spacereturn=\"true\" htmltext=\"true\" selfadaption=\"true\" float=\"true\" "
                         L"relfloat=\"true\" absfloat=\"true\"");
    EXPECT_TRUE(c.IsCustomTooltip());
    EXPECT_TRUE(c.IsCapture());
    EXPECT_TRUE(c.IsHasBeenHover());
    EXPECT_TRUE(c.IsCaption());
    EXPECT_TRUE(c.IsSpaceReturn());
    EXPECT_TRUE(c.IsHtmlText());
    EXPECT_TRUE(c.IsSelfAdaption());
    EXPECT_TRUE(c.IsFloat());
    EXPECT_TRUE(c.IsRelFloat());
    EXPECT_TRUE(c.IsAbsFloat());

    c.ApplyAttributeList(L"capture=\"TRUE\" float=\"1\" enabled=\"yes\"");
    EXPECT_FALSE(c.IsCapture());
    EXPECT_FALSE(c.IsFloat());
    EXPECT_FALSE(c.IsEnabled());
}

TEST(VxControlAttributes, VisibleTrueWithACapitalHides)
{
    VxControl c;
    c.SetAttribute(L"visible", L"True");
    EXPECT_FALSE(c.IsVisible());
    c.SetAttribute(L"visible", L"true");
    EXPECT_TRUE(c.IsVisible());
}

TEST(VxControlAttributes, AlignKeywordsMatchAsSubstringsInTheTablesOrder)
{
    VxControl full, shortened;
    full.SetAttribute(L"align", L"vcenter center singleline");
    shortened.SetAttribute(L"align", L"vcen center singleline");
    EXPECT_EQ(full.GetTextStyle(), 0x25u);
    EXPECT_EQ(shortened.GetTextStyle(), 0x25u);

    VxControl c;
    c.SetAttribute(L"align", L"center");
    c.SetAttribute(L"align", L"left");
    EXPECT_EQ(c.GetTextStyle() & (DT_CENTER | DT_RIGHT), 0u) << "a later left clears the centring";

    VxControl written;
    written.SetAttribute(L"align", L"center left");
    EXPECT_EQ(written.GetTextStyle() & DT_CENTER, UINT{DT_CENTER}) << "the table's order, not the written one";

    VxControl opposite;
    opposite.SetAttribute(L"align", L"bottom wordbreak");
    EXPECT_EQ(opposite.GetTextStyle(), UINT{DT_BOTTOM | DT_WORDBREAK});
    opposite.SetAttribute(L"align", L"top singleline right");
    EXPECT_EQ(opposite.GetTextStyle(), UINT{DT_RIGHT | DT_SINGLELINE});
}

TEST(VxControlAttributes, EllipsisAttributesSetAndClearTheirBit)
{
    VxControl c;
    c.SetAttribute(L"endellipsis", L"true");
    c.SetAttribute(L"pathellipsis", L"true");
    EXPECT_EQ(c.GetTextStyle(), UINT{DT_END_ELLIPSIS | DT_PATH_ELLIPSIS});
    c.SetAttribute(L"endellipsis", L"false");
    EXPECT_EQ(c.GetTextStyle(), UINT{DT_PATH_ELLIPSIS});
}

TEST(VxControlAttributes, FlagsAccumulateAndNotfocusClearsTheFocusFlag)
{
    VxControl c;
    EXPECT_TRUE(c.GetControlFlags(kFlagFocusable)) << "set by default";
    c.SetAttribute(L"flags", L"setcursor");
    c.SetAttribute(L"flags", L"tabstop");
    EXPECT_TRUE(c.GetControlFlags(kFlagSetCursor));
    EXPECT_TRUE(c.GetControlFlags(kFlagTabStop));
    EXPECT_FALSE(c.GetControlFlags(kFlagEnterRollText));
    c.SetAttribute(L"flags", L"enterrolltext notfocus");
    EXPECT_TRUE(c.GetControlFlags(kFlagEnterRollText));
    EXPECT_FALSE(c.GetControlFlags(kFlagFocusable));
    EXPECT_TRUE(c.GetControlFlags(kFlagSetCursor)) << "flags are never cleared otherwise";
}

TEST(VxControlAttributes, DispatchKeywordsMatchAsSubstrings)
{
    VxControl sys;
    sys.SetAttribute(L"dispatch", L"syskeydown");
    EXPECT_TRUE(sys.GetControlDispatch(kEventSysKeyDown));
    EXPECT_TRUE(sys.GetControlDispatch(kEventKeyDown)) << "keydown occurs inside syskeydown";

    VxControl c;
    c.SetAttribute(L"dispatch", L"setcursor activate mouseenter mouseleave");
    for (int position = 0; position < kDispatchCount; ++position) {
        const bool expected = position == 17 || position == 19 || position == 7 || position == 6;
        EXPECT_EQ(c.GetControlDispatch(position), expected) << position;
    }
}

TEST(VxControlAttributes, NotifyKeywordsSetTheirNotificationTypes)
{
    VxControl c;
    c.SetAttribute(L"notify", L"click mouseleave contextmenu");
    for (int position = 0; position < kNotifyCount; ++position) {
        const bool expected = position == kNotifyClick || position == kNotifyMouseLeave ||
                              position == kNotifyContextMenu;
        EXPECT_EQ(c.GetControlNotify(position), expected) << position;
    }
}

TEST(VxControlAttributes, FormatBitsAreOnlyAdded)
{
    VxControl c;
    c.SetAttribute(L"format", L"vcenter");
    EXPECT_EQ(c.GetFormat(), UINT{kFormatVCenter | kFormatCenter});
    c.SetAttribute(L"format", L"left topmost");
    EXPECT_EQ(c.GetFormat(), UINT{kFormatVCenter | kFormatCenter | kFormatTop | kFormatTopmost});
    c.SetAttribute(L"format", L"right bottom");
    EXPECT_EQ(c.GetFormat(), 0x3Fu);
}

TEST(VxControlAttributes, NegativeSizesAreRefused)
{
    VxControl c;
    c.ApplyAttributeList(L"maxwidth=\"100\" width=\"50\" minheight=\"9\"");
    c.ApplyAttributeList(L"maxwidth=\"-5\" width=\"-1\" minheight=\"-9\" maxheight=\"-2\" minwidth=\"-3\"");
    EXPECT_EQ(c.GetMaxWidth(), 100);
    EXPECT_EQ(c.GetFixedWidth(), 50);
    EXPECT_EQ(c.GetMinHeight(), 9);
    EXPECT_EQ(c.GetMaxHeight(), 0);
    EXPECT_EQ(c.GetMinWidth(), 0);
}

TEST(VxControlAttributes, PosSetsTheFixedPlaceAndSize)
{
    VxControl c;
    c.SetAttribute(L"pos", L"10,10,60,30");
    EXPECT_EQ(c.GetFixedXY().cx, 10);
    EXPECT_EQ(c.GetFixedXY().cy, 10);
    EXPECT_EQ(c.GetFixedWidth(), 50);
    EXPECT_EQ(c.GetFixedHeight(), 20);

    c.SetAttribute(L"pos", L"-2147483648,0,2147483647,-5");
    EXPECT_EQ(c.GetFixedWidth(), INT_MAX) << "a width past the int range saturates instead of wrapping";
    EXPECT_EQ(c.GetFixedHeight(), 20) << "a negative height is refused";
}

TEST(VxControlAttributes, RoundCornerShortcutAndUnknownNames)
{
    VxControl c;
    c.SetAttribute(L"roundcorner", L"4,6");
    EXPECT_EQ(c.GetRoundCorner().cx, 4);
    EXPECT_EQ(c.GetRoundCorner().cy, 6);
    c.SetAttribute(L"roundcorner", L"-4,3");
    EXPECT_EQ(c.GetRoundCorner().cx, 0) << "a negative corner counts as square";
    EXPECT_EQ(c.GetRoundCorner().cy, 3);

    c.SetAttribute(L"shortcut", L"");
    EXPECT_EQ(c.GetShortcut(), L'\0');
    c.SetAttribute(L"tooltipdelaytime", L"-100");
    EXPECT_EQ(c.GetTooltipDelayTime(), 0);

    c.SetAttribute(L"Name", L"x");
    c.SetAttribute(L"nosuchattribute", L"1");
    EXPECT_TRUE(c.GetName().empty()) << "names are case-sensitive; unknown ones are ignored";
}

TEST(VxControlAttributes, AbsurdValuesAreHandledWithoutHarm)
{
    VxControl c;
    const std::wstring big(1 << 20, L'9');
    for (const wchar_t* name : {L"width", L"padding", L"pos", L"normalbkcolor", L"align", L"flags", L"dispatch",
                                L"roundcorner", L"normalbordersize", L"tag", L"id", L"text", L"name"})
        c.SetAttribute(name, big);
    EXPECT_EQ(c.GetFixedWidth(), INT_MAX);
    EXPECT_EQ(c.GetNormalBkColor(), 0xFFFFFFFFu) << "too many hexadecimal digits saturate";
    EXPECT_EQ(c.GetText().size(), big.size());
    EXPECT_EQ(c.GetTextStyle(), 0u);
}
