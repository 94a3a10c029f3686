#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GdiHandles.h"
#include "VxAnimationManager.h"
#include "VxFontInfo.h"
#include "VxNotify.h"

namespace VXM {

class VxControl;

// The bridge between one top-level window and the control tree drawn in it: double-buffered
// painting, lazy layout, mouse tracking, focus and Tab order, control timers, fonts, default
// attribute lists and the listeners that receive notifications. UI thread only.
class VxPaintManager : public IVxFontSource {
public:
    VxPaintManager();
    VxPaintManager(const VxPaintManager&) = delete;
    VxPaintManager& operator=(const VxPaintManager&) = delete;
    ~VxPaintManager() override;

    void Init(HWND window);
    HWND GetPaintWindow() const { return window_; }
    HDC GetPaintDC() const { return paintDC_; }

    // Takes ownership of `root`; the previous root is destroyed by the delayed clean-up.
    bool AttachDialog(VxControl* root);
    bool InitControls(VxControl* control, VxControl* parent = nullptr);
    VxControl* GetRootControl() const { return root_; }

    bool AddNotifier(INotify* listener);
    bool RemoveNotifier(INotify* listener);
    bool AddMessageFilter(IMessageFilterUI* filter);
    bool RemoveMessageFilter(IMessageFilterUI* filter);
    void SendNotify(VxNotify& notify);
    void SendNotify(VxControl* control, UINT type, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostNotify(WPARAM wParam, LPARAM lParam);

    VxControl* FindControl(std::wstring_view name) const;
    VxControl* FindControl(UINT id) const;
    VxControl* FindControl(POINT point) const;
    VxControl* FindControl(HWND window) const;
    // Table procedures for FindControl walks (data: the manager).
    static VxControl* RegisterNameProc(VxControl* control, void* data);
    static VxControl* RegisterIdProc(VxControl* control, void* data);

    VxControl* GetFocus() const { return focus_; }
    void SetFocus(VxControl* control, bool focusWindow = true);
    void SetFocusNeeded(VxControl* control);
    bool SetNextTabControl(bool forward = true);

    bool SetTimer(VxControl* control, UINT key, UINT elapse);
    bool KillTimer(VxControl* control, UINT key);
    void RemoveAllTimers();
    // A window timer bound to no control; its local id, or -1.
    int SetTimer(UINT elapse);
    bool KillTimer(UINT id);
    VxAnimationManager& GetAnimationManager() { return animations_; }

    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return captured_; }

    void Invalidate();
    void InvalidateRect(const RECT& rect);
    void NeedUpdate() { layoutNeeded_ = true; }
    void NeedControlUpdate() { layoutNeeded_ = true; }
    bool IsUpdateNeeded() const { return layoutNeeded_ || fullLayoutNeeded_; }

    void AddDelayedCleanup(VxControl* control);
    void ExecDelayedCleanup();
    // Drops every timer, animation, pointer and table entry that refers to `control`.
    void ReapObjects(VxControl* control);

    // Fonts, owned by the manager. AddFont replaces a font of the same id.
    VxFontInfo* AddFont(std::wstring_view id, std::wstring_view faceName, int size, bool bold, bool underline,
                        bool italic, bool strikeout = false);
    VxFontInfo* GetFont(std::wstring_view id) override;
    VxFontInfo* GetDefaultFont() override;
    VxFontInfo* FindFont(std::wstring_view id) override;
    void SetDefaultFont(VxFontInfo* font) { defaultFont_ = font; }
    void SetDefaultBoldFont(VxFontInfo* font) { defaultBoldFont_ = font; }
    void SetDefaultLinkFont(VxFontInfo* font) { defaultLinkFont_ = font; }
    VxFontInfo* GetDefaultBoldFont() const { return defaultBoldFont_; }
    VxFontInfo* GetDefaultLinkFont() const { return defaultLinkFont_; }
    void RemoveAllFont();

    void AddDefaultAttributeList(std::wstring_view name, std::wstring_view list);
    std::wstring GetDefaultAttributeList(std::wstring_view name) const;
    bool RemoveDefaultAttributeList(std::wstring_view name);
    void RemoveAllDefaultAttributeList();

