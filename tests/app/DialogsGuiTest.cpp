// The report window of a finding row and the customer-service window, opened from the main
// window and driven inside their modal loops.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "AppGuiSupport.h"
#include "AppNotify.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "RepairTestSupport.h"
#include "ScanUpdate.h"
#include "SharedDllsValues.h"
#include "VendorConfig.h"
#include "VendorServer.h"
#include "VxButton.h"
#include "VxContainer.h"
#include "VxDefines.h"
#include "VxVirtualList.h"

using app_test::EventLogSeam;
using app_test::MainWindowRun;
using app_test::PaintedDialog;
using app_test::ThreadTimer;
using Crashes = std::vector<EventLogSeam::Crash>;

namespace {

constexpr wchar_t kReportClass[] = L"ZentariumDetails_WND_CLASS";
constexpr wchar_t kServiceClass[] = L"ZentariumKefu_WND_CLASS";
constexpr UINT kScanFinished = 2029;

struct Opened {
    bool seen = false;
    SIZE size = {};
    POINT centre = {};
    std::vector<bool> shown;  // of the ids asked for
    std::vector<std::wstring> texts;  // of the ids asked for
    std::vector<std::wstring> lines;  // of the report's detail list
};

VXM::VxContainer* Container(VXM::VxPaintManager& manager, UINT id)
{
    VXM::VxControl* control = manager.FindControl(id);
    return control ? static_cast<VXM::VxContainer*>(control->GetInterface(VXM::kClassContainer)) : nullptr;
}

// The lines of the report's detail list, which shows them through a virtual list inside it.
VXM::VxVirtualList* DetailLines(VXM::VxPaintManager& manager)
{
    VXM::VxContainer* list = Container(manager, 110);
    return list && list->GetCount() == 1 ? dynamic_cast<VXM::VxVirtualList*>(list->GetItemAt(0)) : nullptr;
}

// Every line's text as its control shows it, read page by page down to the end of the list.
std::vector<std::wstring> ReadLines(VXM::VxVirtualList& list)
{
    std::vector<std::wstring> lines;
    for (;;) {
        while (VXM::VxControl* line = list.ControlOfRow(static_cast<int>(lines.size())))
            lines.push_back(line->GetText());
        const LONG before = list.GetScrollPos().cy;
        list.PageDown();
        if (list.GetScrollPos().cy == before)
            break;
    }
    list.HomeUp();
    return lines;
}

// Looks at a painted dialog, saves its picture, then clicks `clickId` in it.
std::function<bool()> InspectThenClick(const wchar_t* className, Opened& opened, std::vector<UINT> ids,
                                       UINT clickId, std::wstring picture)
{
    return [className, &opened, ids = std::move(ids), clickId, picture = std::move(picture)] {
        HWND window = nullptr;
        VXM::VxPaintManager* manager = PaintedDialog(className, &window);
        if (!manager)
            return false;
        opened.seen = true;
        RECT rect = {};
        GetWindowRect(window, &rect);
        opened.size = {rect.right - rect.left, rect.bottom - rect.top};
        opened.centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        for (UINT id : ids) {
            VXM::VxControl* control = manager->FindControl(id);
            opened.shown.push_back(control && control->IsVisible());
            opened.texts.push_back(control ? control->GetText() : L"");
        }
        app_test::SaveWindowPicture(window, picture);
        if (VXM::VxVirtualList* lines = DetailLines(*manager))
            opened.lines = ReadLines(*lines);
        if (VXM::VxControl* button = manager->FindControl(clickId))
            app_test::PostClick(window, *button);
        return true;
    };
}

POINT CentreOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

app::CheckResult* List(MainWindowRun& run, UINT id)
{
    return run.ControlAs<app::CheckResult>(id, app::kClassCheckResult);
}

class DialogsGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
        app_test::ForgetRepairTime();
    }
    void TearDown() override { app_test::ForgetRepairTime(); }
};

