#pragma once

#include <windows.h>

#include <bitset>
#include <string>
#include <string_view>

#include "VxDefines.h"
#include "VxEventUI.h"
#include "VxImageString.h"

namespace VXM {

class VxPaintManager;

// Called by FindControl for each candidate; a non-null result ends the search.
using FindControlProc = VxControl* (*)(VxControl* control, void* data);

// Base of every visible element: place, sizes, per-state colours, images, fonts and text,
// flags, and the default painting and reaction to input events. Owned by its parent container
// (or, as root, by the paint manager); created with new by the builder or the application.
// The virtual functions are declared in the order of the framework's slot table.
class VxControl {
public:
    VxControl();
    VxControl(const VxControl&) = delete;
    VxControl& operator=(const VxControl&) = delete;
    virtual ~VxControl();

    virtual int GetX() const;
    virtual int GetY() const;
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    // Positions past the end of a set read false and are not written.
    virtual bool GetControlFlags(int position) const;
    virtual void SetControlFlags(int position, bool value);
    virtual bool GetControlNotify(int position) const;
    virtual void SetControlNotify(int position, bool value);
    virtual bool GetControlDispatch(int position) const;
    virtual void SetControlDispatch(int position, bool value);
    virtual UINT GetClass() const;
    // This object when it is of class code `classCode` or derives from it, else null.
    virtual VxControl* GetInterface(UINT classCode);
    virtual VxControl* FindControl(FindControlProc proc, void* data, UINT flags);
    virtual void Event(VxEventUI& event);
    virtual void OnMouseEnter(VxEventUI& event);
    virtual void OnMouseHover(VxEventUI& event);
    virtual void OnMouseLeave(VxEventUI& event);
    virtual void OnMouseMove(VxEventUI& event);
    virtual void OnMouseWheel(VxEventUI& event);
    virtual void OnSetFocus(VxEventUI& event);
    virtual void OnKillFocus(VxEventUI& event);
    virtual void OnSetCursor(VxEventUI& event);
    virtual void OnTimer(VxEventUI& event);
    virtual void OnContextMenu(VxEventUI& event);
    virtual void OnRButtonDown(VxEventUI& event);
    virtual void OnLButtonDown(VxEventUI& event);
    virtual void OnLButtonUp(VxEventUI& event);
    virtual void OnLButtonDblClk(VxEventUI& event);
    virtual void OnKeyDown(VxEventUI& event);
    virtual void OnKeyUp(VxEventUI& event);
    virtual void OnChar(VxEventUI& event);
    virtual void OnSysKeyDown(VxEventUI& event);
    virtual bool Activate(VxEventUI& event);
    // Draws an image string (and an optional modifier over it) in the item rectangle, limited
    // to the paint rectangle; false when the image cannot be had.
    virtual bool DrawImage(HDC dc, const std::wstring& image, std::wstring_view modify = {});
    virtual RECT GetPadding() const;
    virtual void SetPadding(const RECT& padding);
    virtual SIZE EstimateSize(SIZE available);
    virtual void DoPaint(HDC dc, const RECT& paint);
    virtual void PaintBkColor(HDC dc);
    virtual void PaintStatusColor(HDC dc);
    virtual void PaintBkImage(HDC dc);
    virtual void PaintStatusImage(HDC dc);
    virtual void PaintText(HDC dc);
    virtual void PaintBorder(HDC dc);
    virtual const RECT& GetPos() const;
    virtual void SetPos(RECT rect);
    virtual RECT GetCut() const;
    virtual void SetCut(const RECT& cut);
    virtual bool IsVisible() const;
    virtual void SetVisible(bool visible = true);
    virtual bool IsInsetVisible() const;
    virtual void SetInsetVisible(bool visible = true);
    virtual void SetParent(VxControl* parent);
    virtual VxControl* GetParent() const;
    virtual int GetFixedWidth() const;
    virtual void SetFixedWidth(int width);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int height);
    virtual SIZE GetFixedXY() const;
    virtual void SetFixedXY(SIZE xy);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int width);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int width);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int height);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int height);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool enabled = true);
    virtual bool IsSelfAdaption() const;
    virtual void SetSelfAdaption(bool selfAdaption);
    virtual VxPaintManager* GetManager() const;
    virtual void SetManager(VxPaintManager* manager);
    virtual void Init();
    virtual bool IsFloat() const;
    virtual void SetFloat(bool value = true);
    virtual bool IsAbsFloat() const;
    virtual void SetAbsFloat(bool value = true);
    virtual bool IsRelFloat() const;
    virtual void SetRelFloat(bool value = true);
    virtual const std::wstring& GetTooltip() const;
    virtual void SetTooltip(std::wstring_view tooltip);
    virtual const std::wstring& GetText() const;
    virtual void SetText(std::wstring_view text);
    virtual const std::wstring& GetName() const;
    virtual void SetName(std::wstring_view name);
    virtual UINT GetID() const;
    virtual void SetID(UINT id);
    virtual void SetAttribute(std::wstring_view name, std::wstring_view value);
    virtual bool IsFocused() const;
    virtual void SetFocus();
    virtual const std::wstring& GetUserData() const;
    virtual void SetUserData(std::wstring_view text);
    virtual void* GetData() const;
    virtual void SetData(void* data);
    virtual UINT GetTag() const;
    virtual void SetTag(UINT tag);
    virtual wchar_t GetShortcut() const;
    virtual void SetShortcut(wchar_t shortcut);
    virtual void SetNormalTextColor(DWORD color);
    virtual DWORD GetNormalTextColor() const;
    virtual void SetHotTextColor(DWORD color);
    virtual DWORD GetHotTextColor() const;
    virtual void SetPushedTextColor(DWORD color);
    virtual DWORD GetPushedTextColor() const;
    virtual void SetSelectedTextColor(DWORD color);
    virtual DWORD GetSelectedTextColor() const;
    virtual void SetDisabledTextColor(DWORD color);
    virtual DWORD GetDisabledTextColor() const;
    virtual void SetWnd(HWND window);
    // An animation of this control ended (sends notification 24 for kAnimationEnd).
    virtual void OnAnimationEnd(UINT id);

    // Applies `name="value"` pairs through SetAttribute, up to the first malformed pair.
    VxControl* ApplyAttributeList(std::wstring_view list);

    // Repaints the highest ancestor whose layout is pending, or this control.
    void Invalidate();
    // Invalidate once until this control is painted again: an owner that changes its children
    // thousands of times between two paints calls into the window system once.
    void RequestRepaint();
    // SetText without the repaint request, for an owner that makes one (RequestRepaint).
    void StoreText(std::wstring_view text) { text_ = text; }
    bool IsUpdateNeeded() const { return updateNeeded_; }
    void NeedUpdate();
    void NeedParentUpdate();

    UINT GetMouseState() const { return state_; }
    void SetMouseState(UINT state) { state_ = state; }
    HWND GetWnd() const { return window_; }
    const RECT& GetPaintRect() const { return paintRect_; }
    VxImageString& GetImageAttribute() { return imageAttribute_; }

    bool IsHtmlText() const { return htmlText_; }
    bool IsSpaceReturn() const { return spaceReturn_; }
    bool IsCapture() const { return capture_; }
    bool IsCaption() const { return caption_; }
    bool IsCustomTooltip() const { return customTooltip_; }
    UINT GetTextStyle() const { return textStyle_; }
    void SetTextStyle(UINT style) { textStyle_ = style; }
    int GetRowHeight() const { return rowHeight_; }
    UINT GetFormat() const { return format_; }
    SIZE GetRoundCorner() const { return roundCorner_; }
    void SetRoundCorner(SIZE size) { roundCorner_ = size; }
    int GetTooltipDelayTime() const { return tooltipDelay_; }
    void SetTooltipDelayTime(int milliseconds) { tooltipDelay_ = milliseconds; }
    bool IsHasBeenHover() const { return hasBeenHover_; }
    RECT GetHoverCut() const { return hoverCut_; }
    void SetHoverCut(const RECT& cut) { hoverCut_ = cut; }

    const std::wstring& GetNormalFont() const { return fonts_[kNormal]; }
    void SetNormalFont(std::wstring_view id) { fonts_[kNormal] = id; }
    DWORD GetNormalBkColor() const { return bkColors_[kBkNormal]; }
    void SetNormalBkColor(DWORD color);
    DWORD GetStatusColor() const { return statusColor_; }
    void SetStatusColor(DWORD color) { statusColor_ = color; }
    const std::wstring& GetNormalImage() const { return images_[kImageNormal]; }
    void SetNormalImage(std::wstring_view image);
    const std::wstring& GetNormalBkImage() const { return bkImages_[kImageNormal]; }
    void SetNormalBkImage(std::wstring_view image);
    const std::wstring& GetSelectedBkImage() const { return bkImages_[kImageSelected]; }
    void SetSelectedBkImage(std::wstring_view image) { bkImages_[kImageSelected] = image; }
    RECT GetNormalTextPadding() const { return textPaddings_[kNormal]; }
    void SetNormalTextPadding(const RECT& padding) { textPaddings_[kNormal] = padding; }
    DWORD GetNormalBorderColor() const { return borderColors_[kBorderNormal]; }
    int GetNormalBorderSize() const { return borderSizes_[kBorderNormal]; }

