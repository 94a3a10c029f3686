#include "ControlHost.h"

#include <algorithm>

#include "DibSection.h"
#include "GdiHandles.h"

using namespace VXM;

namespace {

// The fonts of the skin that the application's controls name.
struct SkinFont {
    const wchar_t* id;
    int size;
    bool bold;
    bool underline;
};
constexpr SkinFont kFonts[] = {
    {L"normal16", 16, false, false}, {L"underline16", 16, false, true}, {L"normal18", 18, false, false},
    {L"normal22", 22, false, false}, {L"bold24", 24, true, false},
};

}  // namespace

ControlHost::ControlHost(int width, int height, bool shown) : width_(width), height_(height)
{
    VxCreate(nullptr, L"host", WS_POPUP | (shown ? WS_VISIBLE : 0), 0, 0, 0, width, height);
}

ControlHost::~ControlHost()
{
    if (GetHWND())
        DestroyWindow(GetHWND());
}

LRESULT ControlHost::VxOnCreate(UINT, WPARAM, LPARAM, bool&)
{
    paintManager_.Init(GetHWND());
    for (const SkinFont& font : kFonts)
        paintManager_.AddFont(font.id, L"微软雅黑", font.size, font.bold, font.underline, false);
    paintManager_.AddDefaultAttributeList(L"VScrollBar1", L"dispatch=\"mousewheel\" width=\"15\" linesize=\"30\" "
                                                          L"showbutton1=\"false\" showbutton2=\"false\"");
    root_ = new VxVerticalLayout;  // owned by the manager
    root_->SetNormalBkColor(0xFFFFFFFF);
    paintManager_.AttachDialog(root_);
    paintManager_.AddNotifier(this);
    return 0;
}

void ControlHost::Notify(VxNotify& notify)
{
    notes.push_back({notify.type, notify.sender});
}

std::vector<uint32_t> ControlHost::Paint()
{
    uint32_t* bits = nullptr;
    GdiBitmap bitmap = CreateTopDownDib(width_, height_, &bits);
    MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return {};
    {
        SelectGuard select(dc.Get(), bitmap.Get());
        SendMessageW(GetHWND(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    std::vector<uint32_t> pixels(bits, bits + size_t(width_) * size_t(height_));
    for (uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

uint32_t ControlHost::PixelAt(const std::vector<uint32_t>& pixels, int x, int y) const
{
    const size_t at = size_t(y) * size_t(width_) + size_t(x);
    return x >= 0 && y >= 0 && x < width_ && at < pixels.size() ? pixels[at] : 0xDEADBEEF;
}

void ControlHost::Click(POINT point)
{
    SendMessageW(GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void ControlHost::DoubleClick(POINT point)
{
    Click(point);
    SendMessageW(GetHWND(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

// The wheel message carries screen coordinates.
void ControlHost::Wheel(POINT point, bool down)
{
    ClientToScreen(GetHWND(), &point);
    const WPARAM delta = MAKEWPARAM(0, down ? -WHEEL_DELTA : WHEEL_DELTA);
    SendMessageW(GetHWND(), WM_MOUSEWHEEL, delta, MAKELPARAM(point.x, point.y));
}

int ControlHost::Count(UINT type, const VxControl* sender) const
{
    return int(std::count_if(notes.begin(), notes.end(),
                             [&](const Note& note) { return note.type == type && (!sender || note.sender == sender); }));
}

POINT CentreOf(const VxControl& control)
{
    const RECT& pos = control.GetPos();
    return {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
}