TEST_F(DialogsGui, ReportOpenedDuringTheScanStartsTheRepairWhileTheScanGoesOnInvisibly)
{
    // Event times end with the line break of their format; the report's lines do not show it.
    EventLogSeam seam(Crashes{{L"game.exe", L"2024-03-02 10:00:00\n"},
                              {L"game.exe", L"2024-01-05 08:00:00"},
                              {L"game.exe", L"2024-02-10 09:30:00"}},
                      true);
    app_test::PostedMessageCounter scanEnds(kScanFinished);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    app::CheckResult* crashes = List(run, 121);
    ASSERT_TRUE(run.PumpUntil([crashes] { return crashes->RowCount() == 1 && crashes->RecordAt(0)->Count() == 3; },
                              10000));

    Opened report;
    {
        ThreadTimer driver(InspectThenClick(kReportClass, report, {101, 104, 105, 106, 108, 109}, 107,
                                            L"app-report-crashes"));
        app::CheckResultItem* row = app_test::ScrollToRow(run, *crashes, 0);
        ASSERT_NE(row, nullptr);
        run.Click(*row->ReportButton());
        ASSERT_TRUE(run.PumpUntil([&driver] { return driver.Finished(); }, 10000));
        ASSERT_TRUE(run.PumpUntil([] { return !FindWindowW(kReportClass, nullptr); }, 5000));
    }
    ASSERT_TRUE(report.seen);
    EXPECT_EQ(report.size.cx, 750);
    EXPECT_EQ(report.size.cy, 600);
    EXPECT_NEAR(report.centre.x, CentreOf(run.Handle()).x, 1);
    EXPECT_NEAR(report.centre.y, CentreOf(run.Handle()).y, 1);
    EXPECT_EQ(report.shown, (std::vector<bool>{false, true, true, true, true, true}));
    EXPECT_EQ(report.texts[2], L"game.exe");
    EXPECT_EQ(report.texts[3], L"扫描分析Windows事件日志，系统异常的严重程度。");
    EXPECT_EQ(report.texts[4], L"异常清单");
    EXPECT_EQ(report.texts[5], L"3");
    EXPECT_EQ(report.lines,
              (std::vector<std::wstring>{L"2024-01-05 08:00:00", L"2024-02-10 09:30:00", L"2024-03-02 10:00:00"}));

    // "修复" started the repair and closed the report; the scan goes on behind the repair's pages
    // (with the empty list of the test server the done page may already show).
    EXPECT_TRUE(run.Shows(131) || run.Shows(133));
    EXPECT_FALSE(run.Shows(114));
    EXPECT_EQ(scanEnds.Count(), 0);
    seam.Release();
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));
    EXPECT_FALSE(KillTimer(run.Handle(), 1001)) << "ScanFinished stopped the progress timer";
    EXPECT_TRUE(run.Control(128)->IsVisible());
    ASSERT_TRUE(run.WaitForDonePage());
}

