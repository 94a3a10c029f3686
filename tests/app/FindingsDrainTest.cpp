// Findings travel from scan threads through the engine's update queue into the real list
// controls of the embedded skin, as the main window's timer drains them.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "CheckResultItem.h"
#include "MainSkin.h"
#include "ScanCategories.h"
#include "ScanJob.h"
#include "UpdateQueue.h"

using namespace VXM;
using app::CheckResult;
using app::LeftOption;

namespace {

struct Category {
    CheckResult* list = nullptr;
    LeftOption* entry = nullptr;
};

class FindingsDrain : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < scan::kCategoryCount; ++i) {
            categories_[i] = {skin_.List(scan::kScanOrder[i].list), skin_.Entry(scan::kScanOrder[i].entry)};
            ASSERT_NE(categories_[i].list, nullptr);
            ASSERT_NE(categories_[i].entry, nullptr);
            categories_[i].entry->SetCount(0);
        }
    }

    void Post(int category, int kind, const std::wstring& group, const std::wstring& detail,
              const std::wstring& description = {}, bool withEntry = true, bool withList = true)
    {
        queue_.Post({withList ? categories_[category].list : nullptr, withEntry ? categories_[category].entry : nullptr,
                     kind, group, description, detail, kind == scan::kJunkFile ? L"1024" : L""});
    }

    const std::wstring& Badge(int category) const { return categories_[category].entry->CountBadge()->GetText(); }

    std::array<scan::CheckTarget, scan::kCategoryCount> Targets() const
    {
        std::array<scan::CheckTarget, scan::kCategoryCount> targets;
        for (int i = 0; i < scan::kCategoryCount; ++i)
            targets[i] = {categories_[i].list, categories_[i].entry};
        return targets;
    }

    MainSkin skin_;
    std::array<Category, scan::kCategoryCount> categories_;
    scan::UpdateQueue queue_;
};

constexpr int kCrashes = 0;
constexpr int kSystem = 1;
constexpr int kJunk = 2;
constexpr int kDlls = 3;

}  // namespace

TEST_F(FindingsDrain, EachKindLandsInItsListAndBadge)
{
    Post(kCrashes, scan::kEventFinding, L"app.exe", L"2024-01-01 10:00:00", L"最近一次崩溃：2024-01-01");
    Post(kCrashes, scan::kEventFinding, L"APP.exe", L"2024-01-02 10:00:00", L"最近一次崩溃：2024-01-02");
    Post(kSystem, scan::kEventFinding, L"Service Control Manager", L"2024-01-03 09:00:00");
    for (const wchar_t* file : {L"C:\\Temp\\a.tmp", L"C:\\Temp\\b.tmp", L"C:\\Temp\\a.tmp"})
        Post(kJunk, scan::kJunkFile, L"C:\\Temp", file);
    Post(kJunk, scan::kJunkFile, L"C:\\Windows\\Logs", L"C:\\Windows\\Logs\\x.log");
    Post(kDlls, scan::kDllEntry, L"msvcp140.dll", L"", L"", false);
    Post(kDlls, scan::kDllEntry, L"vcruntime140.dll", L"");
    EXPECT_EQ(categories_[kCrashes].list->RowCount(), 0) << "nothing shows before the drain";
    queue_.Drain();

    CheckResult* crashes = categories_[kCrashes].list;
    ASSERT_EQ(crashes->RowCount(), 1);
    EXPECT_EQ(crashes->RecordAt(0)->groupName, L"APP.exe");
    EXPECT_EQ(crashes->RecordAt(0)->Description(), L"最近一次崩溃：2024-01-02");
    EXPECT_EQ(crashes->RecordAt(0)->CountText(), L"崩溃次数：2");
    EXPECT_EQ(Badge(kCrashes), L"2");
    EXPECT_EQ(Badge(kSystem), L"1");

    CheckResult* junk = categories_[kJunk].list;
    ASSERT_EQ(junk->RowCount(), 2);
    EXPECT_EQ(junk->RecordAt(0)->Description(), L"垃圾文件：2项");
    EXPECT_EQ(junk->RecordAt(1)->CountText(), L"可清理：1");
    EXPECT_EQ(Badge(kJunk), L"3");

    CheckResult* dlls = categories_[kDlls].list;
    ASSERT_EQ(dlls->NoteBox()->GetCount(), 2) << "every checked DLL gets a note";
    EXPECT_EQ(dlls->NoteBox()->GetItemAt(0)->GetText(), L"文件正常 msvcp140.dll");
    ASSERT_EQ(dlls->RowCount(), 1) << "only the flagged one gets a row";
    EXPECT_EQ(dlls->RecordAt(0)->groupName, L"vcruntime140.dll");
    EXPECT_EQ(dlls->RecordAt(0)->CountText(), L"异常");
    EXPECT_EQ(Badge(kDlls), L"1");
    EXPECT_EQ(scan::TotalFindings(Targets()), 7);
    EXPECT_EQ(queue_.PendingCount(), 0u);
}

