#include "CheckResult.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "AppNotify.h"
#include "CheckResultItem.h"
#include "ControlHost.h"
#include "ScanUpdate.h"
#include "VxButton.h"
#include "VxScrollbar.h"
#include "VxVirtualList.h"

using namespace VXM;
using app::CheckResult;
using app::CheckResultItem;

namespace {

struct CheckResultFixture : ::testing::Test {
    void Add(const std::wstring& group, int style, const std::wstring& detail, const std::wstring& description = {},
             const std::wstring& extra = {})
    {
        list->AddFinding(group, description, style, detail, extra);
    }
    // The control of row `index` once the list is laid out.
    CheckResultItem* Shown(int index)
    {
        host.Paint();
        return list->ShownRow(index);
    }

    ControlHost host;
    CheckResult* list = host.Add(new CheckResult);
};

}  // namespace

TEST(CheckResult, AnswersItsOwnClassCodeAsAContainer)
{
    CheckResult list;
    EXPECT_EQ(list.GetClass(), UINT{app::kClassCheckResult});
    for (UINT code : {app::kClassCheckResult, UINT{kClassContainer}, UINT{kClassControl}})
        EXPECT_EQ(list.GetInterface(code), &list) << code;
    for (UINT code : {UINT{kClassLabel}, UINT{kClassButton}, app::kClassCheckResultItem, app::kClassLeftOption})
        EXPECT_EQ(list.GetInterface(code), nullptr) << code;
}

TEST(CheckResult, BeforeInitItHasNoChildrenAndIgnoresFindingsAndTexts)
{
    CheckResult list;
    list.SetTitle(L"title");
    list.AddFinding(L"app.exe", L"", scan::kEventRow, L"2024", L"");
    list.AddNote(L"note");
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(list.RecordAt(0), nullptr);
    EXPECT_EQ(list.TotalCount(), 0);
}

TEST_F(CheckResultFixture, InitMakesTheNineChildrenOnceHoweverOftenItRuns)
{
    ASSERT_EQ(list->GetCount(), 9);
    Add(L"app.exe", scan::kEventRow, L"2024-01-01");
    host.Paint();  // makes the row's control
    list->Init();
    struct Listener : INotify {
        void Notify(VxNotify&) override {}
    } second;
    host.Manager().AddNotifier(&second);  // runs Init over the whole tree again
    EXPECT_EQ(list->GetCount(), 9);
    EXPECT_EQ(list->RowCount(), 1);
    ASSERT_NE(list->ShownRow(0), nullptr);
    EXPECT_EQ(list->ShownRow(0)->GetCount(), 5) << "a row's own children are not made twice either";
    EXPECT_EQ(list->GetItemAt(6), list->NoteBox());
    EXPECT_EQ(list->GetItemAt(8), list->RowList());
}

TEST_F(CheckResultFixture, ChildrenWearTheirFontsColoursAndHeights)
{
    struct Expect {
        int index;
        const wchar_t* font;
        DWORD color;
        int height;
        bool visible;
    };
    const Expect expected[] = {{0, L"bold24", 0xFF000000, 50, true},   {1, L"normal16", 0xFF818181, 30, true},
                               {2, L"normal16", 0xFF818181, 25, true}, {3, L"normal16", 0xFF949494, 25, false},
                               {4, L"normal22", 0xFF363636, 40, true}, {5, L"normal16", 0xFF818181, 30, false},
                               {7, L"normal16", 0xFF818181, 30, false}};
    for (const Expect& expect : expected) {
        VxControl* child = list->GetItemAt(expect.index);
        EXPECT_EQ(child->GetNormalFont(), expect.font) << expect.index;
        EXPECT_EQ(child->GetNormalTextColor(), expect.color) << expect.index;
        EXPECT_EQ(child->GetFixedHeight(), expect.height) << expect.index;
        EXPECT_EQ(child->IsVisible(), expect.visible) << expect.index;
        EXPECT_TRUE(child->GetControlDispatch(kEventMouseWheel)) << expect.index;
    }
    for (int index : {4, 5, 7})
        EXPECT_EQ(list->GetItemAt(index)->GetPadding().top, 15) << index;

    VxVerticalLayout* notes = list->NoteBox();
    EXPECT_FALSE(notes->IsVisible());
    EXPECT_EQ(notes->GetFixedHeight(), 175);
    EXPECT_EQ(notes->GetNormalBorderColor(), 0xFFEFEFEFu);
    EXPECT_EQ(notes->GetNormalBorderSize(), 2);
    EXPECT_EQ(notes->GetRoundCorner().cx, 5);
    EXPECT_EQ(notes->GetNormalBkColor(), 0xFFF5F5F5u);
    EXPECT_EQ(notes->GetInset().left, 15);
    EXPECT_EQ(notes->GetInset().bottom, 10);
    for (VxContainer* scrolled : {static_cast<VxContainer*>(notes), static_cast<VxContainer*>(list->RowList())}) {
        ASSERT_NE(scrolled->GetVerticalScrollbar(), nullptr);
        EXPECT_EQ(scrolled->GetHorizontalScrollbar(), nullptr);
        EXPECT_EQ(scrolled->GetVerticalScrollbar()->GetFixedWidth(), 15) << "the skin's VScrollBar1";
        EXPECT_EQ(scrolled->GetVerticalScrollbar()->GetLineSize(), 30);
    }
    EXPECT_TRUE(list->GetControlDispatch(kEventMouseWheel));
}