TEST_F(DialogsGui, JunkReportListsTheRowsFilesInOrderUnderItsFolder)
{
    wchar_t temp[MAX_PATH + 1] = {};
    const std::wstring tempFolder(temp, GetTempPathW(MAX_PATH + 1, temp));
    const std::wstring folder = tempFolder + L"zentarium-gui-report-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    std::filesystem::create_directories(folder);
    for (const wchar_t* name : {L"c.tmp", L"a.tmp", L"b.log"})
        std::ofstream(std::filesystem::path(folder + name)) << "junk";
    app_test::PostedMessageCounter scanEnds(kScanFinished);
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));
    run.Click(119);
    app::CheckResult* junk = List(run, 123);
    ASSERT_TRUE(run.PumpUntil([junk] { return junk->IsVisible(); }, 3000));
    const app::FindingRow* record = junk->RecordAt(app_test::RowIndexOf(*junk, tempFolder));
    ASSERT_NE(record, nullptr);
    app::CheckResultItem* row = app_test::ScrollToRow(run, *junk, app_test::RowIndexOf(*junk, tempFolder));
    ASSERT_NE(row, nullptr);

    Opened report;
    {
        ThreadTimer driver(InspectThenClick(kReportClass, report, {105, 108, 109}, 100, L"app-report-junk"));
        run.Click(*row->ReportButton());
        ASSERT_TRUE(run.PumpUntil([&driver] { return driver.Finished(); }, 10000));
        ASSERT_TRUE(run.PumpUntil([] { return !FindWindowW(kReportClass, nullptr); }, 5000));
    }
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    ASSERT_TRUE(report.seen);
    EXPECT_EQ(report.texts[0], L"系统垃圾文件");
    EXPECT_EQ(report.texts[1], tempFolder) << "the top folder";
    EXPECT_EQ(report.texts[2], std::to_wstring(record->Count()));
    EXPECT_EQ(report.lines.size(), static_cast<size_t>(record->Count()));
    EXPECT_TRUE(std::is_sorted(report.lines.begin(), report.lines.end()));
    const auto at = std::find(report.lines.begin(), report.lines.end(), folder + L"a.tmp");
    ASSERT_NE(at, report.lines.end());
    ASSERT_LT(at + 2, report.lines.end());
    EXPECT_EQ(*(at + 1), folder + L"b.log");
    EXPECT_EQ(*(at + 2), folder + L"c.tmp");
    // Closed with its own button: the scan page is still there.
    EXPECT_TRUE(run.Shows(114));
    EXPECT_FALSE(run.Shows(131));
}

// The report of a row of 100,000 files: the count, the first line at the top, and after scrolling
// to the end the last line at the bottom, with the scroll range of a list holding every line.
TEST_F(DialogsGui, ReportOfAHundredThousandFilesShowsTheFirstLineAndAtTheEndTheLast)
{
    constexpr int kFiles = 100000;
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.WaitForScanEnd());
    app::CheckResult* junk = List(run, 123);
    const std::wstring folder = L"C:\\Temp\\many\\";
    // Added last to first: the report orders them.
    for (int i = kFiles - 1; i >= 0; --i) {
        wchar_t name[32] = {};
        swprintf(name, 32, L"f%06d.tmp", i);
        junk->AddFinding(folder, L"", scan::kJunkRow, folder + name, L"1");
    }
    run.Click(119);
    app::CheckResultItem* row = app_test::ScrollToRow(run, *junk, junk->RowCount() - 1);
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetGroupName(), folder);

    struct Seen {
        std::wstring count;
        std::wstring first;
        std::wstring last;
        bool firstAtTop = false;
        bool lastAtBottom = false;
        LONG range = -1;
        LONG expectedRange = 0;
    } seen;
    {
        ThreadTimer driver([&seen] {
            HWND window = nullptr;
            VXM::VxPaintManager* manager = PaintedDialog(kReportClass, &window);
            if (!manager)
                return false;
            seen.count = manager->FindControl(109)->GetText();
            if (VXM::VxVirtualList* lines = DetailLines(*manager); lines && lines->ControlOfRow(0)) {
                const RECT list = lines->GetPos();
                seen.first = lines->ControlOfRow(0)->GetText();
                seen.firstAtTop = lines->ControlOfRow(0)->GetPos().top == list.top;
                seen.expectedRange = kFiles * 50 + (kFiles - 1) * 5 - (list.bottom - list.top);
                seen.range = lines->GetScrollRange().cy;
                lines->EndDown();
                UpdateWindow(window);
                if (VXM::VxControl* last = lines->ControlOfRow(kFiles - 1)) {
                    seen.last = last->GetText();
                    seen.lastAtBottom = last->GetPos().bottom == list.bottom && last->IsVisible();
                }
                app_test::SaveWindowPicture(window, L"app-report-many-end");
            }
            app_test::PostClick(window, *manager->FindControl(100));
            return true;
        });
        run.Click(*row->ReportButton());
        ASSERT_TRUE(run.PumpUntil([&driver] { return driver.Finished(); }, 60000));
        ASSERT_TRUE(run.PumpUntil([] { return !FindWindowW(kReportClass, nullptr); }, 10000));
    }
    EXPECT_EQ(seen.count, L"100000");
    EXPECT_EQ(seen.first, folder + L"f000000.tmp");
    EXPECT_TRUE(seen.firstAtTop);
    EXPECT_EQ(seen.range, seen.expectedRange);
    EXPECT_EQ(seen.last, folder + L"f099999.tmp");
    EXPECT_TRUE(seen.lastAtBottom);
}

