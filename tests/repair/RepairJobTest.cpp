#include "RepairJob.h"

#include "WorkerMessages.h"
#include "RepairTestSupport.h"
#include "VendorServer.h"

#include <AllocationFailure.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <vector>

namespace {

using workers::kRepairFinished;
using workers::kRuntimeItemDone;
using repair_test::IsFile;
using repair_test::ReadText;
using repair_test::TempFolder;
using vendor_server::HttpBase;

constexpr DWORD kRepairTimeoutMs = 120000;

// A repair message as the window receives it: RuntimeItemDone names its entry in wParam.
struct Posted {
    UINT message = 0;
    WPARAM wParam = 0;
    bool operator==(const Posted&) const = default;
};

Posted Done(WPARAM index) { return {kRuntimeItemDone, index}; }
const Posted kFinished = {kRepairFinished, 0};

void PrintTo(const Posted& posted, std::ostream* out)
{
    *out << (posted.message == kRuntimeItemDone ? "done(" : "finished(") << posted.wParam << ")";
}

// A message-only window standing in for the main window: it keeps the repair messages in the
// order they arrive.
class MessageWindow {
public:
    MessageWindow()
    {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass);
        window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~MessageWindow() { DestroyWindow(window_); }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return window_; }

    // The repair messages up to and including RepairFinished, or what came before the time ran out.
    std::vector<Posted> CollectUntilFinished()
    {
        std::vector<Posted> received;
        const ULONGLONG deadline = GetTickCount64() + kRepairTimeoutMs;
        while (GetTickCount64() < deadline) {
            MSG message = {};
            if (!PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
                continue;
            }
            if (message.message == kRuntimeItemDone || message.message == kRepairFinished) {
                EXPECT_EQ(message.lParam, 0);
                received.push_back({message.message, message.wParam});
            }
            if (message.message == kRepairFinished)
                break;
        }
        return received;
    }

private:
    static constexpr wchar_t kClassName[] = L"ZentariumRepairTestWindow";
    HWND window_ = nullptr;
};

RuntimeLibEntry Entry(const std::wstring& url, int32_t type = 0, const std::string& sha256 = {})
{
    RuntimeLibEntry entry;
    entry.name = L"运行库";
    entry.type = type;
    entry.url = url;
    entry.sha256 = sha256;
    return entry;
}

// Runs a repair against the local vendor server; the packages it serves for the test are
// removed afterwards.
class RepairJobTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vendor_server::Running()) << "vendor server not started"; }
    void TearDown() override
    {
        for (const std::wstring& name : served_)
            DeleteFileW(Served(name).c_str());
    }

    static std::wstring Served(const std::wstring& name) { return vendor_server::Folder() + L"packages\\" + name; }
    static std::wstring PackageUrl(const std::wstring& name) { return HttpBase() + L"/packages/" + name; }

    void Serve(const std::wstring& name, const std::string& bytes)
    {
        std::ofstream(std::filesystem::path(Served(name)), std::ios::binary | std::ios::trunc) << bytes;
        served_.push_back(name);
    }
    void ServeFixture(const std::wstring& fixture, const std::wstring& name)
    {
        ASSERT_TRUE(CopyFileW(repair_test::RepairFixture(fixture).c_str(), Served(name).c_str(), FALSE));
        served_.push_back(name);
    }

    std::vector<Posted> Repair(std::vector<RuntimeLibEntry> list) { return Repair(std::move(list), WorkDirectory()); }
    std::vector<Posted> Repair(std::vector<RuntimeLibEntry> list, const std::wstring& workDirectory)
    {
        base::WorkerThread worker;
        EXPECT_TRUE(repair::StartRepair(worker, window_.Handle(), std::move(list), workDirectory));
        std::vector<Posted> received = window_.CollectUntilFinished();
        EXPECT_EQ(worker.Wait(), std::optional<DWORD>(0));
        return received;
    }

    // Not made beforehand: the repair creates it.
    std::wstring WorkDirectory() const { return temp_.Path() + L"Zentarium\\"; }

    TempFolder temp_{L"job"};
    MessageWindow window_;
    std::vector<std::wstring> served_;
};

// A package counts only when its action succeeded: one that merely arrived, with no action for
// its type, is not repaired.
TEST_F(RepairJobTest, OnlyRepairedEntriesPostDoneThenTheEndIsPosted)
{
    ServeFixture(L"zentest_setup.exe", L"repairtest-one.exe");
    Serve(L"repairtest-two.bin", "two");
    ServeFixture(L"zentest_setup.exe", L"repairtest-three.exe");
    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-one.exe"), 3), Entry(PackageUrl(L"repairtest-two.bin"), 19),
                      Entry(PackageUrl(L"repairtest-three.exe"), 5)}),
              (std::vector<Posted>{Done(0), Done(2), kFinished}));
    EXPECT_EQ(ReadText(WorkDirectory() + L"repairtest-two.bin"), "two");
    EXPECT_TRUE(repair_test::IsFolder(WorkDirectory() + L"repairtest-two.bindir"));
}

TEST_F(RepairJobTest, FailedDownloadIsSkippedWithoutDoneAndTheNextDoneNamesItsOwnEntry)
{
    ServeFixture(L"zentest_setup.exe", L"repairtest-first.exe");
    ServeFixture(L"zentest_setup.exe", L"repairtest-last.exe");
    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-first.exe"), 3), Entry(PackageUrl(L"repairtest-missing.bin"), 3),
                      Entry(PackageUrl(L"repairtest-last.exe"), 3)}),
              (std::vector<Posted>{Done(0), Done(2), kFinished}));
    EXPECT_TRUE(IsFile(WorkDirectory() + L"repairtest-first.exe.args.txt"));
    EXPECT_TRUE(IsFile(WorkDirectory() + L"repairtest-last.exe.args.txt"));
    // Its folder was made before the download was tried.
    EXPECT_TRUE(repair_test::IsFolder(WorkDirectory() + L"repairtest-missing.bindir"));
}

