#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "VxVerticalLayout.h"
#include "VxWindowImplBase.h"

// A window (hidden unless asked) whose paint manager knows the skin's fonts and holds a vertical layout as
// root, for the application's controls; it records every notification. Layout and painting
// run through the manager's own paths (WM_PRINTCLIENT), clicks through posted-free
// SendMessage calls, so nobody needs to see the window.
class ControlHost : public VXM::VxWindowImplBase {
public:
    struct Note {
        UINT type = 0;
        VXM::VxControl* sender = nullptr;
    };

    // A shown window keeps an update region, for tests of what asks for a repaint.
    explicit ControlHost(int width = 800, int height = 600, bool shown = false);
    ~ControlHost() override;

    const wchar_t* GetWindowClassName() const override { return L"ZentariumAppTestHost_WND_CLASS"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS; }
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(VXM::VxNotify& notify) override;

    // Adds a control (made with new) to the root, as the skin builder and the main window do,
    // and runs its Init.
    template <typename Control>
    Control* Add(Control* control)
    {
        root_->Add(control);
        control->Init();
        return control;
    }

    VXM::VxPaintManager& Manager() { return paintManager_; }
    VXM::VxVerticalLayout& Root() { return *root_; }
    // Lays the tree out and paints it as a WM_PAINT would; returns the client pixels
    // (0x00RRGGBB, top row first).
    std::vector<uint32_t> Paint();
    uint32_t PixelAt(const std::vector<uint32_t>& pixels, int x, int y) const;
    // A press and release of the left button at client coordinates.
    void Click(POINT point);
    void DoubleClick(POINT point);
    void Wheel(POINT point, bool down);
    int Count(UINT type, const VXM::VxControl* sender = nullptr) const;

    std::vector<Note> notes;

private:
    int width_ = 0;
    int height_ = 0;
    VXM::VxVerticalLayout* root_ = nullptr;  // owned by the paint manager
};

// The centre of a control's rectangle.
POINT CentreOf(const VXM::VxControl& control);
