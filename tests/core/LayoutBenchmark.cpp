// Lays out a vertical list of finding rows (an icon, two labels and a button each) against a
// plain loop that computes the same rectangles, and times one scroll step of the same list.
// Goals: layout at most 3 x the plain loop; one scroll step at most half a layout. Also prints
// the stack each nesting level costs the recursive walks.
//   LayoutBenchmark                           the figures at 1,000 and 10,000 rows
//   LayoutBenchmark depth <levels> [stackKB]  lays out, paints, searches and destroys a chain
//                                             that deep, on a thread of that stack size
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <vector>

#include "BenchmarkTiming.h"
#include "DibSection.h"
#include "LayoutArithmetic.h"
#include "GdiHandles.h"
#include "NestingDepth.h"
#include "VxHorizontalLayout.h"
#include "VxScrollbar.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;
using benchmark_timing::Now;

constexpr int kRounds = 9;
constexpr RECT kListRect = {0, 0, 800, 600};
constexpr int kRowHeight = 48;
constexpr int kRowInset = 12;
constexpr int kGap = 10;
constexpr SIZE kIcon = {32, 32};
constexpr int kIconTop = 8;
constexpr int kDetailWidth = 160;
constexpr SIZE kButton = {88, 28};
constexpr int kButtonTop = 10;
constexpr int kScrollStep = 30;

VxControl* Leaf(int width, int height, int paddingTop, const wchar_t* text)
{
    auto* control = new VxControl();
    control->SetFixedWidth(width);
    control->SetFixedHeight(height);
    control->SetPadding(RECT{0, paddingTop, 0, 0});
    control->SetText(text);
    return control;
}

VxHorizontalLayout* FindingRow()
{
    auto* row = new VxHorizontalLayout();
    row->SetFixedHeight(kRowHeight);
    row->SetInset(RECT{kRowInset, 0, kRowInset, 0});
    row->SetChildPadding(kGap);
    row->Add(Leaf(kIcon.cx, kIcon.cy, kIconTop, L""));
    row->Add(Leaf(0, 0, 0, L"C:\\Windows\\Temp\\setup-log-0001.tmp"));
    row->Add(Leaf(kDetailWidth, 0, 0, L"12.5 KB"));
    row->Add(Leaf(kButton.cx, kButton.cy, kButtonTop, L"Report"));
    return row;
}

// The five rectangles of each row (the row, then its four children), as the plain loop knows them.
void PlainRects(int rows, int innerWidth, int scroll, RECT* out)
{
    const int labelWidth = innerWidth - 2 * kRowInset - (kIcon.cx + kDetailWidth + kButton.cx + 3 * kGap);
    for (int i = 0; i < rows; ++i, out += 5) {
        const int top = i * kRowHeight - scroll;
        int x = kRowInset;
        out[0] = RECT{0, top, innerWidth, top + kRowHeight};
        out[1] = RECT{x, top + kIconTop, x + kIcon.cx, top + kIconTop + kIcon.cy};
        x += kIcon.cx + kGap;
        out[2] = RECT{x, top, x + labelWidth, top + kRowHeight};
        x += labelWidth + kGap;
        out[3] = RECT{x, top, x + kDetailWidth, top + kRowHeight};
        x += kDetailWidth + kGap;
        out[4] = RECT{x, top + kButtonTop, x + kButton.cx, top + kButtonTop + kButton.cy};
    }
}

// The rows and their children in the order of PlainRects, gathered once before timing.
std::vector<VxControl*> ControlsInOrder(VxVerticalLayout& list)
{
    std::vector<VxControl*> controls;
    for (int i = 0; i < list.GetCount(); ++i) {
        auto* row = static_cast<VxContainer*>(list.GetItemAt(i));
        controls.push_back(row);
        for (int child = 0; child < row->GetCount(); ++child)
            controls.push_back(row->GetItemAt(child));
    }
    return controls;
}

// The plain loop once more, handing each rectangle to its control as the layout does (a row
// only stores its rectangle; its children get theirs from the loop).
void PlainStore(const std::vector<VxControl*>& controls, int innerWidth, RECT* rects)
{
    PlainRects(static_cast<int>(controls.size() / 5), innerWidth, 0, rects);
    for (size_t i = 0; i < controls.size(); i += 5) {
        controls[i]->VxControl::SetPos(rects[i]);
        for (size_t child = i + 1; child < i + 5; ++child)
            controls[child]->SetPos(rects[child]);
    }
}

bool SameRects(const std::vector<VxControl*>& controls, const std::vector<RECT>& rects)
{
    for (size_t i = 0; i < controls.size(); ++i) {
        if (!EqualRect(&controls[i]->GetPos(), &rects[i]))
            return false;
    }
    return true;
}