TEST_F(DialogsGui, DllReportShowsTheDllWithOneRepairButtonInTheSmallWindow)
{
    scan_testing::SharedDllsValues dlls(KEY_WOW64_64KEY);
    ASSERT_TRUE(dlls.Add(L"C:\\windows\\system32\\msvcr120.dll"));
    app_test::PostedMessageCounter scanEnds(kScanFinished);
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));
    app::CheckResult* dllList = List(run, 124);
    run.Click(120);
    app::CheckResultItem* row = app_test::ScrollToRow(run, *dllList, app_test::RowIndexOf(*dllList, L"msvcr120.dll"));
    ASSERT_NE(row, nullptr);

    Opened report;
    {
        ThreadTimer driver(InspectThenClick(kReportClass, report, {101, 102, 103, 104}, 100, L"app-report-dll"));
        run.Click(*row->ReportButton());
        ASSERT_TRUE(run.PumpUntil([&driver] { return driver.Finished(); }, 10000));
        ASSERT_TRUE(run.PumpUntil([] { return !FindWindowW(kReportClass, nullptr); }, 5000));
    }
    ASSERT_TRUE(report.seen);
    EXPECT_EQ(report.size.cx, 554);
    EXPECT_EQ(report.size.cy, 264);
    EXPECT_EQ(report.shown, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(report.texts[1], L"msvcr120.dll");
    EXPECT_TRUE(report.lines.empty());
    EXPECT_TRUE(run.Shows(114));
}

// The customer-service window from the title bar: centred over the main window, closed by its button.
TEST_F(DialogsGui, CustomerServiceWindowOpensCentredOverTheMainWindow)
{
    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    Opened service;
    {
        ThreadTimer driver(InspectThenClick(kServiceClass, service, {102}, 100, L"app-service"));
        run.Click(102);
        ASSERT_TRUE(run.PumpUntil([&driver] { return driver.Finished(); }, 10000));
        ASSERT_TRUE(run.PumpUntil([] { return !FindWindowW(kServiceClass, nullptr); }, 5000));
    }
    ASSERT_TRUE(service.seen);
    EXPECT_EQ(service.size.cx, 450);
    EXPECT_EQ(service.size.cy, 450);
    EXPECT_NEAR(service.centre.x, CentreOf(run.Handle()).x, 1);
    EXPECT_NEAR(service.centre.y, CentreOf(run.Handle()).y, 1);
    EXPECT_EQ(service.texts[0], L"在线客服");
    EXPECT_TRUE(IsWindowEnabled(run.Handle())) << "the main window takes input again";
    EXPECT_TRUE(run.Shows(103));
}

