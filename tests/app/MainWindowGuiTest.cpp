// The main window as the start-up routine opens it: its place and look, the home page, the scan
// page filled by a real scan, and a second scan on the same page.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "AppGuiSupport.h"
#include "AppNotify.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "LeftOption.h"
#include "SharedDllsValues.h"
#include "SkinWindow.h"
#include "VendorServer.h"
#include "VxContainer.h"
#include "VxDefines.h"
#include "ZentariumWnd.h"

using app_test::EventLogSeam;
using app_test::MainWindowRun;
using Crashes = std::vector<EventLogSeam::Crash>;

namespace {

constexpr UINT kHighlightBlue = 0xFF1196FF;

app::CheckResult* List(MainWindowRun& run, UINT id)
{
    return run.ControlAs<app::CheckResult>(id, app::kClassCheckResult);
}

app::LeftOption* Entry(MainWindowRun& run, UINT id)
{
    return run.ControlAs<app::LeftOption>(id, app::kClassLeftOption);
}

// The record of a list's row whose group is `group`, or null.
const app::FindingRow* RowOf(const app::CheckResult& list, const std::wstring& group)
{
    return list.RecordAt(app_test::RowIndexOf(list, group));
}

std::wstring FirstChildText(VXM::VxControl* control)
{
    auto* container = control ? static_cast<VXM::VxContainer*>(control->GetInterface(VXM::kClassContainer)) : nullptr;
    VXM::VxControl* first = container ? container->GetItemAt(0) : nullptr;
    return first ? first->GetText() : L"";
}

std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp, length);
}

// Files written now into a folder of their own in the temporary folder, a junk folder of the scan;
// removed again at the end.
class PlantedJunk {
public:
    PlantedJunk() : folder_(TempFolder() + L"zentarium-gui-junk-" + std::to_wstring(GetCurrentProcessId()) + L"\\")
    {
        std::filesystem::create_directories(folder_);
    }
    ~PlantedJunk()
    {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    std::wstring Add(const std::wstring& name)
    {
        std::ofstream(std::filesystem::path(folder_ + name), std::ios::binary) << "junk";
        return folder_ + name;
    }

private:
    std::wstring folder_;
};

class MainWindowGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
        app_test::ForgetRepairTime();
    }
    void TearDown() override { app_test::ForgetRepairTime(); }
};