    bool AddGroup(UINT group, VxControl* control);
    const std::vector<VxControl*>* GetGroup(UINT group) const;
    VxControl* GetGroupSelected(UINT group) const;
    bool RemoveGroup(UINT group, VxControl* control);
    void RemoveAllGroups();

    // Window properties from the skin.
    SIZE GetInitSize() const { return initSize_; }
    void SetInitSize(int cx, int cy);
    SIZE GetMinWindow() const { return minWindow_; }
    void SetMinWindow(int cx, int cy);
    SIZE GetMaxWindow() const { return maxWindow_; }
    void SetMaxWindow(int cx, int cy);
    SIZE GetRoundCorner() const { return roundCorner_; }
    void SetRoundCorner(int cx, int cy);
    const std::wstring& GetRoundCornerImage() const { return roundCornerImage_; }
    void SetRoundCornerImage(std::wstring_view image);
    RECT GetCaptionRect() const { return caption_; }
    void SetCaptionRect(const RECT& caption) { caption_ = caption; }
    RECT GetSizeBox() const { return sizeBox_; }
    void SetSizeBox(const RECT& sizeBox) { sizeBox_ = sizeBox; }
    int GetSizeBoxRounder() const { return sizeBoxRounder_; }
    void SetSizeBoxRounder(int rounder) { sizeBoxRounder_ = rounder; }
    bool IsLayeredWindow() const { return layered_; }
    void SetLayeredWindow(bool layered);
    int GetLayeredWindowAlpha() const { return layeredAlpha_; }
    void SetLayeredWindowAlpha(int alpha);
    bool IsWindowFocus() const { return windowFocus_; }
    void SetWindowFocus(bool focus) { windowFocus_ = focus; }
    bool IsUseDefaultFocusBorder() const { return useDefaultFocusBorder_; }
    void SetUseDefaultFocusBorder(bool use) { useDefaultFocusBorder_ = use; }
    bool IsDrawTabFocusBorder() const { return drawTabFocusBorder_; }
    void SetDrawTabFocusBorder(bool draw) { drawTabFocusBorder_ = draw; }
    bool IsAlwaysDrawTabFocusBorder() const { return alwaysDrawTabFocusBorder_; }
    void SetAlwaysDrawTabFocusBorder(bool draw) { alwaysDrawTabFocusBorder_ = draw; }
    bool IsControlSpaceReturn() const { return controlSpaceReturn_; }
    void SetControlSpaceReturn(bool spaceReturn) { controlSpaceReturn_ = spaceReturn; }
    bool IsDropDrag() const { return dropDrag_; }
    void SetDropDrag(bool dropDrag) { dropDrag_ = dropDrag; }

    POINT GetMousePos() const { return lastMouse_; }
    VxControl* GetEventLClick() const { return leftClick_; }
    VxControl* GetHover() const { return hover_; }
    HWND GetCurrTooltip() const { return currentTooltip_; }
    static WORD MapKeyState();

    static void MessageLoop();
    static bool TranslateMessage(const MSG* message);
    bool PreMessageHandler(MSG* message);
    bool MessageHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    // Every initialised manager, in Init order; the message loop offers each message to them.
    static std::vector<VxPaintManager*>& PreMessageList();
    // The work of the delayed clean-up message: destroys every collected control.
    void RunDelayedCleanup();
    // The next free local timer id of the 0..254 cycle, or -1 when all are in use.
    int NextLocalTimerId();

    struct TimerRecord {
        VxControl* control = nullptr;  // not owned
        UINT key = 0;
        HWND window = nullptr;
        UINT localId = 0;
        UINT elapse = 0;
    };

    HWND window_ = nullptr;  // not owned
    HDC paintDC_ = nullptr;  // GetDC of window_, released by the destructor
    MemoryDC offscreenDC_;
    GdiBitmap offscreenBitmap_;
    VxControl* root_ = nullptr;  // owned

    // Not owned; each is cleared by ReapObjects before its control dies.
    VxControl* hover_ = nullptr;
    VxControl* keyEvent_ = nullptr;
    VxControl* leftClick_ = nullptr;
    VxControl* rightClick_ = nullptr;
    VxControl* focus_ = nullptr;
    VxControl* tooltipHover_ = nullptr;