// "在线客服" hands the compiled-in address to the shell, which starts the program registered
// for web addresses: here the recording stand-in of the repair tests.
TEST_F(DialogsGui, OnlineServiceOpensTheCompiledInAddressAndTheWindowStaysOpen)
{
    repair_test::TempFolder folder(L"browser");
    const std::wstring browser = folder.Path() + L"browser.exe";
    ASSERT_TRUE(CopyFileW(repair_test::RepairFixture(L"zentest_setup.exe").c_str(), browser.c_str(), FALSE));
    constexpr wchar_t kHandlerKey[] = L"Software\\Classes\\http\\shell\\open\\command";
    wchar_t previous[1024] = {};
    DWORD size = sizeof(previous);
    const bool hadHandler = RegGetValueW(HKEY_LOCAL_MACHINE, kHandlerKey, nullptr, RRF_RT_REG_SZ, nullptr, previous,
                                         &size) == ERROR_SUCCESS;
    const std::wstring command = L"\"" + browser + L"\" \"%1\"";
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHandlerKey, nullptr, REG_SZ, command.c_str(),
                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);

    MainWindowRun run;
    ASSERT_TRUE(run.WaitUntilPainted());
    bool stillOpen = false;
    {
        int step = 0;
        ThreadTimer driver([&step, &stillOpen, &browser] {
            HWND window = nullptr;
            VXM::VxPaintManager* manager = PaintedDialog(kServiceClass, &window);
            if (!manager)
                return false;
            if (step == 0) {
                app_test::PostClick(window, *manager->FindControl(102));
                step = 1;
                return false;
            }
            if (!repair_test::IsFile(browser + L".args.txt"))
                return false;
            stillOpen = IsWindowVisible(window) != FALSE;
            app_test::PostClick(window, *manager->FindControl(100));
            return true;
        });
        run.Click(102);
        run.PumpUntil([&driver] { return driver.Finished(); }, 30000);
    }
    if (hadHandler)
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHandlerKey, nullptr, REG_SZ, previous,
                        static_cast<DWORD>((wcslen(previous) + 1) * sizeof(wchar_t)));
    else
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open");
    const std::string arguments = repair_test::ReadText(browser + L".args.txt");
    std::string address;
    for (const wchar_t* c = vendor_config::kServiceUrl; *c; ++c)
        address += static_cast<char>(*c);
    EXPECT_NE(arguments.find(address), std::string::npos) << arguments;
    EXPECT_TRUE(stillOpen);
}

// Another program (Task Manager's "End task", taskkill) closes the main window while a modal
// window is open and a scan is still running: the modal window ends first, the main window hides,
// waits for the scan worker and only then goes, with no object freed under the modal loop.
struct CloseWhileModal {
    const char* name;
    const wchar_t* modalClass;
    UINT message;
    WPARAM wParam;
};

class CloseWhileModalGui : public DialogsGui, public ::testing::WithParamInterface<CloseWhileModal> {};

TEST_P(CloseWhileModalGui, EndsTheModalWindowThenClosesAfterTheScanWorker)
{
    const CloseWhileModal& close = GetParam();
    EventLogSeam seam(Crashes{{L"game.exe", L"2024-03-02 10:00:00"}}, true);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    app::CheckResult* crashes = List(run, 121);
    ASSERT_TRUE(run.PumpUntil([&] { return seam.Calls() == 1 && crashes->RowCount() == 1; }, 10000));

    const HWND main = run.Handle();
    std::atomic<bool> answered{false};
    std::atomic<bool> modalGoneFirst{false};
    std::atomic<bool> waitedForTheScan{false};
    std::thread otherProgram([&] {
        HWND modal = nullptr;
        for (int i = 0; i < 500 && !(modal = FindWindowW(close.modalClass, nullptr)); ++i)
            Sleep(20);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutW(main, close.message, close.wParam, 0, SMTO_NORMAL, 10000, &result) != 0;
        for (int i = 0; i < 500 && IsWindowVisible(main); ++i)
            Sleep(20);
        modalGoneFirst = modal && !IsWindow(modal);
        Sleep(500);
        waitedForTheScan = IsWindow(main) && !IsWindowVisible(main);
        seam.Release();
    });
    if (close.modalClass == std::wstring(kServiceClass))
        run.Click(102);
    else if (app::CheckResultItem* row = app_test::ScrollToRow(run, *crashes, 0))
        run.Click(*row->ReportButton());
    const bool closed = run.PumpUntil([&run] { return !run.Alive(); }, 120000);
    otherProgram.join();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(answered) << "the close was answered inside the modal loop";
    EXPECT_TRUE(modalGoneFirst);
    EXPECT_TRUE(waitedForTheScan);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CloseWhileModalGui,
    ::testing::Values(CloseWhileModal{"ServiceWmClose", kServiceClass, WM_CLOSE, 0},
                      CloseWhileModal{"ServiceScClose", kServiceClass, WM_SYSCOMMAND, SC_CLOSE},
                      CloseWhileModal{"ReportWmClose", kReportClass, WM_CLOSE, 0},
                      CloseWhileModal{"ReportScClose", kReportClass, WM_SYSCOMMAND, SC_CLOSE}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
