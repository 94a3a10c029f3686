// Times a full repaint of a 1100 x 824 window holding a tree like the scan page (about 200
// visible controls with texts, colours, borders and images) against one BitBlt of the whole
// buffer and against the raw-GDI floor: the same texts, fills, borders and images drawn
// directly with DrawTextW, FillRect and AlphaBlend into a DIB. Then the repaint after one
// label's text changed, and the timer messages an idle window receives in 2 s. For reading the
// figures it also prints the tree's own painting into a DIB and the repaint of one pixel (the
// fixed cost of any WM_PAINT on this system).
// Goals: full repaint <= 1.5 x floor; label repaint <= 0.2 x full repaint; no idle timers.
//   RepaintBenchmark.exe [--hold seconds]   (--hold keeps the window up for a screenshot)

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "DibSection.h"
#include "GdiHandles.h"
#include "VxHorizontalLayout.h"
#include "VxLoadResource.h"
#include "VxVerticalLayout.h"
#include "VxWindowImplBase.h"

using namespace VXM;

namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 824;
constexpr int kRounds = 9;
constexpr int kRepaintsPerRound = 20;
constexpr DWORD kIdleMilliseconds = 2000;
constexpr UINT kTextStyle = DT_SINGLELINE | DT_VCENTER;

// What one control draws, in the terms both the framework and the raw floor understand.
struct Look {
    DWORD background = 0;     // 0xAARRGGBB, 0: none
    DWORD border = 0;         // one-pixel border, 0: none
    std::wstring text;
    const wchar_t* font = L"";
    DWORD textColor = 0xFF000000;
    RECT textPadding = {};
    UINT image = 0;           // PNG resource id, 0: none
    RECT imageDest = {};      // inside the control
};

struct Drawn {
    VxControl* control = nullptr;
    Look look;
};

std::wstring Hex(DWORD colour)
{
    wchar_t text[16];
    swprintf(text, 16, L"#%08X", static_cast<unsigned>(colour));
    return text;
}

