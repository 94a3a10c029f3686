#include "UpdateQueue.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <memory>
#include <new>
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

// A tick with no time left still makes headway; what it leaves comes first on the next tick,
// ahead of findings posted since, and a full drain applies everything.
TEST_F(Drain, ABoundedDrainLeavesTheRestInOrderForTheNextCall)
{
    constexpr int kFindings = 1000;
    for (int i = 0; i < kFindings; ++i)
        queue.Post(Update(&list, &entry, scan::kJunkFile, std::to_wstring(i)));
    EXPECT_FALSE(queue.DrainFor(std::chrono::steady_clock::duration::zero()));
    const size_t afterOne = list.rows.size();
    EXPECT_GT(afterOne, 0u);
    EXPECT_LT(afterOne, static_cast<size_t>(kFindings));
    queue.Post(Update(&list, &entry, scan::kJunkFile, L"later"));
    int calls = 1;
    while (!queue.DrainFor(std::chrono::steady_clock::duration::zero()) && calls < kFindings)
        ++calls;
    EXPECT_GT(calls, 2);
    ASSERT_EQ(list.rows.size(), static_cast<size_t>(kFindings + 1));
    for (int i = 0; i < kFindings; ++i)
        ASSERT_EQ(list.rows[i].group, std::to_wstring(i));
    EXPECT_EQ(list.rows.back().group, L"later");

    for (int i = 0; i < kFindings; ++i)
        queue.Post(Update(&list, &entry, scan::kJunkFile, L"x" + std::to_wstring(i)));
    EXPECT_FALSE(queue.DrainFor(std::chrono::steady_clock::duration::zero()));
    queue.Drain();
    EXPECT_EQ(list.rows.size(), static_cast<size_t>(2 * kFindings + 1));
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(Drain, NullUpdateIsRefused)
{
    EXPECT_FALSE(queue.Post(nullptr));
    EXPECT_EQ(queue.PendingCount(), 0u);
    EXPECT_TRUE(queue.Post(Update(&list, &entry, scan::kEventFinding, L"a", L"", L"1")));
    EXPECT_FALSE(queue.Post(nullptr));
    queue.Drain();
    EXPECT_EQ(list.log.size(), 1u);
}

// A list whose one AddFinding call throws, as a control might when memory runs out.
class ThrowingOnceList : public ModelResultList {
public:
    explicit ThrowingOnceList(std::wstring failingGroup) : failingGroup_(std::move(failingGroup)) {}
    void AddFinding(const std::wstring& group, const std::wstring& description, int rowStyle,
                    const std::wstring& detail, const std::wstring& extra) override
    {
        if (group == failingGroup_) {
            failingGroup_.clear();
            throw std::bad_alloc();
        }
        ModelResultList::AddFinding(group, description, rowStyle, detail, extra);
    }

private:
    std::wstring failingGroup_;
};

TEST(UpdateQueue, DrainInterruptedByAnExceptionGoesOnAfterItInOrder)
{
    ThrowingOnceList list(L"2");
    ModelCategoryEntry entry;
    scan::UpdateQueue queue;
    for (const wchar_t* group : {L"1", L"2", L"3", L"4"})
        queue.Post(Update(&list, &entry, scan::kJunkFile, group, L"", group));
    EXPECT_THROW(queue.Drain(), std::bad_alloc);
    queue.Post(Update(&list, &entry, scan::kJunkFile, L"5", L"", L"5"));
    queue.Drain();
    queue.Drain();
    std::vector<std::wstring> groups;
    for (const scan_testing::ModelRow& row : list.rows)
        groups.push_back(row.group);
    // The failed update is dropped, none is applied twice, the rest keep their order.
    EXPECT_EQ(groups, (std::vector<std::wstring>{L"1", L"3", L"4", L"5"}));
    EXPECT_EQ(queue.PendingCount(), 0u);
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