TEST_F(FindingsDrain, UpdatesWithoutTheirListOrEntryOrOfUnknownKindChangeNothing)
{
    Post(kCrashes, scan::kEventFinding, L"app.exe", L"1", L"", false);
    Post(kCrashes, scan::kEventFinding, L"app.exe", L"1", L"", true, false);
    Post(kJunk, scan::kJunkFile, L"C:\\Temp", L"C:\\Temp\\a", L"", false);
    Post(kDlls, scan::kDllEntry, L"msvcp140.dll", L"", L"", true, false);
    Post(kCrashes, 7, L"app.exe", L"1");
    queue_.Drain();
    for (const Category& category : categories_) {
        EXPECT_EQ(category.list->RowCount(), 0);
        EXPECT_EQ(category.list->NoteBox()->GetCount(), 0);
        EXPECT_EQ(category.entry->CountBadge()->GetText(), L"0");
    }
}

TEST_F(FindingsDrain, ASecondScanMergesIntoTheRowsOfTheFirst)
{
    Post(kCrashes, scan::kEventFinding, L"game.exe", L"2024-01-01 10:00:00");
    queue_.Drain();
    Post(kCrashes, scan::kEventFinding, L"GAME.EXE", L"2024-01-01 10:00:00");
    Post(kCrashes, scan::kEventFinding, L"game.exe", L"2024-02-01 10:00:00");
    queue_.Drain();
    ASSERT_EQ(categories_[kCrashes].list->RowCount(), 1);
    EXPECT_EQ(categories_[kCrashes].list->RecordAt(0)->CountText(), L"崩溃次数：2");
    EXPECT_EQ(Badge(kCrashes), L"2");
}

TEST_F(FindingsDrain, AWorkerPostingWhileTheUiThreadDrainsLosesNothing)
{
    constexpr int kFolders = 20;
    constexpr int kFiles = 4000;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        for (int file = 0; file < kFiles; ++file) {
            const std::wstring folder = L"C:\\Temp\\f" + std::to_wstring(file % kFolders);
            Post(kJunk, scan::kJunkFile, folder, folder + L"\\" + std::to_wstring(file) + L".tmp");
            if (file % 500 == 0)
                Sleep(1);
        }
        done = true;
    });
    int drains = 0;
    while (!done) {
        queue_.Drain();
        ++drains;
        Sleep(1);
    }
    worker.join();
    queue_.Drain();
    CheckResult* junk = categories_[kJunk].list;
    ASSERT_EQ(junk->RowCount(), kFolders);
    EXPECT_EQ(junk->TotalCount(), kFiles);
    EXPECT_EQ(Badge(kJunk), std::to_wstring(kFiles));
    for (int i = 0; i < kFolders; ++i)
        EXPECT_EQ(junk->RecordAt(i)->CountText(), L"可清理：" + std::to_wstring(kFiles / kFolders)) << i;
    EXPECT_GT(drains, 1);
}

TEST_F(FindingsDrain, RowsStandInTheVisibleListsRowAreaAfterLayout)
{
    skin_.Manager().FindControl(103)->SetVisible(false);
    skin_.Manager().FindControl(114)->SetVisible(true);
    for (int i = 0; i < 3; ++i)
        Post(kCrashes, scan::kEventFinding, L"app" + std::to_wstring(i) + L".exe", L"1");
    queue_.Drain();
    skin_.Root()->SetPos(RECT{0, 0, 1100, 824});
    CheckResult* crashes = categories_[kCrashes].list;
    const RECT area = crashes->RowList()->GetPos();
    EXPECT_GT(area.bottom - area.top, 3 * 73) << "the row list takes what the headings leave";
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(crashes->ShownRow(i), nullptr) << i;
        const RECT row = crashes->ShownRow(i)->GetPos();
        EXPECT_EQ(row.top, area.top + i * 73) << i;
        EXPECT_EQ(row.bottom - row.top, 68) << i;
        EXPECT_EQ(row.left, area.left) << i;
        EXPECT_EQ(row.right, area.right) << i;
        EXPECT_EQ(crashes->ShownRow(i)->ReportButton()->GetPos().right, area.right - 45) << i;
    }
}