protected:
    // Indices of the per-state arrays of text fonts, colours and paddings.
    enum TextState { kNormal, kHot, kPushed, kSelected, kDisabled, kTextStateCount };
    // Indices of the per-state image strings (foreground and background).
    enum ImageState {
        kImageNormal,
        kImageHot,
        kImagePushed,
        kImageSelected,
        kImageFocused,
        kImageDisabled,
        kImageStateCount
    };
    // Indices of the per-state background colours.
    enum BkState { kBkNormal, kBkHot, kBkPushed, kBkSelected, kBkFocused, kBkDisabled, kBkStateCount };
    // Indices of the per-state border colours and sizes.
    enum BorderState { kBorderNormal, kBorderHot, kBorderSelected, kBorderFocus, kBorderStateCount };

    // Sends notification `type` through the manager when the notify bit of that type is set.
    void NotifyIfEnabled(UINT type, const VxEventUI& event);
    // Hands the event to the parent's handler of the same kind when the dispatch bit is set.
    void Forward(VxEventUI& event, void (VxControl::*handler)(VxEventUI&));

    VxImageString imageAttribute_;  // rotation, source and text-roll offset set by animations
    bool htmlText_ = false;
    bool spaceReturn_ = false;
    bool capture_ = false;
    bool caption_ = false;
    std::wstring fonts_[kTextStateCount];
    DWORD textColors_[kTextStateCount] = {0xFF000000, 0, 0, 0, 0};
    RECT textPaddings_[kTextStateCount] = {};
    std::wstring bkImages_[kImageStateCount];
    std::wstring images_[kImageStateCount];
    DWORD bkColors_[kBkStateCount] = {};
    DWORD statusColor_ = 0;
    UINT textStyle_ = 0;
    int rowHeight_ = 0;
    UINT format_ = 0;
    UINT id_ = 0;
    UINT tag_ = 0;
    std::wstring userData_;
    void* data_ = nullptr;  // not owned
    wchar_t shortcut_ = 0;
    std::wstring name_;
    std::wstring text_;
    std::wstring tooltip_;
    bool customTooltip_ = false;
    bool float_ = false;
    bool relFloat_ = false;
    bool absFloat_ = false;
    bool focused_ = false;
    bool enabled_ = true;
    bool selfAdaption_ = false;
    RECT padding_ = {};
    SIZE fixedXY_ = {};
    int fixedWidth_ = 0;
    int fixedHeight_ = 0;
    int minWidth_ = 0;
    int minHeight_ = 0;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
    bool visible_ = true;
    bool insetVisible_ = true;
    RECT paintRect_ = {};
    RECT itemRect_ = {};
    RECT cut_ = {};
    RECT hoverCut_ = {};
    DWORD borderColors_[kBorderStateCount] = {};
    int borderSizes_[kBorderStateCount] = {1, 1, 1, 1};
    VxControl* parent_ = nullptr;  // not owned, outlives this
    SIZE roundCorner_ = {};
    bool updateNeeded_ = false;
    VxPaintManager* manager_ = nullptr;  // not owned, outlives this
    std::bitset<kControlFlagCount> controlFlags_;
    std::bitset<kNotifyCount> notify_;
    std::bitset<kDispatchCount> dispatch_;
    UINT state_ = 0;
    HWND window_ = nullptr;  // not owned
    int tooltipDelay_ = 0;
    bool hasBeenHover_ = false;
    bool repaintRequested_ = false;  // since the last paint; cleared by DoPaint
};

}  // namespace VXM