std::wstring Quad(const RECT& rect)
{
    wchar_t text[64];
    swprintf(text, 64, L"%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

// Builds the tree and remembers what each control draws, for the floor.
class SceneBuilder {
public:
    VxControl* Add(VxContainer& parent, VxControl* control, const Look& look, const std::wstring& layout)
    {
        // Attribute lists take single blanks between pairs only.
        std::wstring attributes = layout;
        auto append = [&](const std::wstring& name, const std::wstring& value) {
            attributes += (attributes.empty() ? L"" : L" ") + name + L"=\"" + value + L"\"";
        };
        if (look.background)
            append(L"normalbkcolor", Hex(look.background));
        if (look.border) {
            append(L"normalbordercolor", Hex(look.border));
            append(L"normalbordersize", L"1");
        }
        if (!look.text.empty()) {
            append(L"align", L"vcen singleline");
            append(L"normaltextcolor", Hex(look.textColor));
            append(L"normalfont", look.font);
            append(L"normaltextpadding", Quad(look.textPadding));
        }
        if (look.image)
            append(L"normalimage", L"res='" + std::to_wstring(look.image) + L"' restype='PNG' dest='" + Quad(look.imageDest) + L"'");
        control->ApplyAttributeList(attributes);
        control->SetText(look.text);
        parent.Add(control);
        drawn_.push_back({control, look});
        return control;
    }
    template <typename Container>
    Container* AddBox(VxContainer& parent, const Look& look, const std::wstring& attributes)
    {
        return static_cast<Container*>(Add(parent, new Container, look, attributes));
    }
    const std::vector<Drawn>& Items() const { return drawn_; }

private:
    std::vector<Drawn> drawn_;
};

// The scan page: title bar, category column, a list of findings and the progress row.
VxControl* BuildScanPage(SceneBuilder& scene, VxControl*& statusLabel)
{
    auto* root = new VxVerticalLayout;
    root->SetNormalBkColor(0xFFFFFFFF);
    VxContainer& page = *root;

    auto* title = scene.AddBox<VxHorizontalLayout>(page, {}, L"height=\"70\"");
    scene.Add(*title, new VxControl, {.image = 301, .imageDest = {0, 0, 40, 40}}, L"width=\"40\" height=\"40\" padding=\"23,16,0,0\"");
    scene.Add(*title, new VxControl, {.text = L"DLL错误修复工具", .font = L"normal20"}, L"padding=\"10,20,0,0\"");
    for (UINT image : {302u, 303u, 304u})
        scene.Add(*title, new VxControl, {.image = image, .imageDest = {8, 8, 32, 32}}, L"width=\"40\" height=\"40\" padding=\"10,15,10,0\"");

    auto* body = scene.AddBox<VxHorizontalLayout>(page, {.background = 0xFFF5F5F5}, L"");
    auto* left = scene.AddBox<VxVerticalLayout>(*body, {.background = 0xFFFFFFFF}, L"width=\"280\" padding=\"0,2,0,0\"");
    statusLabel = scene.Add(*left, new VxControl,
                            {.text = L"异常扫描中（ 42.0 % ）", .font = L"bold16", .textPadding = {75, 0, 0, 0},
                             .image = 305, .imageDest = {20, 15, 50, 45}},
                            L"height=\"60\"");
    scene.Add(*left, new VxControl, {.background = 0xFFF2F2F2}, L"height=\"2\" padding=\"15,0,15,10\"");
    const wchar_t* categories[] = {L"应用程序崩溃扫描", L"系统错误扫描", L"垃圾文件扫描", L"系统DLL扫描"};
    const UINT icons[] = {308, 307, 309, 306};
    for (int i = 0; i < 4; ++i) {
        auto* entry = scene.AddBox<VxHorizontalLayout>(*left, {.border = 0xFFE6E6E6}, L"height=\"56\" padding=\"5,0,0,4\"");
        scene.Add(*entry, new VxControl, {.background = i == 0 ? 0xFF1196FFu : 0xFFFFFFFFu}, L"width=\"4\"");
        scene.Add(*entry, new VxControl, {.image = icons[i], .imageDest = {8, 12, 40, 44}}, L"width=\"48\"");
        scene.Add(*entry, new VxControl, {.text = categories[i], .font = L"normal16"}, L"");
        scene.Add(*entry, new VxControl,
                  {.background = 0xFFF24D4D, .text = std::to_wstring(12 + i), .font = L"normal12",
                   .textColor = 0xFFFFFFFF, .textPadding = {8, 0, 0, 0}},
                  L"width=\"30\" height=\"20\" padding=\"0,18,12,0\"");
    }

    auto* right = scene.AddBox<VxVerticalLayout>(*body, {.background = 0xFFFFFFFF}, L"padding=\"20,20,20,20\"");
    scene.Add(*right, new VxControl, {.text = L"崩溃的应用程序", .font = L"bold20"}, L"height=\"34\" padding=\"20,0,0,0\"");
    scene.Add(*right, new VxControl, {.text = L"发现Windows系统中存在运行不稳定的应用程序", .font = L"normal14", .textColor = 0xFF818181},
              L"height=\"24\" padding=\"20,0,0,0\"");
    scene.Add(*right, new VxControl, {.text = L"以下为最近4个月发现崩溃的应用程序清单", .font = L"normal14", .textColor = 0xFF818181},
              L"height=\"24\" padding=\"20,0,0,6\"");
    auto* heading = scene.AddBox<VxHorizontalLayout>(*right, {.background = 0xFFF6F7FB, .border = 0xFFE0E0E0}, L"height=\"30\" padding=\"20,0,20,0\"");
    for (const wchar_t* column : {L"第三方应用程序", L"错误时间", L"错误模块", L"状态"})
        scene.Add(*heading, new VxControl, {.text = column, .font = L"bold16", .textPadding = {8, 0, 0, 0}}, L"");
    // 21 rows of findings fill the list's visible part.
    auto* list = scene.AddBox<VxVerticalLayout>(*right, {}, L"padding=\"20,0,20,0\" height=\"470\"");
    for (int row = 0; row < 21; ++row) {
        auto* line = scene.AddBox<VxHorizontalLayout>(*list, {.border = 0xFFEEEEEE}, L"height=\"22\"");
        scene.Add(*line, new VxControl, {.image = 306, .imageDest = {6, 3, 22, 19}}, L"width=\"28\"");
        scene.Add(*line, new VxControl, {.text = L"application" + std::to_wstring(row) + L".exe", .font = L"normal14"}, L"");
        scene.Add(*line, new VxControl,
                  {.text = L"2026-11-" + std::to_wstring(10 + row) + L" 12:34:56", .font = L"normal14", .textColor = 0xFF666666},
                  L"");
        scene.Add(*line, new VxControl, {.text = L"MSVCP140.dll", .font = L"normal14", .textColor = 0xFF666666}, L"");
        scene.Add(*line, new VxControl, {.image = 305, .imageDest = {4, 3, 20, 19}}, L"width=\"24\"");
        scene.Add(*line, new VxControl, {.text = L"查看报告", .font = L"normal14", .textColor = 0xFF1196FF}, L"width=\"70\"");
    }
    scene.Add(*right, new VxControl, {.background = 0xFFF2F2F2}, L"height=\"2\" padding=\"35,10,35,10\"");
    auto* progressRow = scene.AddBox<VxHorizontalLayout>(*right, {}, L"height=\"50\" padding=\"35,0,35,0\"");
    auto* bar = scene.AddBox<VxContainer>(*progressRow, {.background = 0xFFE8F4FF, .border = 0xFF33A5FE}, L"width=\"350\" height=\"25\" padding=\"0,12,0,0\"");
    scene.Add(*bar, new VxControl, {.background = 0xFF1196FF}, L"float=\"true\" pos=\"2,2,148,23\"");
    scene.Add(*progressRow, new VxControl, {.text = L"42.0 %", .font = L"normal18"}, L"width=\"90\" padding=\"15,0,0,0\"");
    scene.Add(*progressRow, new VxControl,
              {.background = 0xFF5E7CFF, .text = L"立即修复", .font = L"normal19", .textColor = 0xFFD4DCFF,
               .textPadding = {55, 0, 0, 0}},
              L"width=\"190\" padding=\"60,0,0,0\"");
    return root;
}

class ScanPageWindow : public VxWindowImplBase {
public:
    const wchar_t* GetWindowClassName() const override { return L"ZentariumRepaintBenchmark_WND_CLASS"; }
    LRESULT VxOnCreate(UINT, WPARAM, LPARAM, bool&) override
    {
        VxPaintManager& manager = paintManager_;
        manager.Init(GetHWND());
        for (const auto& [id, size, bold] : {std::tuple{L"normal12", 12, false}, {L"normal14", 14, false},
                                              {L"normal16", 16, false}, {L"bold16", 16, true},
                                              {L"normal18", 18, false}, {L"normal19", 19, false},
                                              {L"normal20", 20, false}, {L"bold20", 20, true}})
            manager.AddFont(id, L"微软雅黑", size, bold, false, false);
        manager.SetDefaultFont(manager.FindFont(L"normal12"));
        manager.AttachDialog(BuildScanPage(scene, statusLabel));
        manager.AddNotifier(this);
        return 0;
    }
    LRESULT VxOnTimer(UINT, WPARAM, LPARAM, bool& handled) override
    {
        ++timerMessages;
        handled = false;
        return 0;
    }

    SceneBuilder scene;
    VxControl* statusLabel = nullptr;
    int timerMessages = 0;
};

// The floor: what the tree shows, drawn with the bare calls into a DIB.
void DrawFloor(HDC dc, const std::vector<Drawn>& drawn, VxPaintManager& manager)
{
    const RECT whole = {0, 0, kWidth, kHeight};
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (const Drawn& item : drawn) {
        if (!item.control->IsVisible())
            continue;
        const RECT& pos = item.control->GetPos();
        const Look& look = item.look;
        if (look.background) {
            GdiBrush brush(CreateSolidBrush(RGB(look.background >> 16 & 0xFF, look.background >> 8 & 0xFF, look.background & 0xFF)));
            FillRect(dc, &pos, brush.Get());
        }
        if (look.image) {
            VxImageInfo* image = VxLoadResource::Instance().LoadImageW(look.image, 0, L"PNG");
            const RECT& d = look.imageDest;
            if (image)
                AlphaBlend(dc, pos.left + d.left, pos.top + d.top, d.right - d.left, d.bottom - d.top,
                           image->GetMemoryDC(), 0, 0, image->width, image->height, blend);
        }
        if (!look.text.empty()) {
            RECT textRect = {pos.left + look.textPadding.left, pos.top + look.textPadding.top,
                             pos.right - look.textPadding.right, pos.bottom - look.textPadding.bottom};
            SelectGuard font(dc, manager.GetFont(look.font)->font.Get());
            SetTextColor(dc, RGB(look.textColor >> 16 & 0xFF, look.textColor >> 8 & 0xFF, look.textColor & 0xFF));
            DrawTextW(dc, look.text.c_str(), int(look.text.size()), &textRect, kTextStyle);
        }
        if (look.border) {
            GdiBrush brush(CreateSolidBrush(RGB(look.border >> 16 & 0xFF, look.border >> 8 & 0xFF, look.border & 0xFF)));
            FrameRect(dc, &pos, brush.Get());
        }
    }
}

double Now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// Median over the rounds of the time per call of each body, in milliseconds. The bodies take
// turns round by round, so that a burst of load on the machine meets all of them alike.
std::vector<double> Medians(const std::vector<std::function<void()>>& bodies)
{
    for (const auto& body : bodies)
        body();  // warm-up: fonts, image caches, GDI handle tables
    std::vector<std::vector<double>> rounds(bodies.size());
    for (int round = 0; round < kRounds; ++round) {
        for (size_t b = 0; b < bodies.size(); ++b) {
            const double start = Now();
            for (int i = 0; i < kRepaintsPerRound; ++i)
                bodies[b]();
            GdiFlush();
            rounds[b].push_back((Now() - start) * 1000.0 / kRepaintsPerRound);
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& times : rounds) {
        std::sort(times.begin(), times.end());
        medians.push_back(times[times.size() / 2]);
    }
    return medians;
}

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpFor(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
}

// Share of equal pixels between the window and the floor: the floor draws the same picture.
double SamePixels(HWND window, const uint32_t* floor)
{
    uint32_t* bits = nullptr;
    GdiBitmap copy = CreateTopDownDib(kWidth, kHeight, &bits);
    MemoryDC dc(CreateCompatibleDC(nullptr));
    {
        SelectGuard select(dc.Get(), copy.Get());
        PrintWindow(window, dc.Get(), PW_CLIENTONLY);
    }
    size_t same = 0;
    for (size_t i = 0; i < size_t(kWidth) * kHeight; ++i)
        same += (bits[i] & 0xFFFFFF) == (floor[i] & 0xFFFFFF);
    return 100.0 * double(same) / double(size_t(kWidth) * kHeight);
}

int CountVisible(const std::vector<Drawn>& drawn)
{
    return int(std::count_if(drawn.begin(), drawn.end(), [](const Drawn& item) {
        RECT visible;
        const RECT window = {0, 0, kWidth, kHeight};
        return item.control->IsVisible() && IntersectRect(&visible, &item.control->GetPos(), &window);
    }));
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr));
    ScanPageWindow window;
    if (!window.VxCreate(nullptr, L"DLL错误修复工具", WS_POPUP | WS_VISIBLE, 0, 0, 0, kWidth, kHeight)) {
        std::printf("the window could not be made\n");
        return 1;
    }
    UpdateWindow(window.GetHWND());
    Pump();
    const HWND handle = window.GetHWND();
    const std::vector<Drawn>& drawn = window.scene.Items();

    auto fullRepaint = [&] {
        InvalidateRect(handle, nullptr, FALSE);
        UpdateWindow(handle);
    };
    // The tree's own painting, without the window: what WM_PAINT adds is the rest.
    uint32_t* treeBits = nullptr;
    GdiBitmap treeBitmap = CreateTopDownDib(kWidth, kHeight, &treeBits);
    MemoryDC treeDC(CreateCompatibleDC(nullptr));
    SelectGuard selectTree(treeDC.Get(), treeBitmap.Get());
    const RECT client = {0, 0, kWidth, kHeight};
    auto treePaint = [&] { window.GetPaintManager().GetRootControl()->DoPaint(treeDC.Get(), client); };

    uint32_t* screenBits = nullptr;
    GdiBitmap buffer = CreateTopDownDib(kWidth, kHeight, &screenBits);
    MemoryDC bufferDC(CreateCompatibleDC(nullptr));
    SelectGuard selectBuffer(bufferDC.Get(), buffer.Get());
    const ClientDC windowDC(handle);
    PrintWindow(handle, bufferDC.Get(), PW_CLIENTONLY);  // the same picture, so the screen stays right
    auto blitBuffer = [&] { BitBlt(windowDC.Get(), 0, 0, kWidth, kHeight, bufferDC.Get(), 0, 0, SRCCOPY); };

    uint32_t* floorBits = nullptr;
    GdiBitmap floorBitmap = CreateTopDownDib(kWidth, kHeight, &floorBits);
    MemoryDC floorDC(CreateCompatibleDC(nullptr));
    SelectGuard selectFloor(floorDC.Get(), floorBitmap.Get());
    auto drawFloor = [&] { DrawFloor(floorDC.Get(), drawn, window.GetPaintManager()); };

    int flip = 0;
    auto changeLabel = [&] {
        window.statusLabel->SetText(++flip % 2 ? L"异常扫描中（ 42.5 % ）" : L"异常扫描中（ 43.0 % ）");
        UpdateWindow(handle);
    };
    const RECT onePixel = {600, 400, 601, 401};
    auto repaintPixel = [&] {
        InvalidateRect(handle, &onePixel, FALSE);
        UpdateWindow(handle);
    };
    const std::vector<double> times = Medians({fullRepaint, treePaint, blitBuffer, drawFloor, changeLabel, repaintPixel});
    const double full = times[0], tree = times[1], blit = times[2], floor = times[3], label = times[4],
                 pixel = times[5];
    const RECT labelRect = window.statusLabel->GetPos();

    window.statusLabel->SetText(L"异常扫描中（ 42.0 % ）");
    UpdateWindow(handle);
    const double same = SamePixels(handle, floorBits);
    window.timerMessages = 0;
    PumpFor(kIdleMilliseconds);

    std::printf("window %d x %d, %d visible controls, picture equal to the floor's in %.1f %% of the pixels\n",
                kWidth, kHeight, CountVisible(drawn), same);
    std::printf("%-44s %9.3f ms\n", "full repaint (WM_PAINT, layout done)", full);
    std::printf("%-44s %9.3f ms   tree / floor = %.2f\n", "  of which the tree's DoPaint into a DIB", tree,
                tree / floor);
    std::printf("%-44s %9.3f ms   full / blit  = %.2f\n", "(a) one BitBlt of the whole buffer", blit, full / blit);
    std::printf("%-44s %9.3f ms   full / floor = %.2f   (goal <= 1.5)\n", "(b) raw-GDI floor into a DIB", floor,
                full / floor);
    std::printf("%-44s %9.3f ms   label / full = %.2f   (goal <= 0.2; label %ld x %ld)\n",
                "repaint after one label's text changed", label, label / full, labelRect.right - labelRect.left,
                labelRect.bottom - labelRect.top);
    std::printf("%-44s %9.3f ms   pixel / full = %.2f   (what every paint costs)\n",
                "repaint of one pixel", pixel, pixel / full);
    std::printf("%-44s %9d      (goal 0)\n", "timer messages while idle for 2 s", window.timerMessages);

    if (argc == 3 && std::wcscmp(argv[1], L"--hold") == 0)
        PumpFor(DWORD(_wtoi(argv[2])) * 1000);
    DestroyWindow(handle);
    return 0;
}