TEST_F(MainWindowGui, OpensCentredAtTheSkinsMinimumSizeWithoutCaptionOnTheHomePage)
{
    MainWindowRun run;
    ASSERT_TRUE(run.Alive());
    ASSERT_TRUE(run.WaitUntilPainted());
    RECT rect = {};
    GetWindowRect(run.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 1100);
    EXPECT_EQ(rect.bottom - rect.top, 824);
    RECT workArea = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_NEAR((rect.left + rect.right) / 2, (workArea.left + workArea.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (workArea.top + workArea.bottom) / 2, 1);

    wchar_t text[64] = {};
    GetClassNameW(run.Handle(), text, 64);
    EXPECT_STREQ(text, L"Zentarium_WND_CLASS");
    EXPECT_EQ(GetClassLongW(run.Handle(), GCL_STYLE), static_cast<DWORD>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
    GetWindowTextW(run.Handle(), text, 64);
    EXPECT_STREQ(text, L"DLL错误修复工具");
    EXPECT_EQ(GetWindowLongW(run.Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_NE(SendMessageW(run.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(run.Handle(), WM_GETICON, ICON_SMALL, 0), 0);

    EXPECT_TRUE(run.Shows(103));
    EXPECT_FALSE(run.Shows(114));
    run.SaveScreenshot(L"app-home");
}

TEST_F(MainWindowGui, WindowInitGivesTheScanPageItsTitlesIconsAndZeroCounts)
{
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    const std::pair<UINT, const wchar_t*> entries[] = {
        {117, L"应用程序崩溃扫描"}, {118, L"系统错误扫描"}, {119, L"垃圾文件扫描"}, {120, L"系统DLL扫描"}};
    for (const auto& [id, title] : entries) {
        app::LeftOption* entry = Entry(run, id);
        ASSERT_NE(entry, nullptr) << id;
        EXPECT_EQ(entry->Title()->GetText(), title);
        EXPECT_EQ(entry->CountBadge()->GetText(), L"0");
        EXPECT_EQ(entry->HighlightBar()->GetNormalBkColor(), id == 117 ? kHighlightBlue : 0u) << id;
    }
    EXPECT_EQ(Entry(run, 119)->Icon()->GetNormalImage(), app::PngImage(121));
    EXPECT_EQ(FirstChildText(List(run, 121)), L"崩溃的应用程序");
    EXPECT_EQ(FirstChildText(List(run, 123)), L"系统垃圾文件");
    EXPECT_EQ(FirstChildText(List(run, 124)), L"DLL异常扫描");
    EXPECT_TRUE(List(run, 124)->NoteBox()->IsVisible()) << "the DLL list shows the checked DLLs";
    EXPECT_FALSE(List(run, 121)->NoteBox()->IsVisible());
}

TEST_F(MainWindowGui, SymptomLinksChangeOnlyThePicture)
{
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(111);
    ASSERT_TRUE(run.PumpUntil(
        [&run] { return run.Control(106)->GetNormalImage() == app::PngImage(109, L"425,0,1099,350"); }, 3000));
    run.Click(111);
    run.PumpUntil([] { return false; }, 200);
    EXPECT_EQ(run.Control(106)->GetNormalImage(), app::PngImage(109, L"425,0,1099,350"));
    run.Click(113);
    ASSERT_TRUE(run.PumpUntil(
        [&run] { return run.Control(106)->GetNormalImage() == app::PngImage(111, L"425,0,1099,350"); }, 3000));
    EXPECT_TRUE(run.Shows(103));
    EXPECT_FALSE(run.Shows(114));
    run.SaveScreenshot(L"app-home-symptom5");
}

TEST_F(MainWindowGui, MinimiseButtonMinimisesTheWindow)
{
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(100);
    EXPECT_TRUE(run.PumpUntil([&run] { return IsIconic(run.Handle()) != FALSE; }, 3000));
}

// The skin is laid out for one size: neither a double click on the caption band nor a maximise
// command (Win+Up) changes it.
TEST_F(MainWindowGui, CaptionDoubleClickAndMaximiseLeaveTheSizeAlone)
{
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    RECT before = {};
    GetWindowRect(run.Handle(), &before);
    const POINT caption = {before.left + 300, before.top + 30};
    PostMessageW(run.Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(caption.x, caption.y));
    PostMessageW(run.Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    run.PumpUntil([] { return false; }, 500);
    RECT after = {};
    GetWindowRect(run.Handle(), &after);
    EXPECT_FALSE(IsZoomed(run.Handle()));
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(MainWindowGui, ScanFillsTheListsAndTheEntriesAndEndsWithTheTotal)
{
    PlantedJunk junk;
    const std::wstring firstFile = junk.Add(L"b-cache.tmp");
    const std::wstring secondFile = junk.Add(L"a-trace.log");
    scan_testing::SharedDllsValues dlls(KEY_WOW64_64KEY);
    ASSERT_TRUE(dlls.Add(L"C:\\windows\\system32\\msvcp140.dll"));
    ASSERT_TRUE(dlls.Add(L"C:\\windows\\system32\\zentest_plain.dll"));
    EventLogSeam seam(Crashes{{L"game.exe", L"2024-03-02 10:00:00"},
                          {L"GAME.EXE", L"2024-01-05 08:00:00"},
                          {L"game.exe", L"2024-03-02 10:00:00"}});
    app_test::PostedMessageCounter scanEnds(2029);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&run] { return run.Shows(114); }, 3000));
    EXPECT_FALSE(run.Shows(103));
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));

    app::CheckResult* crashes = List(run, 121);
    ASSERT_EQ(crashes->RowCount(), 1) << "one application, whatever the case of its name";
    EXPECT_EQ(crashes->RecordAt(0)->groupName, L"game.exe") << "the last spelling";
    EXPECT_EQ(crashes->RecordAt(0)->CountText(), L"崩溃次数：2");
    EXPECT_EQ(Entry(run, 117)->CountBadge()->GetText(), L"2");

    const app::FindingRow* junkRow = RowOf(*List(run, 123), TempFolder());
    ASSERT_NE(junkRow, nullptr) << "the temporary folder is one group";
    EXPECT_TRUE(junkRow->details.Contains(firstFile));
    EXPECT_TRUE(junkRow->details.Contains(secondFile));
    EXPECT_EQ(junkRow->CountText(), L"可清理：" + std::to_wstring(junkRow->Count()));
    EXPECT_EQ(Entry(run, 119)->CountBadge()->GetText(), std::to_wstring(List(run, 123)->TotalCount()));

    app::CheckResult* dllList = List(run, 124);
    const app::FindingRow* runtimeRow = RowOf(*dllList, L"msvcp140.dll");
    ASSERT_NE(runtimeRow, nullptr) << "a runtime DLL is flagged before the first repair";
    EXPECT_EQ(runtimeRow->CountText(), L"异常");
    EXPECT_EQ(RowOf(*dllList, L"zentest_plain.dll"), nullptr);
    EXPECT_GE(dllList->NoteBox()->GetCount(), 2) << "every checked DLL gets a note";

    int total = 0;
    for (UINT id : {121u, 122u, 123u, 124u})
        total += List(run, id)->TotalCount();
    EXPECT_EQ(run.TextOf(129), std::to_wstring(total));
    EXPECT_TRUE(run.Shows(116));
    EXPECT_FALSE(run.Shows(115));
    EXPECT_TRUE(run.Control(130)->IsEnabled());
    EXPECT_EQ(Entry(run, 120)->HighlightBar()->GetNormalBkColor(), kHighlightBlue) << "the last category shows";
    EXPECT_TRUE(List(run, 124)->IsVisible());
    EXPECT_FALSE(List(run, 121)->IsVisible());
    EXPECT_FALSE(KillTimer(run.Handle(), 1001)) << "the progress timer ends with the scan";
    run.SaveScreenshot(L"app-scan-finished");

    run.Click(117);
    ASSERT_TRUE(run.PumpUntil([&crashes] { return crashes->IsVisible(); }, 3000));
    EXPECT_FALSE(List(run, 124)->IsVisible());
    EXPECT_EQ(Entry(run, 117)->HighlightBar()->GetNormalBkColor(), kHighlightBlue);
    EXPECT_EQ(Entry(run, 120)->HighlightBar()->GetNormalBkColor(), 0u);
    run.SaveScreenshot(L"app-scan-crashes");
}

TEST_F(MainWindowGui, ProgressCountsUpWhileTheScanRuns)
{
    EventLogSeam seam(Crashes{}, true);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&run] { return run.TextOf(127) == L"扫描中（ 0.5 % ）"; }, 5000));
    ASSERT_TRUE(run.PumpUntil([&run] { return run.TextOf(115) == L"异常扫描中（ 1.0 % ）"; }, 5000));
    EXPECT_TRUE(run.Shows(125));
    EXPECT_FALSE(run.Control(130)->IsEnabled());
    run.SaveScreenshot(L"app-scan-running");
    seam.Release();
    ASSERT_TRUE(run.WaitForScanEnd());
}

