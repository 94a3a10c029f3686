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

// The texts are views of the arguments, which live until the post that takes them.
scan::ScanUpdate Update(scan::IResultList* list, scan::ICategoryEntry* entry, int kind, std::wstring_view group,
                        std::wstring_view description = {}, std::wstring_view detail = {},
                        std::wstring_view extra = {})
{
    return {list, entry, kind, group, description, detail, extra};
}

std::wstring LogLine(const scan::ScanUpdate& update, int rowStyle)
{
    return L"finding|" + std::wstring(update.group) + L"|" + std::wstring(update.description) + L"|" +
           std::to_wstring(rowStyle) + L"|" + std::wstring(update.detail) + L"|" + std::wstring(update.extra);
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
    constexpr int kFindings = 10000;  // several batches
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

TEST_F(Drain, UpdatesNoListWouldShowAreRefused)
{
    const std::wstring longest(scan::kMaxUpdateChars - 2, L'x');
    struct Case {
        scan::ScanUpdate update;
        bool taken = false;
    };
    const Case cases[] = {
        {Update(nullptr, &entry, scan::kEventFinding, L"a"), false},
        {Update(nullptr, &entry, scan::kJunkFile, L"a"), false},
        {Update(nullptr, &entry, scan::kDllEntry, L"a"), false},
        {Update(&list, &entry, 3, L"a"), false},
        {Update(&list, &entry, -1, L"a"), false},
        {Update(&list, &entry, scan::kJunkFile, L"ab", L"", longest, L"1"), false},
        {Update(&list, &entry, scan::kJunkFile, L"a", L"", longest, L"1"), true},
    };
    for (const Case& test : cases)
        EXPECT_EQ(queue.Post(test.update), test.taken) << test.update.kind << " " << test.update.group.size();
    EXPECT_EQ(queue.PendingCount(), 1u);
    queue.Drain();
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.log[0], LogLine(cases[6].update, scan::kJunkRow));
}

// Texts that share nothing, repeat the previous group, lead the detail or only look as if they
// did, and are empty, long or Chinese; enough of them for several batches, taken in bounded
// drains while more are posted.
TEST_F(Drain, TextsAndOrderSurviveBatchesTakenWhilePosting)
{
    const std::wstring longPath = L"C:\\" + std::wstring(32000, L'd') + L"\\file.tmp";
    const std::vector<scan::ScanUpdate> table = {
        Update(&list, &entry, scan::kJunkFile, L"C:\\Temp", L"", L"C:\\Temp\\a.tmp", L"1"),
        Update(&list, &entry, scan::kJunkFile, L"C:\\Temp", L"", L"C:\\Temp\\b.tmp", L"22"),
        Update(&list, &entry, scan::kJunkFile, L"C:\\Temp", L"", L"D:\\other.tmp", L""),
        Update(&list, &entry, scan::kJunkFile, L"C:\\Temp\\a.tmp.longer", L"", L"C:\\Temp\\a.tmp", L"3"),
        Update(&list, &entry, scan::kJunkFile, L"C:\\Tem", L"", L"C:\\Tx\\c.tmp", L"4"),
        Update(&list, &entry, scan::kJunkFile, L"C:\\", L"", longPath, L"18446744073709551615"),
        Update(&list, &entry, scan::kJunkFile, longPath, L"", longPath, L"5"),
        Update(&list, &entry, scan::kEventFinding, L"", L"", L"", L""),
        Update(&list, &entry, scan::kEventFinding, L"应用程序.exe", L"最近一次崩溃时间: 2024-01-01 10:00:00\n",
               L"2024-01-01 10:00:00\n", L""),
        Update(&list, &entry, scan::kEventFinding, L"", L"最近一次崩溃时间: \n", L"\n", L""),
    };
    std::vector<std::wstring> expected;
    constexpr int kRounds = 40;
    for (int round = 0; round < kRounds; ++round) {
        for (const scan::ScanUpdate& update : table) {
            ASSERT_TRUE(queue.Post(update));
            expected.push_back(LogLine(update, update.kind == scan::kJunkFile ? scan::kJunkRow : scan::kEventRow));
        }
        queue.DrainFor(std::chrono::steady_clock::duration::zero());
    }
    queue.Drain();
    ASSERT_EQ(list.log.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(list.log[i], expected[i]) << "finding " << i;
    EXPECT_EQ(queue.PendingCount(), 0u);
}

// A list that posts once while its first finding is applied, as the worker may at any moment.
class PostingList : public ModelResultList {
public:
    explicit PostingList(scan::UpdateQueue& queue) : queue_(queue) {}
    void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                    std::wstring_view detail, std::wstring_view extra) override
    {
        if (rows.empty())
            queue_.Post(Update(this, &entry, scan::kJunkFile, L"late", L"", L"late"));
        ModelResultList::AddFinding(group, description, rowStyle, detail, extra);
    }
    ModelCategoryEntry entry;

private:
    scan::UpdateQueue& queue_;  // not owned
};

TEST(UpdateQueue, APostDuringADrainLandsAfterIt)
{
    scan::UpdateQueue queue;
    PostingList list(queue);
    for (const wchar_t* group : {L"1", L"2", L"3"})
        queue.Post(Update(&list, &list.entry, scan::kJunkFile, group, L"", group));
    queue.Drain();
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(queue.PendingCount(), 1u);
    queue.Drain();
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.rows.back().group, L"late");
    EXPECT_EQ(list.rows.back().details.size(), 1u);
}

// A list whose one AddFinding call throws, as a control might when memory runs out.
class ThrowingOnceList : public ModelResultList {
public:
    explicit ThrowingOnceList(std::wstring failingGroup) : failingGroup_(std::move(failingGroup)) {}
    void AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                    std::wstring_view detail, std::wstring_view extra) override
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

// The same where the failing update opens, ends or follows a batch.
TEST(UpdateQueue, ExceptionAtABatchEdgeDropsOnlyThatUpdate)
{
    constexpr size_t kUpdates = scan::kBatchRecords + 2;
    for (size_t failing : {size_t{0}, scan::kBatchRecords - 1, scan::kBatchRecords}) {
        ThrowingOnceList list(L"fail");
        ModelCategoryEntry entry;
        scan::UpdateQueue queue;
        for (size_t i = 0; i < kUpdates; ++i)
            queue.Post(Update(&list, &entry, scan::kJunkFile, i == failing ? L"fail" : L"g", L"", std::to_wstring(i)));
        EXPECT_THROW(queue.Drain(), std::bad_alloc);
        queue.Drain();
        ASSERT_EQ(list.log.size(), kUpdates - 1) << failing;
        for (size_t i = 0, line = 0; i < kUpdates; ++i) {
            if (i == failing)
                continue;
            ASSERT_EQ(list.log[line++], L"finding|g||2|" + std::to_wstring(i) + L"|") << failing;
        }
    }
}

// Checks that each producer's updates arrive in the order it posted them.
class OrderCheckingList : public scan::IResultList {
public:
    void AddFinding(std::wstring_view group, std::wstring_view, int, std::wstring_view detail,
                    std::wstring_view) override
    {
        int producer = std::stoi(std::wstring(group));
        int sequence = std::stoi(std::wstring(detail));
        if (sequence != next[producer])
            ++outOfOrder;
        next[producer] = sequence + 1;
        ++total;
    }
    void AddNote(std::wstring_view) override {}
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