TEST_F(CheckResultFixture, TextSettersShowWhatTheDllListNeeds)
{
    list->SetTitle(L"DLL异常扫描");
    list->SetDescription(L"描述");
    list->SetSecondDescription(L"第二");
    list->SetListHeading(L"列表");
    EXPECT_EQ(list->GetItemAt(0)->GetText(), L"DLL异常扫描");
    EXPECT_EQ(list->GetItemAt(4)->GetText(), L"列表");
    EXPECT_FALSE(list->GetItemAt(3)->IsVisible());

    list->SetThirdDescription(L"第三");
    list->SetScanHeading(L"正在扫描以下DLL");
    list->SetReportHeading(L"DLL异常错误报告");
    EXPECT_TRUE(list->GetItemAt(3)->IsVisible());
    EXPECT_EQ(list->GetItemAt(3)->GetText(), L"第三");
    EXPECT_TRUE(list->GetItemAt(5)->IsVisible());
    EXPECT_FALSE(list->GetItemAt(4)->IsVisible()) << "the scan heading replaces the list heading";
    EXPECT_TRUE(list->NoteBox()->IsVisible());
    EXPECT_TRUE(list->GetItemAt(7)->IsVisible());
    EXPECT_EQ(list->GetItemAt(7)->GetText(), L"DLL异常错误报告");
}

TEST_F(CheckResultFixture, AnEmptyListTotalsZero)
{
    EXPECT_EQ(list->TotalCount(), 0);
    EXPECT_EQ(list->RowCount(), 0);
}

TEST_F(CheckResultFixture, GroupsDifferingOnlyInCaseShareARowShowingTheLastSpelling)
{
    Add(L"notepad.exe", scan::kEventRow, L"2024-01-01 10:00:00");
    Add(L"NOTEPAD.EXE", scan::kEventRow, L"2024-01-02 10:00:00");
    Add(L"Notepad.Exe", scan::kEventRow, L"2024-01-03 10:00:00");
    ASSERT_EQ(list->RowCount(), 1);
    CheckResultItem* row = Shown(0);
    EXPECT_EQ(row->GetGroupName(), L"Notepad.Exe");
    EXPECT_EQ(row->NameLabel()->GetText(), L"Notepad.Exe");
    EXPECT_EQ(row->CountLabel()->GetText(), L"崩溃次数：3");
    EXPECT_EQ(list->TotalCount(), 3);
}