TEST_F(MainWindowGui, SecondScanMergesIntoTheRowsOfTheFirstAndKeepsTheFinishedLookUntilItEnds)
{
    PlantedJunk junk;
    junk.Add(L"first.tmp");
    EventLogSeam seam(Crashes{{L"viewer.exe", L"2024-02-01 12:00:00"}});
    app_test::PostedMessageCounter scanEnds(2029);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));
    const app::FindingRow* junkRow = RowOf(*List(run, 123), TempFolder());
    ASSERT_NE(junkRow, nullptr);
    const int junkRows = List(run, 123)->RowCount();
    const int junkFiles = junkRow->Count();

    seam.Hold();
    run.Click(116);
    ASSERT_TRUE(run.PumpUntil([&run] { return run.Shows(103); }, 3000));
    const std::wstring added = junk.Add(L"second.tmp");
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&run, &seam] { return run.Shows(114) && seam.Calls() == 2; }, 5000));
    EXPECT_TRUE(run.Shows(128));
    EXPECT_TRUE(run.Shows(116));
    EXPECT_FALSE(run.Shows(125));
    EXPECT_FALSE(run.Shows(115));
    EXPECT_TRUE(run.Control(130)->IsEnabled());
    seam.Release();
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 2; }, 120000));

    EXPECT_EQ(List(run, 123)->RowCount(), junkRows) << "the same folder merges into its row";
    EXPECT_TRUE(junkRow->details.Contains(added));
    EXPECT_GE(junkRow->Count(), junkFiles + 1);
    ASSERT_EQ(List(run, 121)->RowCount(), 1);
    EXPECT_EQ(List(run, 121)->RecordAt(0)->Count(), 1) << "the same crash time counts once";
    int total = 0;
    for (UINT id : {121u, 122u, 123u, 124u})
        total += List(run, id)->TotalCount();
    EXPECT_EQ(run.TextOf(129), std::to_wstring(total)) << "recomputed at the second end";
}

}  // namespace
