// From the finished scan to the done page: the repair with real packages from the local vendor
// server, rows marked by the package the worker handled, and a repair that handled nothing.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <ctime>
#include <functional>
#include <filesystem>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "AppGuiSupport.h"
#include "AppNotify.h"
#include "CheckResult.h"
#include "CheckResultItem.h"
#include "RepairTestSupport.h"
#include "RuntimeLibItem.h"
#include "SharedDllsValues.h"
#include "VendorServer.h"
#include "VxContainer.h"
#include "VxDefines.h"

using app_test::MainWindowRun;

namespace {

constexpr wchar_t kMarkerProductCode[] = L"{E37FC15E-168F-45C4-8667-309A62A6E2E4}";
constexpr DWORD kUninstallMs = 120000;
constexpr UINT kRuntimeItemDone = 2030;
constexpr UINT kScanFinished = 2029;
constexpr UINT kListReady = 2033;

std::wstring MarkerFile()
{
    wchar_t data[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
    return std::wstring(data) + L"\\ZentariumTestMarker\\marker.txt";
}

std::wstring SystemDll(const wchar_t* name)
{
    return repair_test::NativeDllFolder() + name;
}

struct Package {
    const char* name;  // UTF-8
    int type;
    const char* file;  // under /packages/ of the server
};

std::string Catalogue(const std::vector<Package>& packages)
{
    std::string json = R"({"code":200,"data":{"runtimelib":[)";
    for (size_t i = 0; i < packages.size(); ++i) {
        json += i ? "," : "";
        json += std::string(R"({"name":")") + packages[i].name + R"(","type":)" + std::to_string(packages[i].type) +
                R"(,"url":"{base}/packages/)" + packages[i].file + R"("})";
    }
    return json + "]}}";
}

// Each test starts from a first run: no repair time, no work directory, nothing installed.
class RepairFlowGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(vendor_server::Running()) << "vendor server not started";
        Clean();
    }
    void TearDown() override
    {
        Clean();
        for (const std::wstring& name : served_)
            DeleteFileW((vendor_server::Folder() + L"packages\\" + name).c_str());
    }

    void Serve(const std::wstring& fixture, const std::wstring& name)
    {
        ASSERT_TRUE(CopyFileW(repair_test::RepairFixture(fixture).c_str(),
                              (vendor_server::Folder() + L"packages\\" + name).c_str(), FALSE));
        served_.push_back(name);
    }

    // From the home page to the end of the scan.
    static void Scan(MainWindowRun& run)
    {
        app_test::PostedMessageCounter scanEnds(kScanFinished);
        ASSERT_TRUE(run.WaitUntilPainted());
        run.Click(104);
        ASSERT_TRUE(run.PumpUntil([&scanEnds] { return scanEnds.Count() == 1; }, 120000));
        ASSERT_TRUE(run.PumpUntil([&run] { return run.Control(130)->IsEnabled(); }, 3000));
    }
    // "立即修复" after the scan.
    static void Repair(MainWindowRun& run)
    {
        run.Click(130);
        ASSERT_TRUE(run.PumpUntil([&run] { return run.Shows(131); }, 3000));
        EXPECT_FALSE(run.Shows(114));
    }
    static void ScanThenRepair(MainWindowRun& run)
    {
        ASSERT_NO_FATAL_FAILURE(Scan(run));
        Repair(run);
    }

    static std::vector<app::RuntimeLibItem*> Rows(MainWindowRun& run)
    {
        std::vector<app::RuntimeLibItem*> rows;
        auto* list = run.ControlAs<VXM::VxContainer>(132, VXM::kClassContainer);
        for (int i = 0; list && i < list->GetCount(); ++i)
            rows.push_back(static_cast<app::RuntimeLibItem*>(list->GetItemAt(i)->GetInterface(app::kClassRuntimeLibItem)));
        return rows;
    }

private:
    static void Clean()
    {
        app_test::ForgetRepairTime();
        repair_test::RemoveTree(app_test::WorkDirectory());
        repair_test::RunAndWait(std::wstring(L"msiexec.exe /x ") + kMarkerProductCode + L" /quiet", kUninstallMs);
        repair_test::RemoveTree(std::filesystem::path(MarkerFile()).parent_path().wstring());
        for (const wchar_t* name : {L"zentest_reg_a.dll", L"zentest reg space.dll"})
            repair_test::RemoveSystemFile(SystemDll(name));
        repair_test::ForgetRegistrations();
    }

    std::vector<std::wstring> served_;
};

TEST_F(RepairFlowGui, TypicalRunFromTheHomePageThroughTheFindingsAndARealRepairToTheDonePage)
{
    Serve(L"vcredist.7z", L"guitest-vcredist.7z");
    Serve(L"zentest_setup.exe", L"guitest-setup.exe");
    Serve(L"dlls.7z", L"guitest-dlls.7z");
    vendor_server::ScopedCatalogue catalogue(Catalogue({{"Microsoft Visual C++ 2010 运行库", 1, "guitest-vcredist.7z"},
                                                        {"Microsoft Visual C++ 2015-2022 运行库", 7, "guitest-setup.exe"},
                                                        {"系统DLL组件", repair_test::NativeDllType(), "guitest-dlls.7z"}}));
    scan_testing::SharedDllsValues dlls(KEY_WOW64_64KEY);
    ASSERT_TRUE(dlls.Add(L"C:\\windows\\system32\\vcruntime140.dll"));
    wchar_t temp[MAX_PATH + 1] = {};
    const std::wstring tempFolder(temp, GetTempPathW(MAX_PATH + 1, temp));
    const std::wstring junkFile = tempFolder + L"zentarium-gui-typical-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    repair_test::WriteBytes(junkFile, "junk");
    struct RemoveJunk {
        std::wstring path;
        ~RemoveJunk() { DeleteFileW(path.c_str()); }
    } removeJunk{junkFile};

    MainWindowRun run;
    ASSERT_NO_FATAL_FAILURE(Scan(run));
    app::CheckResult* junk = run.ControlAs<app::CheckResult>(123, app::kClassCheckResult);
    app::CheckResult* dllList = run.ControlAs<app::CheckResult>(124, app::kClassCheckResult);
    ASSERT_GE(junk->RowCount(), 1);
    bool junkListed = false;
    for (int i = 0; i < junk->RowCount(); ++i)
        junkListed = junkListed || junk->RecordAt(i)->details.Contains(junkFile);
    EXPECT_TRUE(junkListed);
    bool dllFlagged = false;
    for (int i = 0; i < dllList->RowCount(); ++i)
        dllFlagged = dllFlagged || dllList->RecordAt(i)->groupName == L"vcruntime140.dll";
    EXPECT_TRUE(dllFlagged);
    int total = 0;
    for (UINT id : {121u, 122u, 123u, 124u})
        total += run.ControlAs<app::CheckResult>(id, app::kClassCheckResult)->TotalCount();
    EXPECT_GE(total, 2);
    EXPECT_EQ(run.TextOf(129), std::to_wstring(total));
    Repair(run);
    ASSERT_TRUE(run.PumpUntil([&run] { return Rows(run).size() == 3; }, 30000));
    EXPECT_EQ(Rows(run)[0]->GetName(), L"Microsoft Visual C++ 2010 运行库");
    EXPECT_EQ(Rows(run)[2]->NameLabel()->GetText(), L"系统DLL组件");
    run.SaveScreenshot(L"app-repairing");
    const uint32_t started = static_cast<uint32_t>(std::time(nullptr));
    ASSERT_TRUE(run.WaitForDonePage());

    for (app::RuntimeLibItem* row : Rows(run)) {
        EXPECT_TRUE(row->IsDone()) << row->GetName();
        EXPECT_EQ(row->StatusLabel()->GetText(), L"已完成");
    }
    EXPECT_EQ(run.TextOf(135), L"DLL错误修复完成");
    EXPECT_FALSE(run.Shows(136));
    EXPECT_TRUE(run.Shows(134));
    run.SaveScreenshot(L"app-done");

    const app_test::StoredRepairTime stored = app_test::ReadStoredRepairTime();
    ASSERT_TRUE(stored.registry.has_value());
    ASSERT_TRUE(stored.file.has_value());
    EXPECT_EQ(*stored.registry, *stored.file);
    EXPECT_GE(*stored.registry, started) << "the time the repair finished";
    EXPECT_LE(*stored.registry, static_cast<uint32_t>(std::time(nullptr)));

    EXPECT_TRUE(repair_test::IsFile(MarkerFile())) << "the MSI was installed";
    EXPECT_TRUE(repair_test::IsFile(app_test::WorkDirectory() + L"guitest-setup.exe.args.txt")) << "the installer ran";
    EXPECT_TRUE(repair_test::WaitForRegistration(L"zentest_reg_a.dll").has_value()) << "the DLL was registered";
}

TEST_F(RepairFlowGui, ThreeEntriesWithTheSecondFailingMarkTheFirstAndTheThird)
{
    Serve(L"zentest_setup.exe", L"guitest-first.exe");
    Serve(L"zentest_setup.exe", L"guitest-third.exe");
    vendor_server::ScopedCatalogue catalogue(Catalogue(
        {{"运行库一", 7, "guitest-first.exe"}, {"运行库二", 7, "guitest-missing.exe"}, {"运行库三", 7, "guitest-third.exe"}}));
    app_test::PostedMessageCounter done(kRuntimeItemDone);
    MainWindowRun run;
    ScanThenRepair(run);
    ASSERT_TRUE(run.WaitForDonePage());

    EXPECT_EQ(done.Parameters(), (std::vector<WPARAM>{0, 2}));
    const std::vector<app::RuntimeLibItem*> rows = Rows(run);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[0]->IsDone());
    EXPECT_FALSE(rows[1]->IsDone());
    EXPECT_EQ(rows[1]->StatusLabel()->GetText(), L"修复失败") << "its package never arrived";
    EXPECT_TRUE(rows[2]->IsDone());
    EXPECT_EQ(run.TextOf(135), L"DLL错误修复未完成") << "one package was not repaired";
    EXPECT_EQ(run.TextOf(136), L"已修复 2/3 个运行库");
    EXPECT_FALSE(app_test::ReadStoredRepairTime().registry.has_value());
}