// The layout arithmetic alone, over the records the layout gathers from the controls: the list's
// vertical flow and each row's horizontal one.
class ArithmeticOnly {
public:
    ArithmeticOnly(int rows, int innerWidth) : rowRects_(rows), childRects_(4)
    {
        layout::LayoutChild row;
        row.estimate = SIZE{0, kRowHeight};
        rowChildren_.assign(rows, row);
        childRecords_.resize(4);
        childRecords_[0].estimate = kIcon;
        childRecords_[0].padding.top = kIconTop;
        childRecords_[2].estimate = SIZE{kDetailWidth, 0};
        childRecords_[3].estimate = kButton;
        childRecords_[3].padding.top = kButtonTop;
        listArea_ = layout::AreaFor(layout::kVertical, RECT{0, 0, innerWidth, kListRect.bottom}, {}, {}, 0);
    }

    void Run()
    {
        layout::FlowVertical(listArea_, rowChildren_, rowRects_);
        for (const RECT& row : rowRects_) {
            const RECT inner = {row.left + kRowInset, row.top, row.right - kRowInset, row.bottom};
            const layout::LayoutArea area = layout::AreaFor(layout::kHorizontal, inner, {}, {}, kGap);
            layout::FlowHorizontal(area, childRecords_, childRects_);
        }
    }

    // The last row's children as the arithmetic placed them, to check against the plain loop.
    const std::vector<RECT>& LastRow() const { return childRects_; }

private:
    layout::LayoutArea listArea_;
    std::vector<layout::LayoutChild> rowChildren_;
    std::vector<RECT> rowRects_;
    std::vector<layout::LayoutChild> childRecords_;
    std::vector<RECT> childRects_;
};

bool RunRows(int rows)
{
    VxVerticalLayout list;
    list.EnableScrollBar(true, false);
    for (int i = 0; i < rows; ++i)
        list.Add(FindingRow());
    list.SetPos(kListRect);
    const int innerWidth = kListRect.right - list.GetVerticalScrollbar()->GetFixedWidth();

    const std::vector<VxControl*> controls = ControlsInOrder(list);
    std::vector<RECT> rects(controls.size());
    PlainRects(rows, innerWidth, 0, rects.data());
    if (!SameRects(controls, rects)) {
        std::printf("%d rows: the layout and the plain loop disagree\n", rows);
        return false;
    }

    ArithmeticOnly arithmetic(rows, innerWidth);
    arithmetic.Run();
    if (!std::equal(arithmetic.LastRow().begin(), arithmetic.LastRow().end(), rects.end() - 4,
                    [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; })) {
        std::printf("%d rows: the arithmetic and the plain loop disagree\n", rows);
        return false;
    }

    int position = 0;
    const std::vector<double> times = benchmark_timing::TimePerCall({
        [&] { list.SetPos(kListRect); },
        [&] { PlainRects(rows, innerWidth, 0, rects.data()); },
        [&] { PlainStore(controls, innerWidth, rects.data()); },
        [&] { arithmetic.Run(); },
        [&] {
            position = position ? 0 : kScrollStep;
            list.SetScrollPos(SIZE{0, position});
        },
    });
    const double layout = times[0], plain = times[1], stored = times[2], pure = times[3], scroll = times[4];
    // Timing left the rows wherever the last body put them: lay out afresh, then one step.
    list.SetScrollPos(SIZE{0, 0});
    list.SetPos(kListRect);
    list.SetScrollPos(SIZE{0, kScrollStep});
    PlainRects(rows, innerWidth, kScrollStep, rects.data());
    if (!SameRects(controls, rects)) {
        std::printf("%d rows: the scrolled rows stand elsewhere than the plain loop puts them\n", rows);
        return false;
    }

    std::printf("%6d rows  layout %8.1f us  plain loop %6.1f us  plain loop into the controls %7.1f us"
                "  arithmetic alone %7.1f us  scroll step %8.1f us\n",
                rows, layout * 1e6, plain * 1e6, stored * 1e6, pure * 1e6, scroll * 1e6);
    std::printf("             layout / plain loop %6.1f   layout / plain loop into the controls %4.1f"
                "   arithmetic alone / plain loop %4.1f   (goal: at most 3)\n",
                layout / plain, layout / stored, pure / plain);
    std::printf("             scroll step / layout %4.2f   (goal: at most 0.5)\n", scroll / layout);
    return true;
}

// Records how deep the stack stands where the recursion reaches the bottom of a chain.
class StackProbe : public VxControl {
public:
    void SetPos(RECT rect) override
    {
        Mark();
        VxControl::SetPos(rect);
    }
    void DoPaint(HDC dc, const RECT& paint) override
    {
        Mark();
        VxControl::DoPaint(dc, paint);
    }
    static VxControl* Find(VxControl* control, void*)
    {
        if (auto* probe = dynamic_cast<StackProbe*>(control))
            probe->Mark();
        return nullptr;
    }
    uintptr_t mark = 0;

private:
    void Mark()
    {
        volatile char local = 0;
        mark = reinterpret_cast<uintptr_t>(&local);
    }
};