TEST_F(CheckResultFixture, CaseFoldingReachesBeyondAsciiButNeverAcrossLengths)
{
    Add(L"ÄPFEL.exe", scan::kEventRow, L"1");
    Add(L"äpfel.exe", scan::kEventRow, L"2");
    Add(L"журнал", scan::kEventRow, L"3");
    Add(L"ЖУРНАЛ", scan::kEventRow, L"4");
    Add(L"straße", scan::kEventRow, L"5");
    Add(L"STRASSE", scan::kEventRow, L"6");
    Add(L"app.exe", scan::kEventRow, L"7");
    Add(L"app.exe ", scan::kEventRow, L"8");
    Add(L"", scan::kEventRow, L"9");
    ASSERT_EQ(list->RowCount(), 7);
    EXPECT_EQ(list->RecordAt(0)->groupName, L"äpfel.exe");
    EXPECT_EQ(list->RecordAt(1)->groupName, L"ЖУРНАЛ");
    EXPECT_EQ(list->RecordAt(2)->groupName, L"straße") << "no full case mapping: ß stays one unit";
    EXPECT_EQ(list->RecordAt(3)->groupName, L"STRASSE");
    EXPECT_EQ(list->RecordAt(5)->groupName, L"app.exe ");
    EXPECT_EQ(list->RecordAt(6)->groupName, L"") << "an empty group is a group like any other";
    EXPECT_EQ(list->TotalCount(), 9);
}

TEST_F(CheckResultFixture, ARepeatedDetailCountsOnce)
{
    Add(L"app.exe", scan::kEventRow, L"2024-01-01 10:00:00");
    Add(L"app.exe", scan::kEventRow, L"2024-01-01 10:00:00");
    ASSERT_EQ(list->RowCount(), 1);
    EXPECT_EQ(Shown(0)->CountLabel()->GetText(), L"崩溃次数：1");
    EXPECT_EQ(list->TotalCount(), 1);
}

TEST_F(CheckResultFixture, AJunkRowCountsItsFilesUnderItsName)
{
    for (const wchar_t* file : {L"C:\\Temp\\a.tmp", L"C:\\Temp\\b.tmp", L"C:\\Temp\\c.tmp", L"C:\\Temp\\a.tmp"})
        Add(L"C:\\Temp", scan::kJunkRow, file, L"", L"42");
    ASSERT_EQ(list->RowCount(), 1);
    CheckResultItem* row = Shown(0);
    EXPECT_EQ(row->DescriptionLabel()->GetText(), L"垃圾文件：3项");
    EXPECT_TRUE(row->DescriptionLabel()->IsVisible());
    EXPECT_EQ(row->GetDescription(), L"垃圾文件：3项");
    EXPECT_EQ(row->CountLabel()->GetText(), L"可清理：3");
    EXPECT_FALSE(row->StatusIcon()->IsVisible());
    EXPECT_EQ(list->TotalCount(), 3);
}

TEST_F(CheckResultFixture, ADllRowShowsAbnormalButCountsItsDetails)
{
    Add(L"msvcp140.dll", scan::kDllRow, L"C:\\Windows\\System32\\msvcp140.dll");
    Add(L"msvcp140.dll", scan::kDllRow, L"C:\\Windows\\SysWOW64\\msvcp140.dll");
    Add(L"vcruntime140.dll", scan::kDllRow, L"");
    ASSERT_EQ(list->RowCount(), 2);
    EXPECT_EQ(Shown(0)->CountLabel()->GetText(), L"异常");
    EXPECT_EQ(Shown(1)->CountLabel()->GetText(), L"异常");
    EXPECT_EQ(list->TotalCount(), 3);
}

TEST_F(CheckResultFixture, TheTotalSumsTheDistinctDetailsOfEveryRow)
{
    Add(L"a.exe", scan::kEventRow, L"1");
    Add(L"b.exe", scan::kErrorRow, L"1");
    Add(L"b.exe", scan::kErrorRow, L"2");
    Add(L"A.EXE", scan::kEventRow, L"1");
    Add(L"c.exe", scan::kEventRow, L"1");
    int sum = 0;
    for (int i = 0; i < list->RowCount(); ++i)
        sum += static_cast<int>(list->RecordAt(i)->details.Size());
    EXPECT_EQ(list->TotalCount(), 4);
    EXPECT_EQ(list->TotalCount(), sum);
    EXPECT_EQ(Shown(1)->CountLabel()->GetText(), L"错误");
}

TEST_F(CheckResultFixture, AFoundRowKeepsItsStyleAndItsShownDescription)
{
    Add(L"app.exe", scan::kEventRow, L"1", L"最近一次崩溃：2024");
    Add(L"APP.EXE", scan::kJunkRow, L"2", L"");
    ASSERT_EQ(list->RowCount(), 1);
    CheckResultItem* row = Shown(0);
    EXPECT_EQ(row->GetRowStyle(), scan::kEventRow);
    EXPECT_EQ(row->CountLabel()->GetText(), L"崩溃次数：2");
    EXPECT_EQ(row->DescriptionLabel()->GetText(), L"");
    EXPECT_TRUE(row->DescriptionLabel()->IsVisible()) << "an empty description never hides the label again";
}

