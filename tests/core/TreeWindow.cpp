#include "TreeWindow.h"

#include <algorithm>

#include "DibSection.h"
#include "GuiTestSupport.h"

using namespace VXM;

namespace gui_test {

void ProbeControl::Event(VxEventUI& event)
{
    events.push_back(event);
    VxControl::Event(event);
}

void ProbeControl::SetPos(RECT rect)
{
    ++layouts;
    VxControl::SetPos(rect);
}

void ProbeControl::DoPaint(HDC dc, const RECT& paint)
{
    paints.push_back(paint);
    VxControl::DoPaint(dc, paint);
}

int ProbeControl::Count(UINT type) const
{
    return int(std::count_if(events.begin(), events.end(), [type](const VxEventUI& e) { return e.type == type; }));
}

TreeWindow::TreeWindow(std::function<void(VxContainer&)> build) : build_(std::move(build)) {}

LRESULT TreeWindow::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    paintManager_.Init(GetHWND());
    root_ = new VxContainer;
    root_->SetNormalBkColor(0xFFFFFFFF);
    if (build_)
        build_(*root_);
    paintManager_.AttachDialog(root_);
    paintManager_.AddNotifier(this);
    return 0;
}

void TreeWindow::Notify(VxNotify& notify)
{
    notes.push_back({notify.type, notify.sender, notify.wParam});
}

HWND TreeWindow::Open(int width, int height, DWORD style)
{
    const HWND window = VxCreate(nullptr, L"tree", style, 0, 50, 50, width, height);
    if (window) {
        UpdateWindow(window);
        PumpMessages();
    }
    return window;
}

int TreeWindow::CountNotes(UINT type, const VxControl* sender) const
{
    return int(std::count_if(notes.begin(), notes.end(), [&](const Note& note) {
        return note.type == type && (!sender || note.sender == sender);
    }));
}

void TreeWindow::Mouse(UINT message, int x, int y, WPARAM keys)
{
    // The real pointer goes there too, so that mouse tracking sees what the message says.
    POINT screen = {x, y};
    ClientToScreen(GetHWND(), &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(GetHWND(), message, keys, MAKELPARAM(x, y));
    PumpMessages();
}

void TreeWindow::MovePointerAway()
{
    RECT bounds = {};
    GetWindowRect(GetHWND(), &bounds);
    SetCursorPos(bounds.right + 40, bounds.bottom + 40);
}

std::vector<uint32_t> TreeWindow::Capture()
{
    RECT client = {};
    GetClientRect(GetHWND(), &client);
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(client.right, client.bottom, &bits);
    MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return {};
    {
        SelectGuard select(dc.Get(), bitmap.Get());
        PrintWindow(GetHWND(), dc.Get(), PW_CLIENTONLY);
    }
    std::vector<uint32_t> pixels(bits, bits + size_t(client.right) * size_t(client.bottom));
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

uint32_t TreeWindow::PixelAt(const std::vector<uint32_t>& pixels, int x, int y) const
{
    RECT client = {};
    GetClientRect(GetHWND(), &client);
    const size_t at = size_t(y) * size_t(client.right) + size_t(x);
    return at < pixels.size() ? pixels[at] : 0xDEADBEEF;
}

}  // namespace gui_test