// A chain of `levels` vertical layouts with the given leaf; returns the root, which owns it all.
VxVerticalLayout* MakeChain(int levels, VxControl* leaf)
{
    auto* root = new VxVerticalLayout();
    VxVerticalLayout* last = root;
    for (int i = 1; i < levels; ++i) {
        auto* level = new VxVerticalLayout();
        last->Add(level);
        last = level;
    }
    last->Add(leaf);
    return root;
}

struct StackMarks {
    uintptr_t layout = 0;
    uintptr_t paint = 0;
    uintptr_t find = 0;
};

StackMarks MarksAtDepth(int levels, HDC dc)
{
    auto* probe = new StackProbe();
    probe->SetNormalBkColor(0xFF000000);
    VxVerticalLayout* root = MakeChain(levels, probe);
    StackMarks marks;
    root->SetPos(RECT{0, 0, 10, 10});
    marks.layout = probe->mark;
    root->DoPaint(dc, RECT{0, 0, 10, 10});
    marks.paint = probe->mark;
    root->FindControl(StackProbe::Find, nullptr, 0);
    marks.find = probe->mark;
    delete root;
    return marks;
}

void PrintStackPerLevel()
{
    uint32_t* bits = nullptr;
    GdiBitmap bitmap(CreateTopDownDib(10, 10, &bits));
    MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.Get(), bitmap.Get());
    constexpr int kShallow = 20;
    constexpr int kDeep = kShallow + 100;
    const StackMarks shallow = MarksAtDepth(kShallow, dc.Get());
    const StackMarks deep = MarksAtDepth(kDeep, dc.Get());
    auto perLevel = [](uintptr_t high, uintptr_t low) { return double(high - low) / (kDeep - kShallow); };
    const double layout = perLevel(shallow.layout, deep.layout);
    const double paint = perLevel(shallow.paint, deep.paint);
    const double find = perLevel(shallow.find, deep.find);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(dos) + dos->e_lfanew);
    const double reserve = double(nt->OptionalHeader.SizeOfStackReserve);
    const double worst = std::max({layout, paint, find});
    std::printf("stack per nesting level: layout %.0f B, paint %.0f B, find %.0f B\n", layout, paint, find);
    std::printf("main thread stack %.0f KB: the deepest walk would run out near %.0f levels (1 MB: %.0f);"
                " limit kMaxNestingDepth = %d\n",
                reserve / 1024, reserve / worst, 1048576 / worst, kMaxNestingDepth);
}

void Step(int levels, const char* what)
{
    std::printf("%d levels: %s\n", levels, what);
    std::fflush(stdout);  // the last line shows how far a run got that overflowed its stack
}

DWORD WINAPI RunChain(void* parameter)
{
    const int levels = *static_cast<int*>(parameter);
    uint32_t* bits = nullptr;
    GdiBitmap bitmap(CreateTopDownDib(100, 100, &bits));
    MemoryDC dc(CreateCompatibleDC(nullptr));
    SelectGuard select(dc.Get(), bitmap.Get());
    auto* leaf = new VxControl();
    leaf->SetName(L"leaf");
    VxVerticalLayout* root = MakeChain(levels, leaf);
    Step(levels, "built");
    root->SetPos(RECT{0, 0, 100, 100});
    Step(levels, leaf->GetPos().right == 100 ? "laid out to the leaf" : "laid out down to the limit");
    root->DoPaint(dc.Get(), RECT{0, 0, 100, 100});
    Step(levels, "painted");
    POINT point = {50, 50};
    root->FindControl([](VxControl* c, void*) { return c; }, &point, kFindHitTest | kFindTopFirst);
    const bool named = root->FindControl(
        [](VxControl* c, void*) { return c->GetName() == L"leaf" ? c : nullptr; }, nullptr, 0);
    Step(levels, named ? "searched to the leaf" : "searched down to the limit");
    delete root;
    Step(levels, "destroyed");
    return 0;
}

int RunDepth(int levels, int stackKilobytes)
{
    if (stackKilobytes <= 0)
        return static_cast<int>(RunChain(&levels));
    HANDLE thread = CreateThread(nullptr, static_cast<SIZE_T>(stackKilobytes) * 1024, RunChain, &levels,
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread)
        return 1;
    WaitForSingleObject(thread, INFINITE);
    DWORD code = 1;
    GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return static_cast<int>(code);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 3 && std::wcscmp(argv[1], L"depth") == 0)
        return RunDepth(_wtoi(argv[2]), argc >= 4 ? _wtoi(argv[3]) : 0);
    std::printf("vertical list of finding rows (a horizontal layout of an icon, two labels and a button)"
                ", median of %d rounds\n",
                kRounds);
    for (int rows : {1000, 10000}) {
        if (!RunRows(rows))
            return 1;
    }
    PrintStackPerLevel();
    return 0;
}
