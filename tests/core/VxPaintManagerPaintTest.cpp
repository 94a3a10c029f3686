#include <gtest/gtest.h>

#include <utility>

#include "GuiTestSupport.h"
#include "TreeWindow.h"
#include "VxLoadResource.h"

using namespace VXM;
using namespace gui_test;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

class PaintManagerPaint : public ::testing::Test {
protected:
    void SetUp() override { VxLoadResource::Instance().SetResourceInstance(GetModuleHandleW(nullptr)); }
    void TearDown() override { PumpMessages(); }
};

int IndexOf(const std::vector<Note>& notes, UINT type)
{
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i].type == type)
            return int(i);
    }
    return -1;
}

struct Corners {
    bool topLeft, topRight, bottomLeft, bottomRight;
};

Corners WindowRegionCorners(HWND window)
{
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    const int right = bounds.right - bounds.left - 1;
    const int bottom = bounds.bottom - bounds.top - 1;
    GdiRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) == ERROR)
        return {true, true, true, true};
    return {PtInRegion(region.Get(), 0, 0) != FALSE, PtInRegion(region.Get(), right, 0) != FALSE,
            PtInRegion(region.Get(), 0, bottom) != FALSE, PtInRegion(region.Get(), right, bottom) != FALSE};
}

}  // namespace

