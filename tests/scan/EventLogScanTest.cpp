#include "EventLogScan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "EventRecordBytes.h"
#include "EventTimeText.h"
#include "ModelResultList.h"

namespace {

using scan_testing::Append;
using scan_testing::EventRecordBytes;

// Hands out recorded reads one after the other, the way ReadEventLogW does: a read whose
// buffer is too small fails with the size it needs, and the end of the log fails with EOF.
class RecordedEventLogs : public scan::IEventLogSource {
public:
    std::unique_ptr<scan::IEventLog> Open(const wchar_t* logName) override
    {
        opened.push_back(logName);
        if (!opens)
            return nullptr;
        return std::make_unique<Log>(*this);
    }

    bool opens = true;
    std::vector<std::vector<unsigned char>> reads;
    std::vector<std::wstring> opened;
    std::vector<DWORD> sizesAsked;
    DWORD neededOverride = 0;  // when set, every read asks for this size

private:
    class Log : public scan::IEventLog {
    public:
        explicit Log(RecordedEventLogs& owner) : owner_(owner) {}
        scan::EventLogRead Read(unsigned char* buffer, DWORD size) override
        {
            owner_.sizesAsked.push_back(size);
            scan::EventLogRead result;
            if (owner_.neededOverride) {
                result.error = ERROR_INSUFFICIENT_BUFFER;
                result.bytesNeeded = owner_.neededOverride;
                return result;
            }
            if (next_ == owner_.reads.size()) {
                result.error = ERROR_HANDLE_EOF;
                return result;
            }
            const std::vector<unsigned char>& bytes = owner_.reads[next_];
            if (bytes.size() > size) {
                result.error = ERROR_INSUFFICIENT_BUFFER;
                result.bytesNeeded = static_cast<DWORD>(bytes.size());
                return result;
            }
            std::memcpy(buffer, bytes.data(), bytes.size());
            result.succeeded = true;
            result.bytesRead = static_cast<DWORD>(bytes.size());
            ++next_;
            return result;
        }

    private:
        RecordedEventLogs& owner_;
        size_t next_ = 0;
    };
};

class EventLogScan : public ::testing::Test {
protected:
    void Scan(uint32_t lastRepairTime)
    {
        scan::ScanEventLog(L"Application", scan::CheckTarget{&list, &entry}, lastRepairTime, queue, logs);
        posted = queue.PendingCount();
        queue.Drain();
    }
    std::vector<std::wstring> Details()
    {
        std::vector<std::wstring> details;
        for (const scan_testing::ModelRow& row : list.rows) {
            for (const auto& [detail, extra] : row.details)
                details.push_back(row.group + L"@" + detail);
        }
        return details;
    }