TEST_F(RepairFlowGui, EmptyListIsAskedForOnceMoreThenTheDonePageSaysTheRepairDidNotComplete)
{
    vendor_server::ScopedCatalogue catalogue(Catalogue({}));
    vendor_server::RequestLog log;
    MainWindowRun run;
    ScanThenRepair(run);
    ASSERT_TRUE(run.WaitForDonePage());

    EXPECT_TRUE(Rows(run).empty());
    EXPECT_EQ(run.TextOf(135), L"DLL错误修复未完成");
    EXPECT_NE(run.TextOf(135), L"DLL错误修复完成");
    EXPECT_TRUE(run.Shows(136));
    EXPECT_TRUE(run.Shows(134)) << "the customer-service link stays";
    run.SaveScreenshot(L"app-done-incomplete");
    const app_test::StoredRepairTime stored = app_test::ReadStoredRepairTime();
    EXPECT_FALSE(stored.registry.has_value());
    EXPECT_FALSE(stored.file.has_value());
    size_t fetches = 0;
    for (const std::string& line : log.NewLines())
        fetches += line.find("/zentarium/info/runtimelib?") != std::string::npos ? 1 : 0;
    EXPECT_EQ(fetches, 2u) << "at start, and once more when the repair began";
}

TEST_F(RepairFlowGui, RepairWhoseEveryDownloadFailsStoresNoTime)
{
    vendor_server::ScopedCatalogue catalogue(Catalogue({{"运行库", 7, "guitest-missing.exe"}}));
    MainWindowRun run;
    ScanThenRepair(run);
    ASSERT_TRUE(run.WaitForDonePage());
    ASSERT_EQ(Rows(run).size(), 1u);
    EXPECT_EQ(Rows(run)[0]->StatusLabel()->GetText(), L"修复失败");
    EXPECT_EQ(Rows(run)[0]->StatusLabel()->GetNormalTextColor(), 0xFFF24D4Du) << "the skin's red";
    EXPECT_EQ(run.TextOf(135), L"DLL错误修复未完成");
    EXPECT_EQ(run.TextOf(136), L"已修复 0/1 个运行库");
    EXPECT_FALSE(app_test::ReadStoredRepairTime().registry.has_value());
}