TEST_F(PaintManagerPaint, FirstPaintSendsLayoutBeforeInitAndInitOnlyOnce)
{
    TreeWindow window;
    ASSERT_TRUE(window.Open());
    const int layout = IndexOf(window.notes, kNotifyLayout);
    const int init = IndexOf(window.notes, kNotifyWindowInit);
    ASSERT_GE(layout, 0);
    ASSERT_GE(init, 0);
    EXPECT_LT(layout, init);
    EXPECT_EQ(window.notes[size_t(init)].sender, window.Root());
    EXPECT_EQ(window.notes[size_t(layout)].sender, window.Root());

    // A resize lays the root out again (2) but the window is initialised once (1).
    SetWindowPos(window.GetHWND(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(window.GetHWND());
    PumpMessages();
    EXPECT_EQ(window.CountNotes(kNotifyWindowInit), 1);
    EXPECT_EQ(window.CountNotes(kNotifyLayout), 2);
    EXPECT_EQ(window.Root()->GetPos().right, 300);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, TheTreeIsPaintedThroughTheBufferIntoTheWindow)
{
    ProbeControl* red = nullptr;
    TreeWindow window([&](VxContainer& root) { red = AddFloating(root, {20, 30, 120, 80}, L"normalbkcolor=\"#FFFF0000\""); });
    ASSERT_TRUE(window.Open());
    const std::vector<uint32_t> printed = window.Capture();
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(window.PixelAt(printed, 70, 50), kRed);
    EXPECT_EQ(window.PixelAt(printed, 19, 50), kWhite);
    EXPECT_EQ(window.PixelAt(printed, 120, 50), kWhite);
    EXPECT_EQ(window.PixelAt(printed, 300, 250), kWhite);

    // What reached the screen is the same picture.
    const ClientDC screen(window.GetHWND());
    EXPECT_EQ(GetPixel(screen.Get(), 70, 50), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(screen.Get(), 300, 250), RGB(255, 255, 255));
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, OnlyTheUpdateRectangleIsRepainted)
{
    ProbeControl* wide = nullptr;
    TreeWindow window([&](VxContainer& root) { wide = AddFloating(root, {0, 0, 400, 100}, L"normalbkcolor=\"#FFFF0000\""); });
    ASSERT_TRUE(window.Open());
    ASSERT_FALSE(wide->paints.empty());
    wide->paints.clear();

    // Changed without a repaint: only the invalidated part may show the new colour.
    wide->SetAttribute(L"normalbkcolor", L"#FF0000FF");
    ValidateRect(window.GetHWND(), nullptr);
    const RECT part = {10, 10, 60, 40};
    InvalidateRect(window.GetHWND(), &part, FALSE);
    UpdateWindow(window.GetHWND());
    ASSERT_EQ(wide->paints.size(), 1u);
    EXPECT_TRUE(EqualRect(&wide->paints[0], &part));
    const ClientDC screen(window.GetHWND());
    EXPECT_EQ(GetPixel(screen.Get(), 30, 20), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(screen.Get(), 200, 50), RGB(255, 0, 0));
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, LayoutWaitsForThePaintAndTouchesOnlyWhatNeedsIt)
{
    ProbeControl* moved = nullptr;
    ProbeControl* still = nullptr;
    TreeWindow window([&](VxContainer& root) {
        moved = AddFloating(root, {0, 0, 50, 50});
        still = AddFloating(root, {100, 0, 150, 50});
    });
    ASSERT_TRUE(window.Open());
    const int movedLayouts = moved->layouts;
    const int stillLayouts = still->layouts;

    moved->NeedUpdate();
    EXPECT_EQ(moved->layouts, movedLayouts);  // a request, not work
    InvalidateRect(window.GetHWND(), nullptr, FALSE);
    UpdateWindow(window.GetHWND());
    EXPECT_EQ(moved->layouts, movedLayouts + 1);
    EXPECT_EQ(still->layouts, stillLayouts);
    EXPECT_FALSE(moved->IsUpdateNeeded());
    DestroyWindow(window.GetHWND());
}

// A layout that asks for another one (a list showing its scroll bar, say) is served in the same
// paint; the manager must not stay "layout pending" with no paint on its way.
TEST_F(PaintManagerPaint, LayoutRequestedDuringTheLayoutIsServedAndNotLeftPending)
{
    struct Chained : ProbeControl {
        ProbeControl* next = nullptr;
        void SetPos(RECT rect) override
        {
            ProbeControl::SetPos(rect);
            if (next)
                std::exchange(next, nullptr)->NeedUpdate();
        }
    };
    Chained* first = nullptr;
    ProbeControl* second = nullptr;
    TreeWindow window([&](VxContainer& root) {
        first = AddFloating<Chained>(root, {0, 0, 50, 50});
        second = AddFloating(root, {100, 0, 150, 50});
    });
    ASSERT_TRUE(window.Open());
    const int secondLayouts = second->layouts;
    first->next = second;
    first->NeedUpdate();
    InvalidateRect(window.GetHWND(), nullptr, FALSE);
    UpdateWindow(window.GetHWND());

    EXPECT_EQ(second->layouts, secondLayouts + 1);
    EXPECT_FALSE(window.Manager().IsUpdateNeeded());
    EXPECT_FALSE(GetUpdateRect(window.GetHWND(), nullptr, FALSE));
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, ZeroSizedClientAreaPaintsWithoutFailing)
{
    TreeWindow window([](VxContainer& root) { AddFloating(root, {0, 0, 50, 50}, L"normalbkcolor=\"#FF0000FF\""); });
    ASSERT_TRUE(window.Open(0, 0));
    InvalidateRect(window.GetHWND(), nullptr, FALSE);
    LRESULT result = 0;
    EXPECT_TRUE(window.Manager().MessageHandler(WM_PAINT, 0, 0, result));
    UpdateWindow(window.GetHWND());
    PrintWindow(window.GetHWND(), ClientDC(window.GetHWND()).Get(), PW_CLIENTONLY);

    // Growing afterwards paints normally.
    SetWindowPos(window.GetHWND(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(window.GetHWND());
    EXPECT_EQ(window.PixelAt(window.Capture(), 10, 10), kBlue);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, RoundCornersShapeTheWindowOnEveryResize)
{
    TreeWindow window;
    // The skin's 2 x 2 corner ellipses are too small to take a whole pixel; 6 x 6 ones show.
    window.Manager().SetRoundCorner(2, 2);
    ASSERT_TRUE(window.Open(200, 100, WS_POPUP));
    for (const SIZE size : {SIZE{220, 120}, SIZE{180, 90}}) {
        SetWindowPos(window.GetHWND(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        GdiRegion region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(window.GetHWND(), region.Get()), ERROR);
        RECT box = {};
        GetRgnBox(region.Get(), &box);
        EXPECT_EQ(box.right, size.cx);
        EXPECT_EQ(box.bottom, size.cy);
    }

    window.Manager().SetRoundCorner(6, 6);
    SetWindowPos(window.GetHWND(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    Corners corners = WindowRegionCorners(window.GetHWND());
    EXPECT_FALSE(corners.topLeft);
    EXPECT_FALSE(corners.topRight);
    EXPECT_FALSE(corners.bottomLeft);
    EXPECT_FALSE(corners.bottomRight);

    window.Manager().SetRoundCorner(5, 0);
    SetWindowPos(window.GetHWND(), nullptr, 0, 0, 210, 100, SWP_NOMOVE | SWP_NOZORDER);
    corners = WindowRegionCorners(window.GetHWND());
    EXPECT_FALSE(corners.topLeft);
    EXPECT_FALSE(corners.topRight);
    EXPECT_TRUE(corners.bottomLeft);
    EXPECT_TRUE(corners.bottomRight);

    // Square again: the rectangle is set once, so the corners come back.
    window.Manager().SetRoundCorner(0, 0);
    SetWindowPos(window.GetHWND(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    corners = WindowRegionCorners(window.GetHWND());
    EXPECT_TRUE(corners.topLeft);
    EXPECT_TRUE(corners.bottomRight);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, MinimisedResizeChangesNothing)
{
    TreeWindow window;
    ASSERT_TRUE(window.Open(200, 100));
    const int layouts = window.CountNotes(kNotifyLayout);
    LRESULT result = 0;
    EXPECT_TRUE(window.Manager().MessageHandler(WM_SIZE, SIZE_MINIMIZED, 0, result));
    InvalidateRect(window.GetHWND(), nullptr, FALSE);
    UpdateWindow(window.GetHWND());
    EXPECT_EQ(window.CountNotes(kNotifyLayout), layouts);
    DestroyWindow(window.GetHWND());
}

TEST_F(PaintManagerPaint, LayeredWindowGetsTheLayeredStyleAndPaints)
{
    ProbeControl* child = nullptr;
    TreeWindow window([&](VxContainer& root) { child = AddFloating(root, {0, 0, 40, 40}, L"normalbkcolor=\"#FF00FF00\""); });
    window.Manager().SetLayeredWindow(true);
    window.Manager().SetLayeredWindowAlpha(50);
    ASSERT_TRUE(window.Open(100, 100));
    EXPECT_TRUE(GetWindowLongW(window.GetHWND(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(child->paints.empty());
    EXPECT_EQ(window.CountNotes(kNotifyWindowInit), 1);
    DestroyWindow(window.GetHWND());
}
