#include "UpdateQueue.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ModelResultList.h"

namespace {

using scan_testing::ModelCategoryEntry;
using scan_testing::ModelResultList;

std::unique_ptr<scan::ScanUpdate> Update(scan::IResultList* list, scan::ICategoryEntry* entry, int kind,
                                         std::wstring group, std::wstring description = L"",
                                         std::wstring detail = L"", std::wstring extra = L"")
{
    auto update = std::make_unique<scan::ScanUpdate>();
    update->list = list;
    update->entry = entry;
    update->kind = kind;
    update->group = std::move(group);
    update->description = std::move(description);
    update->detail = std::move(detail);
    update->extra = std::move(extra);
    return update;
}

class Drain : public ::testing::Test {
protected:
    ModelResultList list;
    ModelCategoryEntry entry;
    scan::UpdateQueue queue;
};

TEST_F(Drain, EventFindingAddsAnEventRowAndSetsTheEntryCount)
{
    queue.Post(Update(&list, &entry, scan::kEventFinding, L"app.exe", L"最近一次崩溃时间: t1\n", L"t1\n"));
    queue.Post(Update(&list, &entry, scan::kEventFinding, L"APP.EXE", L"最近一次崩溃时间: t2\n", L"t2\n"));
    queue.Post(Update(&list, &entry, scan::kEventFinding, L"app.exe", L"最近一次崩溃时间: t2\n", L"t2\n"));
    queue.Drain();
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0].rowStyle, scan::kEventRow);
    EXPECT_EQ(list.rows[0].details.size(), 2u);
    EXPECT_EQ(entry.count, 2);
    EXPECT_EQ(entry.setCountCalls, 3);
    EXPECT_EQ(list.log[0], L"finding|app.exe|最近一次崩溃时间: t1\n|0|t1\n|");
}

TEST_F(Drain, JunkFileAddsAJunkRowWithItsSize)
{
    queue.Post(Update(&list, &entry, scan::kJunkFile, L"C:\\Temp\\", L"", L"C:\\Temp\\a.tmp", L"5368709120"));
    queue.Drain();
    ASSERT_EQ(list.log.size(), 1u);
    EXPECT_EQ(list.log[0], L"finding|C:\\Temp\\||2|C:\\Temp\\a.tmp|5368709120");
    EXPECT_EQ(entry.count, 1);
}

TEST_F(Drain, FindingsWithoutListOrEntryChangeNothing)
{
    ModelResultList other;
    queue.Post(Update(nullptr, &entry, scan::kEventFinding, L"a", L"", L"d"));
    queue.Post(Update(&other, nullptr, scan::kEventFinding, L"a", L"", L"d"));
    queue.Post(Update(nullptr, &entry, scan::kJunkFile, L"a", L"", L"d"));
    queue.Post(Update(&other, nullptr, scan::kJunkFile, L"a", L"", L"d"));
    queue.Post(Update(nullptr, &entry, scan::kDllEntry, L"msvcp140.dll"));
    queue.Drain();
    EXPECT_TRUE(other.log.empty());
    EXPECT_EQ(entry.setCountCalls, 0);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(Drain, EveryDllEntryAddsANoteAndOnlyFlaggedOnesAFinding)
{
    queue.Post(Update(&list, nullptr, scan::kDllEntry, L"kernel32.dll"));
    queue.Post(Update(&list, &entry, scan::kDllEntry, L"msvcp140.dll"));
    queue.Post(Update(&list, &entry, scan::kDllEntry, L"msvcp140.dll"));
    queue.Post(Update(&list, nullptr, scan::kDllEntry, L""));
    queue.Drain();
    std::vector<std::wstring> expected = {
        L"note|文件正常 kernel32.dll",
        L"note|文件正常 msvcp140.dll", L"finding|msvcp140.dll||3||",
        L"note|文件正常 msvcp140.dll", L"finding|msvcp140.dll||3||",
        L"note|文件正常 ",
    };
    EXPECT_EQ(list.log, expected);
    // Both registrations share one row and one (empty) detail line.
    EXPECT_EQ(list.TotalCount(), 1);
    EXPECT_EQ(entry.count, 1);
}

TEST_F(Drain, UnknownKindsAreOnlyFreed)
{
    queue.Post(Update(&list, &entry, 3, L"a", L"", L"d"));
    queue.Post(Update(&list, &entry, -1, L"a", L"", L"d"));
    queue.Drain();
    EXPECT_TRUE(list.log.empty());
    EXPECT_EQ(entry.setCountCalls, 0);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(Drain, AppliesInArrivalOrderAcrossListsAndEmptiesTheQueue)
{
    ModelResultList second;
    ModelCategoryEntry secondEntry;
    queue.Post(Update(&list, &entry, scan::kEventFinding, L"a", L"", L"1"));
    queue.Post(Update(&second, &secondEntry, scan::kJunkFile, L"b", L"", L"2"));
    queue.Post(Update(&list, &entry, scan::kEventFinding, L"c", L"", L"3"));
    EXPECT_EQ(queue.PendingCount(), 3u);
    queue.Drain();
    EXPECT_EQ(queue.PendingCount(), 0u);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].group, L"a");
    EXPECT_EQ(list.rows[1].group, L"c");
    EXPECT_EQ(second.rows.size(), 1u);
    queue.Drain();
    EXPECT_EQ(list.log.size(), 2u);
}

// Checks that each producer's updates arrive in the order it posted them.
class OrderCheckingList : public scan::IResultList {
public:
    void AddFinding(const std::wstring& group, const std::wstring&, int, const std::wstring& detail,
                    const std::wstring&) override
    {
        int producer = std::stoi(group);
        int sequence = std::stoi(detail);
        if (sequence != next[producer])
            ++outOfOrder;
        next[producer] = sequence + 1;
        ++total;
    }
    void AddNote(const std::wstring&) override {}
    int TotalCount() override { return total; }

    std::vector<int> next = std::vector<int>(4, 0);
    int outOfOrder = 0;
    int total = 0;
};

TEST(UpdateQueue, PostsFromSeveralThreadsDuringDrainsArriveOnceAndInEachThreadsOrder)
{
    constexpr int kThreads = 4;
    constexpr int kPerThread = 5000;
    OrderCheckingList list;
    ModelCategoryEntry entry;
    scan::UpdateQueue queue;
    std::vector<std::thread> producers;
    for (int t = 0; t < kThreads; ++t) {
        producers.emplace_back([&queue, &list, &entry, t] {
            for (int i = 0; i < kPerThread; ++i)
                queue.Post(Update(&list, &entry, scan::kJunkFile, std::to_wstring(t), L"", std::to_wstring(i)));
        });
    }
    DWORD deadline = GetTickCount() + 20000;
    while (list.total < kThreads * kPerThread && GetTickCount() < deadline)
        queue.Drain();
    for (std::thread& producer : producers)
        producer.join();
    queue.Drain();
    EXPECT_EQ(list.total, kThreads * kPerThread);
    EXPECT_EQ(list.outOfOrder, 0);
    EXPECT_EQ(entry.count, kThreads * kPerThread);
}

}  // namespace