TEST_F(RepairJobTest, EmptyListPostsFinishedAtOnce)
{
    EXPECT_EQ(Repair({}), std::vector<Posted>{kFinished});
}

TEST_F(RepairJobTest, WorkerEndedThroughItsCatchAllStillPostsTheEnd)
{
    Serve(L"repairtest-end.bin", "end");
    base::WorkerThread worker;
    {
        // The worker's first allocation fails; the exception leaves the body for the catch-all.
        allocation_failure::ScopedFailure failure(1, allocation_failure::Threads::Others);
        ASSERT_TRUE(repair::StartRepair(worker, window_.Handle(), {Entry(PackageUrl(L"repairtest-end.bin"))},
                                        WorkDirectory()));
        EXPECT_EQ(worker.Wait(), std::optional<DWORD>(1));
        EXPECT_TRUE(failure.Fired());
    }
    EXPECT_EQ(window_.CollectUntilFinished(), std::vector<Posted>{kFinished});
}

TEST_F(RepairJobTest, EntriesWithTheSameFileNameShareTheLocalFile)
{
    Serve(L"repairtest-shared.bin", "first package");
    // The second address ends in the same name; /test/bytes ignores the extra argument.
    const std::wstring second = HttpBase() + L"/test/bytes?n=300&mode=length&tag=/repairtest-shared.bin";
    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-shared.bin")), Entry(second)}), std::vector<Posted>{kFinished});
    const std::string local = ReadText(WorkDirectory() + L"repairtest-shared.bin");
    ASSERT_EQ(local.size(), 300u);
    EXPECT_EQ(static_cast<uint8_t>(local[250]), 250);
    size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(WorkDirectory()))
        entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1u);
}

TEST_F(RepairJobTest, PackageWithAWrongDigestIsRemovedUnrun)
{
    ServeFixture(L"zentest_setup.exe", L"repairtest-setup.exe");
    const std::string wrong(64, 'a');
    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-setup.exe"), 3, wrong)}), std::vector<Posted>{kFinished});
    EXPECT_FALSE(IsFile(WorkDirectory() + L"repairtest-setup.exe"));
    EXPECT_FALSE(IsFile(WorkDirectory() + L"repairtest-setup.exe.args.txt"));
}

TEST_F(RepairJobTest, PackageWithItsRightDigestIsInstalled)
{
    ServeFixture(L"zentest_setup.exe", L"repairtest-setup.exe");
    const std::string right = ReadText(repair_test::RepairFixture(L"zentest_setup.exe.sha256"));
    ASSERT_EQ(right.size(), 64u);
    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-setup.exe"), 3, right)}),
              (std::vector<Posted>{Done(0), kFinished}));
    const std::string log = ReadText(WorkDirectory() + L"repairtest-setup.exe.args.txt");
    EXPECT_EQ(log.rfind("/q /l \"", 0), 0u) << log;
    EXPECT_NE(log.find("repairtest-setup.exe.log.txt\""), std::string::npos) << log;
}

// The test DLLs a repair put into the system folder, and their registrations, removed before and after.
class SystemDllCleanup {
public:
    SystemDllCleanup() { Clean(); }
    ~SystemDllCleanup()
    {
        for (const wchar_t* name : kNames)
            repair_test::WaitForRegistration(name, 5000);
        Clean();
    }
    SystemDllCleanup(const SystemDllCleanup&) = delete;
    SystemDllCleanup& operator=(const SystemDllCleanup&) = delete;

    static constexpr const wchar_t* kNames[] = {L"zentest_reg_a.dll", L"zentest reg space.dll"};
    static std::wstring Folder() { return repair_test::NativeDllFolder(); }

private:
    static void Clean()
    {
        for (const wchar_t* name : kNames)
            repair_test::RemoveSystemFile(Folder() + name);
        repair_test::ForgetRegistrations();
    }
};

// Redirected application data can put the work directory on another drive; Wine's Z: (the Unix
// root) stands in for one. The DLLs must still reach the Windows drive's system folder.
TEST_F(RepairJobTest, DllPackageReachesTheSystemFolderFromAWorkDirectoryOnAnotherDrive)
{
    SystemDllCleanup cleanup;
    const std::wstring otherDrive = L"Z:\\tmp\\zentarium-repair-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    struct RemoveWorkDirectory {
        std::wstring path;
        ~RemoveWorkDirectory() { repair_test::RemoveTree(path); }
    } removeWorkDirectory{otherDrive};
    const std::wstring installed = SystemDllCleanup::Folder() + SystemDllCleanup::kNames[0];
    ServeFixture(L"dlls.7z", L"repairtest-dlls.7z");

    EXPECT_EQ(Repair({Entry(PackageUrl(L"repairtest-dlls.7z"), repair_test::NativeDllType())}, otherDrive),
              (std::vector<Posted>{Done(0), kFinished}));
    EXPECT_TRUE(IsFile(otherDrive + L"repairtest-dlls.7zdir\\zentest_reg_a.dll"));
    EXPECT_EQ(ReadText(installed), ReadText(repair_test::RepairFixture(L"zentest_reg.dll")));
    std::optional<std::wstring> registered = repair_test::WaitForRegistration(SystemDllCleanup::kNames[0]);
    ASSERT_TRUE(registered.has_value());
    EXPECT_TRUE(repair_test::EqualNoCase(*registered, installed));
}

}  // namespace