TEST_F(RepairFlowGui, ListTheServerHadOnlyAfterTheStartArrivesWithTheRepairAndGetsItsRows)
{
    Serve(L"zentest_setup.exe", L"guitest-late.exe");
    app_test::PostedMessageCounter ready(kListReady);
    std::unique_ptr<MainWindowRun> run;
    {
        vendor_server::ScopedCatalogue empty(Catalogue({}));
        run = std::make_unique<MainWindowRun>();
        ASSERT_TRUE(run->PumpUntil([&ready] { return ready.Count() == 1; }, 30000));
    }
    vendor_server::ScopedCatalogue catalogue(Catalogue({{"运行库", 7, "guitest-late.exe"}}));
    ScanThenRepair(*run);
    ASSERT_TRUE(run->WaitForDonePage());
    EXPECT_EQ(ready.Count(), 2);
    ASSERT_EQ(Rows(*run).size(), 1u);
    EXPECT_TRUE(Rows(*run)[0]->IsDone());
    EXPECT_EQ(run->TextOf(135), L"DLL错误修复完成");
    EXPECT_TRUE(app_test::ReadStoredRepairTime().file.has_value());
}

// Each way a package can fail leaves its row failed; only the good one counts as repaired.
TEST_F(RepairFlowGui, OnlyTheGoodPackageOfFiveIsRepairedAndTheRepairIsNotComplete)
{
    Serve(L"zentest_setup.exe", L"guitest-good.exe");
    Serve(L"corrupt.7z", L"guitest-corrupt.7z");
    Serve(L"zentest_setup.exe", L"guitest-unknown.exe");
    Serve(L"zentest_setup.exe", L"guitest-fails.exe");
    vendor_server::ScopedCatalogue catalogue(Catalogue({{"好的运行库", 7, "guitest-good.exe"},
                                                        {"损坏的压缩包", 1, "guitest-corrupt.7z"},
                                                        {"未知类型", 99, "guitest-unknown.exe"},
                                                        {"下载不到", 7, "guitest-missing.exe"},
                                                        {"安装失败", 7, "guitest-fails.exe"}}));
    MainWindowRun run;
    ScanThenRepair(run);
    ASSERT_TRUE(run.WaitForDonePage());

    const std::vector<app::RuntimeLibItem*> rows = Rows(run);
    ASSERT_EQ(rows.size(), 5u);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i]->StatusLabel()->GetText(), i == 0 ? L"已完成" : L"修复失败") << rows[i]->GetName();
    EXPECT_TRUE(repair_test::IsFile(app_test::WorkDirectory() + L"guitest-fails.exe.args.txt")) << "it ran";
    EXPECT_EQ(run.TextOf(135), L"DLL错误修复未完成");
    EXPECT_EQ(run.TextOf(136), L"已修复 1/5 个运行库");
    EXPECT_TRUE(run.Shows(136));
    run.SaveScreenshot(L"app-done-partial");
    const app_test::StoredRepairTime stored = app_test::ReadStoredRepairTime();
    EXPECT_FALSE(stored.registry.has_value());
    EXPECT_FALSE(stored.file.has_value());
}

