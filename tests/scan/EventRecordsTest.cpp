#include "EventRecords.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "EventRecordBytes.h"

namespace {

using scan_testing::Append;
using scan_testing::EventRecordBytes;
using scan_testing::SetLength;

std::vector<scan::EventRecordFields> Walk(const std::vector<unsigned char>& bytes)
{
    return scan::WalkEventRecords(bytes.data(), bytes.size());
}

TEST(EventRecords, WalksEveryRecordInOrderByItsLength)
{
    std::vector<unsigned char> bytes = EventRecordBytes(1, 1000, L"Application Error");
    Append(bytes, EventRecordBytes(2, 2000, L"MsiInstaller", 13));
    Append(bytes, EventRecordBytes(4, 3000, L"应用程序"));
    std::vector<scan::EventRecordFields> records = Walk(bytes);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].sourceName, L"Application Error");
    EXPECT_EQ(records[0].eventType, 1);
    EXPECT_EQ(records[0].timeGenerated, 1000u);
    EXPECT_EQ(records[1].sourceName, L"MsiInstaller");
    EXPECT_EQ(records[1].eventType, 2);
    EXPECT_EQ(records[2].sourceName, L"应用程序");
    EXPECT_EQ(records[2].timeGenerated, 3000u);
}

TEST(EventRecords, AMalformedRecordEndsTheWalkOfItsBuffer)
{
    const std::vector<unsigned char> good = EventRecordBytes(1, 1000, L"Good");
    struct Case {
        const char* what;
        uint32_t secondLength;  // 0xFFFFFFFF: keep the record's own
        size_t cutAfterSecond;  // bytes dropped from the end
        bool unterminatedSource;
    };
    const Case cases[] = {
        {"length 0", 0, 0, false},
        {"length below the fixed part", 40, 0, false},
        {"length one byte short of the fixed part", sizeof(EVENTLOGRECORD) - 1, 0, false},
        {"length past the bytes read", 0xFFFFFFFF, 8, false},
        {"length far past the bytes read", 0x7FFFFFFF, 0, false},
        {"fixed part cut off", 0xFFFFFFFF, 80, false},
        {"source name without terminator", 0xFFFFFFFF, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> bytes = good;
        size_t second = bytes.size();
        std::vector<unsigned char> bad = EventRecordBytes(1, 2000, L"Bad");
        if (c.unterminatedSource)
            std::memset(bad.data() + sizeof(EVENTLOGRECORD), 'x', bad.size() - sizeof(EVENTLOGRECORD));
        Append(bytes, bad);
        Append(bytes, good);
        if (c.secondLength != 0xFFFFFFFF)
            SetLength(bytes, second, c.secondLength);
        if (c.cutAfterSecond)
            bytes.resize(second + bad.size() - c.cutAfterSecond);
        std::vector<scan::EventRecordFields> records = Walk(bytes);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].sourceName, L"Good");
    }
}

TEST(EventRecords, SourceNameMustEndInsideItsOwnRecord)
{
    // The terminator of the next record must not complete this one's name.
    std::vector<unsigned char> bytes(sizeof(EVENTLOGRECORD) + 4, 'y');
    SetLength(bytes, 0, static_cast<uint32_t>(bytes.size()));
    Append(bytes, EventRecordBytes(1, 1000, L"Next"));
    EXPECT_TRUE(Walk(bytes).empty());
}

TEST(EventRecords, NeedsNoAlignmentAndAcceptsNoBytes)
{
    std::vector<unsigned char> bytes(1, 0);
    Append(bytes, EventRecordBytes(1, 1000, L"Odd"));
    std::vector<scan::EventRecordFields> records = scan::WalkEventRecords(bytes.data() + 1, bytes.size() - 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].sourceName, L"Odd");
    EXPECT_TRUE(scan::WalkEventRecords(nullptr, 100).empty());
    EXPECT_TRUE(scan::WalkEventRecords(bytes.data(), 0).empty());
}

}  // namespace