TEST_F(CheckResultFixture, RowsStayInTheOrderTheyWereMadeAndFindTheirGroupAmongMany)
{
    constexpr int kGroups = 3000;
    for (int i = 0; i < kGroups; ++i)
        Add(L"group" + std::to_wstring(i), scan::kEventRow, L"first");
    for (int i = kGroups - 1; i >= 0; i -= 7)
        Add(L"GROUP" + std::to_wstring(i), scan::kEventRow, L"second");
    ASSERT_EQ(list->RowCount(), kGroups);
    int seconds = 0;
    for (int i = 0; i < kGroups; ++i) {
        const app::FindingRow* row = list->RecordAt(i);
        const bool merged = (kGroups - 1 - i) % 7 == 0;
        seconds += merged ? 1 : 0;
        ASSERT_EQ(row->Count(), merged ? 2 : 1) << i;
        ASSERT_EQ(row->groupName, (merged ? L"GROUP" : L"group") + std::to_wstring(i));
    }
    EXPECT_EQ(list->TotalCount(), kGroups + seconds);
}

TEST_F(CheckResultFixture, RowsGetTheListsManagerAndTheirChildren)
{
    Add(L"app.exe", scan::kEventRow, L"1");
    CheckResultItem* row = Shown(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->GetManager(), &host.Manager());
    EXPECT_EQ(row->GetParent(), list->RowList());
    ASSERT_NE(row->ReportButton(), nullptr);
    EXPECT_EQ(row->ReportButton()->GetManager(), &host.Manager());
}

TEST_F(CheckResultFixture, NotesGoIntoTheNoteBoxWithTheirIcon)
{
    list->AddNote(L"文件正常 msvcp140.dll");
    list->AddNote(L"文件正常 vcruntime140.dll");
    ASSERT_EQ(list->NoteBox()->GetCount(), 2);
    VxControl* note = list->NoteBox()->GetItemAt(1);
    EXPECT_EQ(note->GetText(), L"文件正常 vcruntime140.dll");
    EXPECT_EQ(note->GetNormalFont(), L"normal16");
    EXPECT_EQ(note->GetNormalTextColor(), 0xFF818181u);
    EXPECT_EQ(note->GetFixedHeight(), 30);
    EXPECT_EQ(note->GetNormalTextPadding().left, 35);
    EXPECT_EQ(note->GetNormalTextPadding().top, 4);
    EXPECT_EQ(note->GetNormalBkImage(), L"res='115' restype='PNG' dest='3,3,27,27'");
    EXPECT_TRUE(note->GetControlDispatch(kEventMouseWheel));
    EXPECT_EQ(list->TotalCount(), 0) << "notes are no findings";
}

namespace {

struct ShownListFixture : ::testing::Test {
    ControlHost host{800, 600, true};
    CheckResult* list = host.Add(new CheckResult);
};

bool UpdatePending(HWND window, const RECT& area)
{
    RECT update = {};
    RECT overlap = {};
    return GetUpdateRect(window, &update, FALSE) && IntersectRect(&overlap, &update, &area);
}

}  // namespace

TEST_F(ShownListFixture, AChangedRowAsksForItsRepaintAndShowsItsNewCount)
{
    list->AddFinding(L"app.exe", L"", scan::kEventRow, L"1", L"");
    list->AddFinding(L"other.exe", L"", scan::kEventRow, L"1", L"");
    host.Paint();
    ValidateRect(host.GetHWND(), nullptr);
    CheckResultItem* row = list->ShownRow(0);
    ASSERT_NE(row, nullptr);
    const RECT count = row->CountLabel()->GetPos();
    const std::vector<uint32_t> before = host.Paint();

    list->AddFinding(L"app.exe", L"", scan::kEventRow, L"2", L"");
    list->AddFinding(L"app.exe", L"", scan::kEventRow, L"3", L"");
    EXPECT_TRUE(UpdatePending(host.GetHWND(), row->GetPos()));
    EXPECT_FALSE(UpdatePending(host.GetHWND(), list->ShownRow(1)->GetPos())) << "only the changed row";
    const std::vector<uint32_t> after = host.Paint();
    int changed = 0;
    for (int y = count.top; y < count.bottom; ++y) {
        for (int x = count.left; x < count.right; ++x)
            changed += host.PixelAt(before, x, y) != host.PixelAt(after, x, y) ? 1 : 0;
    }
    EXPECT_GT(changed, 10) << "崩溃次数：1 became 崩溃次数：3 on screen";
}