// The worker goes in list order: a package passed over shows its failure while the repair goes on.
TEST_F(RepairFlowGui, APackagePassedOverShowsItsFailureWhileTheRepairGoesOn)
{
    Serve(L"zentest_setup.exe", L"guitest-good.exe");
    Serve(L"zentest_setup.exe", L"guitest-slow.exe");
    vendor_server::ScopedCatalogue catalogue(Catalogue(
        {{"下载不到", 7, "guitest-missing.exe"}, {"好的运行库", 7, "guitest-good.exe"}, {"慢的运行库", 7, "guitest-slow.exe"}}));
    MainWindowRun run;
    ScanThenRepair(run);
    const std::wstring slow = app_test::WorkDirectory() + L"guitest-slow.exe";
    ASSERT_TRUE(run.PumpUntil([&] { return Rows(run).size() == 3 && Rows(run)[1]->IsDone(); }, 60000));
    EXPECT_EQ(Rows(run)[0]->StatusLabel()->GetText(), L"修复失败");
    EXPECT_EQ(Rows(run)[2]->StatusLabel()->GetText(), L"修复中...");
    EXPECT_TRUE(run.Shows(131));
    run.SaveScreenshot(L"app-repairing-failed-row");
    repair_test::WriteBytes(slow + L".release", "");
    ASSERT_TRUE(run.WaitForDonePage());
    EXPECT_EQ(run.TextOf(136), L"已修复 2/3 个运行库");
}