    RecordedEventLogs logs;
    scan_testing::ModelResultList list;
    scan_testing::ModelCategoryEntry entry;
    scan::UpdateQueue queue;
    size_t posted = 0;
};

constexpr uint32_t kRepair = 1700000000;

TEST_F(EventLogScan, CountsOnlyErrorsStrictlyNewerThanTheRepairTime)
{
    std::vector<unsigned char> bytes = EventRecordBytes(1, kRepair - 5, L"Old");
    Append(bytes, EventRecordBytes(1, kRepair, L"Exact"));
    Append(bytes, EventRecordBytes(1, kRepair + 1, L"Newer"));
    Append(bytes, EventRecordBytes(2, kRepair + 2, L"Warning"));
    Append(bytes, EventRecordBytes(4, kRepair + 3, L"Information"));
    Append(bytes, EventRecordBytes(8, kRepair + 4, L"AuditSuccess"));
    Append(bytes, EventRecordBytes(16, kRepair + 5, L"AuditFailure"));
    logs.reads = {bytes};
    Scan(kRepair);
    EXPECT_EQ(Details(), std::vector<std::wstring>{L"Newer@" + scan::LocalEventTimeText(kRepair + 1)});
    EXPECT_EQ(logs.opened, std::vector<std::wstring>{L"Application"});
}

TEST_F(EventLogScan, RepairTimeZeroCountsEveryErrorHoweverOld)
{
    std::vector<unsigned char> bytes = EventRecordBytes(1, 1, L"Ancient");
    Append(bytes, EventRecordBytes(1, 0xFFFFFFF0u, L"Future"));
    Append(bytes, EventRecordBytes(2, 5, L"Warning"));
    logs.reads = {bytes};
    Scan(0);
    EXPECT_EQ(posted, 2u);
    EXPECT_EQ(list.rows.size(), 2u);
}

TEST_F(EventLogScan, GroupsBySourceWithTheNewestTimeAsDescriptionAndKeepsTheLineFeed)
{
    std::vector<unsigned char> bytes = EventRecordBytes(1, kRepair + 10, L"app.exe");
    Append(bytes, EventRecordBytes(1, kRepair + 20, L"Service Control Manager"));
    Append(bytes, EventRecordBytes(1, kRepair + 30, L"APP.EXE"));
    logs.reads = {bytes};
    Scan(kRepair);
    ASSERT_EQ(list.rows.size(), 2u);
    const std::wstring newest = scan::LocalEventTimeText(kRepair + 30);
    ASSERT_FALSE(newest.empty());
    EXPECT_EQ(newest.back(), L'\n');
    EXPECT_EQ(list.rows[0].group, L"APP.EXE");
    EXPECT_EQ(list.rows[0].description, L"最近一次崩溃时间: " + newest);
    EXPECT_EQ(list.rows[0].details.size(), 2u);
    EXPECT_EQ(list.rows[0].details.count(newest), 1u);
    EXPECT_EQ(list.rows[1].group, L"Service Control Manager");
    EXPECT_EQ(entry.count, 3);
}

TEST_F(EventLogScan, GrowsTheBufferToTheSizeAskedForAndKeepsIt)
{
    std::vector<unsigned char> small = EventRecordBytes(1, kRepair + 1, L"Before");
    std::vector<unsigned char> large = EventRecordBytes(1, kRepair + 2, L"Large", 70000);
    std::vector<unsigned char> after = EventRecordBytes(1, kRepair + 3, L"After");
    logs.reads = {small, large, after};
    Scan(kRepair);
    EXPECT_EQ(posted, 3u);
    DWORD grown = static_cast<DWORD>(large.size());
    EXPECT_EQ(logs.sizesAsked, (std::vector<DWORD>{0x10000, 0x10000, grown, grown, grown}));
}

TEST_F(EventLogScan, ANeededSizeThatIsNotLargerEndsTheReading)
{
    logs.neededOverride = 0x10000;
    Scan(0);
    EXPECT_EQ(logs.sizesAsked.size(), 1u);
    logs.sizesAsked.clear();
    logs.neededOverride = 0xFFFFFFFFu;  // no allocator gives 4 GiB here
    Scan(0);
    EXPECT_LE(logs.sizesAsked.size(), 2u);
    EXPECT_EQ(posted, 0u);
}

TEST_F(EventLogScan, AMalformedRecordEndsOnlyItsOwnRead)
{
    std::vector<unsigned char> first = EventRecordBytes(1, kRepair + 1, L"First");
    std::vector<unsigned char> broken = EventRecordBytes(1, kRepair + 2, L"Broken");
    scan_testing::SetLength(broken, 0, 0);
    Append(first, broken);
    Append(first, EventRecordBytes(1, kRepair + 3, L"Lost"));
    logs.reads = {first, EventRecordBytes(1, kRepair + 4, L"Second")};
    Scan(kRepair);
    std::vector<std::wstring> groups;
    for (const scan_testing::ModelRow& row : list.rows)
        groups.push_back(row.group);
    EXPECT_EQ(groups, (std::vector<std::wstring>{L"First", L"Second"}));
}

TEST_F(EventLogScan, ALogThatDoesNotOpenAddsNothing)
{
    logs.opens = false;
    logs.reads = {EventRecordBytes(1, kRepair + 1, L"Unseen")};
    Scan(0);
    EXPECT_EQ(posted, 0u);
    EXPECT_TRUE(logs.sizesAsked.empty());
}

TEST(SystemEventLog, TheRealLogsEndWithoutFindingsOnTheTestPlatform)
{
    scan_testing::ModelResultList list;
    scan_testing::ModelCategoryEntry entry;
    scan::UpdateQueue queue;
    scan::ScanSystemEventLog(L"Application", scan::CheckTarget{&list, &entry}, 0, queue);
    scan::ScanSystemEventLog(L"System", scan::CheckTarget{&list, &entry}, 0, queue);
    scan::ScanSystemEventLog(L"NoSuchLog", scan::CheckTarget{&list, &entry}, 0, queue);
    EXPECT_EQ(queue.PendingCount(), 0u);
}

}  // namespace
