#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "VxContainer.h"
#include "VxControl.h"
#include "VxWindowImplBase.h"

namespace gui_test {

// A control that remembers the events it received, how it was laid out and painted.
class ProbeControl : public VXM::VxControl {
public:
    void Event(VXM::VxEventUI& event) override;
    void SetPos(RECT rect) override;
    void DoPaint(HDC dc, const RECT& paint) override;

    int Count(UINT type) const;
    std::vector<VXM::VxEventUI> events;
    std::vector<RECT> paints;  // the paint rectangle of each DoPaint
    int layouts = 0;
};

struct Note {
    UINT type = 0;
    VXM::VxControl* sender = nullptr;
    WPARAM wParam = 0;
};

// A skinless window whose root is a container (overlaid layout, white) built by `build`; it
// listens to its own notifications.
class TreeWindow : public VXM::VxWindowImplBase {
public:
    explicit TreeWindow(std::function<void(VXM::VxContainer& root)> build = {});

    const wchar_t* GetWindowClassName() const override { return L"ZentariumGuiTree_WND_CLASS"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(VXM::VxNotify& notify) override;

    // Creates the window at (50, 50) and lets it paint once.
    HWND Open(int width = 400, int height = 300, DWORD style = WS_POPUP | WS_VISIBLE);
    VXM::VxPaintManager& Manager() { return paintManager_; }
    VXM::VxContainer* Root() { return root_; }
    int CountNotes(UINT type, const VXM::VxControl* sender = nullptr) const;

    // Posts a mouse message at client coordinates and lets it run.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0);
    // Puts the real pointer outside the window.
    void MovePointerAway();
    // The client area as the window would print it, 0x00RRGGBB per pixel, top row first.
    std::vector<uint32_t> Capture();
    uint32_t PixelAt(const std::vector<uint32_t>& pixels, int x, int y) const;

    std::vector<Note> notes;

private:
    std::function<void(VXM::VxContainer&)> build_;
    VXM::VxContainer* root_ = nullptr;  // owned by the paint manager
};

// A floating child of `parent` at `pos` (container coordinates), configured by an attribute list.
template <typename Control = ProbeControl>
Control* AddFloating(VXM::VxContainer& parent, const RECT& pos, std::wstring_view attributes = {})
{
    auto* control = new Control;
    control->SetFloat(true);
    control->SetFixedXY({pos.left, pos.top});
    control->SetFixedWidth(pos.right - pos.left);
    control->SetFixedHeight(pos.bottom - pos.top);
    control->ApplyAttributeList(attributes);
    parent.Add(control);
    return control;
}

}  // namespace gui_test