TEST_F(ShownListFixture, ANewRowAsksForTheListsRepaint)
{
    host.Paint();
    ValidateRect(host.GetHWND(), nullptr);
    list->AddFinding(L"app.exe", L"", scan::kEventRow, L"1", L"");
    EXPECT_TRUE(UpdatePending(host.GetHWND(), list->GetPos()));
}

TEST(CheckResultRows, AHundredThousandGroupsHaveControlsOnlyForTheViewAndTheLastShowsAtTheEnd)
{
    constexpr int kGroups = 100000;
    constexpr int kViewHeight = 600;
    ControlHost host(800, kViewHeight);
    auto* list = host.Add(new CheckResult);
    for (int i = 0; i < kGroups; ++i)
        list->AddFinding(L"app" + std::to_wstring(i) + L".exe", L"", scan::kEventRow, L"1", L"");
    list->AddFinding(L"APP99999.EXE", L"", scan::kEventRow, L"2", L"");
    host.Paint();
    const int pool = list->RowList()->GetCount();
    EXPECT_LE(pool, kViewHeight / 73 + 2 + 2 * VxVirtualList::kMargin);

    list->RowList()->EndDown();
    host.Paint();
    CheckResultItem* last = list->ShownRow(kGroups - 1);
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->IsVisible());
    EXPECT_EQ(last->GetPos().bottom + 5, list->RowList()->GetPos().bottom) << "the last row ends the list";
    EXPECT_EQ(last->NameLabel()->GetText(), L"APP99999.EXE");
    EXPECT_EQ(last->CountLabel()->GetText(), L"崩溃次数：2");
    EXPECT_EQ(list->RowList()->GetCount(), pool) << "scrolling reuses the controls";
    EXPECT_EQ(list->TotalCount(), kGroups + 1);

    host.Click(CentreOf(*last->ReportButton()));
    EXPECT_EQ(host.Count(app::kNotifyReportRequested, last), 1);
    EXPECT_EQ(&last->Record(), list->RecordAt(kGroups - 1)) << "the report takes the record the row shows";
}

// Just past the margin the control of row 0 stays bound to it, unused; at the end another row has
// it. Either way row 0 shows what changed once it is back.
TEST(CheckResultRows, ARowChangedOutOfViewShowsItsNewCountWhenScrolledBackIn)
{
    constexpr int kGroups = 50;
    const int beyondTheMargin = (VxVirtualList::kMargin + 1) * 73;
    for (int scrollTo : {beyondTheMargin, INT_MAX}) {
        ControlHost host(800, 400);
        auto* list = host.Add(new CheckResult);
        for (int i = 0; i < kGroups; ++i)
            list->AddFinding(L"app" + std::to_wstring(i) + L".exe", L"", scan::kEventRow, L"1", L"");
        host.Paint();
        list->RowList()->SetScrollPos(SIZE{0, scrollTo});
        host.Paint();
        ASSERT_EQ(list->ShownRow(0), nullptr) << scrollTo;
        list->AddFinding(L"APP0.EXE", L"", scan::kJunkRow, L"2", L"");
        list->AddFinding(L"app0.exe", L"最近一次崩溃", scan::kEventRow, L"3", L"");
        list->RowList()->SetScrollPos(SIZE{0, 0});
        host.Paint();
        CheckResultItem* first = list->ShownRow(0);
        ASSERT_NE(first, nullptr) << scrollTo;
        EXPECT_EQ(first->CountLabel()->GetText(), L"崩溃次数：3") << scrollTo;
        EXPECT_EQ(first->DescriptionLabel()->GetText(), L"最近一次崩溃") << scrollTo;
        EXPECT_TRUE(first->DescriptionLabel()->IsVisible()) << scrollTo;
        EXPECT_EQ(list->ShownRow(1)->CountLabel()->GetText(), L"崩溃次数：1") << scrollTo;
    }
}