// The close procedure waits for the workers without a time limit, but the hidden window answers
// what other programs send meanwhile; a shutdown is held off only while a repair runs.
struct WhileClosing {
    bool answeredWithin100Ms = false;
    LRESULT queryEndSession = -1;
};

// Another program's view of the hidden, waiting window; then `release` lets the worker end.
std::thread AskWhileClosing(HWND window, WhileClosing& seen, std::function<void()> release)
{
    return std::thread([window, &seen, release = std::move(release)] {
        for (int i = 0; i < 1000 && IsWindowVisible(window); ++i)
            Sleep(20);
        Sleep(300);  // inside the wait
        DWORD_PTR result = 0;
        const DWORD start = GetTickCount();
        seen.answeredWithin100Ms = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result) != 0 &&
                                   GetTickCount() - start <= 100;
        if (SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 2000, &result))
            seen.queryEndSession = static_cast<LRESULT>(result);
        release();
    });
}

TEST_F(RepairFlowGui, WaitingForASlowInstallerTheHiddenWindowAnswersAndHoldsOffTheShutdown)
{
    Serve(L"zentest_setup.exe", L"guitest-slow.exe");
    vendor_server::ScopedCatalogue catalogue(Catalogue({{"运行库", 7, "guitest-slow.exe"}}));
    MainWindowRun run;
    ScanThenRepair(run);
    const std::wstring installer = app_test::WorkDirectory() + L"guitest-slow.exe";
    ASSERT_TRUE(run.PumpUntil([&] { return repair_test::IsFile(installer + L".args.txt"); }, 60000));
    WhileClosing seen;
    std::thread otherProgram =
        AskWhileClosing(run.Handle(), seen, [installer] { repair_test::WriteBytes(installer + L".release", ""); });
    run.Click(101);
    EXPECT_TRUE(run.PumpUntil([&run] { return !run.Alive(); }, 120000));
    otherProgram.join();
    EXPECT_TRUE(seen.answeredWithin100Ms);
    EXPECT_EQ(seen.queryEndSession, FALSE);
}

TEST_F(RepairFlowGui, WaitingForAScanAloneTheShutdownMayGoOn)
{
    app_test::EventLogSeam seam({}, true);
    MainWindowRun run(seam);
    ASSERT_TRUE(run.WaitUntilPainted());
    run.Click(104);
    ASSERT_TRUE(run.PumpUntil([&seam] { return seam.Calls() == 1; }, 10000));
    WhileClosing seen;
    std::thread otherProgram = AskWhileClosing(run.Handle(), seen, [&seam] { seam.Release(); });
    run.Click(101);
    EXPECT_TRUE(run.PumpUntil([&run] { return !run.Alive(); }, 120000));
    otherProgram.join();
    EXPECT_TRUE(seen.answeredWithin100Ms);
    EXPECT_EQ(seen.queryEndSession, TRUE);
}

}  // namespace