    bool captured_ = false;
    bool nonClientTracking_ = false;
    bool hoverTracking_ = false;
    POINT lastMouse_ = {};

    bool fullLayoutNeeded_ = false;
    bool layoutNeeded_ = false;
    bool firstLayout_ = false;
    bool focusNeeded_ = false;
    bool layered_ = false;
    int layeredAlpha_ = 255;  // per cent; out of 0..100 counts as 100
    bool dropDrag_ = false;
    bool windowFocus_ = true;
    bool alwaysDrawTabFocusBorder_ = false;
    bool drawTabFocusBorder_ = false;
    bool useDefaultFocusBorder_ = false;
    bool controlSpaceReturn_ = false;

    SIZE initSize_ = {};
    SIZE minWindow_ = {};
    SIZE maxWindow_ = {};
    SIZE roundCorner_ = {};
    std::wstring roundCornerImage_;
    GdiRegion roundCornerRegion_;  // cached shape from the round-corner image
    bool lastShapeRound_ = false;
    RECT caption_ = {};
    RECT sizeBox_ = {};
    int sizeBoxRounder_ = 0;

    std::vector<INotify*> notifiers_;              // not owned
    std::vector<IMessageFilterUI*> messageFilters_; // not owned
    std::vector<TimerRecord> timers_;
    std::vector<VxControl*> delayedCleanup_;        // owned until destroyed
    std::map<UINT, std::vector<VxControl*>> optionGroups_;  // not owned

    std::map<std::wstring, VxControl*, std::less<>> nameTable_;  // not owned
    std::map<UINT, VxControl*> idTable_;                         // not owned

    std::map<std::wstring, std::unique_ptr<VxFontInfo>, std::less<>> fonts_;
    VxFontInfo* defaultFont_ = nullptr;      // in fonts_
    VxFontInfo* defaultBoldFont_ = nullptr;  // in fonts_
    VxFontInfo* defaultLinkFont_ = nullptr;  // in fonts_
    std::map<std::wstring, std::wstring, std::less<>> defaultAttributes_;

    UINT nextTimerId_ = 0;  // cycles through 0..254
    std::vector<UINT> plainTimers_;  // local ids of the timers bound to no control
    VxAnimationManager animations_{*this};

    TOOLINFOW toolInfo_ = {};
    HWND tooltipWindow_ = nullptr;   // owned
    HWND currentTooltip_ = nullptr;  // not owned

    // ---- Window side: message handlers, painting, mouse tracking, Tab walk, message loop ----
    // Each handler returns whether the message is handled, with its result in `result`.
    bool OnSize(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnPaint(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnPrintClient(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnSetCursor(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnNcHitTest(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnGetMinMaxInfo(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnClose(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKillFocus(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseMove(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseHover(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseLeave(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnNcMouseMove(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnNcMouseLeave(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLButtonDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLButtonDblClk(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnLButtonUp(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnRButtonDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnContextMenu(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnKeyUp(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnChar(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnReflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnTimer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnDelayedCleanup(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Layered windows: repaints the whole tree and hands it to ::UpdateLayeredWindow.
    void UpdateLayeredWindow(int alpha);
    // The off-screen DIB at the client size (kept while the size stays); false for an empty one.
    bool PrepareOffscreen(SIZE size);
    // The lazy layout of a paint: full layout with notification 2, Tab focus, notification 1,
    // then every control marked as needing an update.
    void RunPendingLayout(const RECT& client);
    void LayOutUpdateNeeded();
    // The control of this manager under a client point; null for none or a foreign one.
    VxControl* FindOwnControl(POINT point) const;
    void ArmMouseTracking(POINT point);
    void ShowTooltip(VxControl* control);
    void HideTooltip();
    // The visible, enabled controls in tree order that are Tab stops, plus `current`.
    std::vector<VxControl*> TabWalk(VxControl* current) const;

    SIZE offscreenSize_ = {};
    uint32_t* offscreenBits_ = nullptr;  // pixels of offscreenBitmap_
    SIZE roundCornerRegionSize_ = {};    // client size roundCornerRegion_ was made for
};

}  // namespace VXM
