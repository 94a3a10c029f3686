#include "FindingDetails.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using app::FindingDetails;

namespace {

using Adds = std::vector<std::pair<std::wstring, std::wstring>>;

// Adds every pair to the details and to a std::map; both must answer alike throughout, and ids
// must name the details in the order they were first added.
void ExpectAsMap(const Adds& adds)
{
    FindingDetails details;
    std::map<std::wstring, std::wstring> model;
    std::vector<std::wstring> byId;
    for (const auto& [detail, extra] : adds) {
        ASSERT_EQ(details.Contains(detail), model.count(detail) != 0);
        const bool added = model.try_emplace(detail, extra).second;
        ASSERT_EQ(details.Add(detail, extra), added);
        if (added)
            byId.push_back(detail);
    }
    ASSERT_EQ(details.Size(), model.size());
    const auto ids = details.SortedIds();
    ASSERT_EQ(ids.size(), model.size());
    auto expected = model.begin();
    for (const FindingDetails::Id id : ids) {
        ASSERT_LT(id, byId.size());
        EXPECT_EQ(byId[id], expected->first);
        EXPECT_EQ(details.Detail(id), expected->first);
        EXPECT_EQ(details.Extra(id), expected->second);
        EXPECT_TRUE(details.Contains(expected->first));
        ++expected;
    }
    EXPECT_EQ(details.Detail(static_cast<FindingDetails::Id>(ids.size())), L"");
}

}  // namespace

TEST(FindingDetails, OrdersAndKeepsDetailsAsAMapOfTheWholeText)
{
    const std::wstring longFolder = L"C:\\" + std::wstring(150, L'd') + L"\\" + std::wstring(120, L'e') + L"\\";
    const struct {
        const char* name;
        Adds adds;
    } cases[] = {
        {"mixed case", {{L"C:\\T\\b.tmp", L"1"}, {L"C:\\T\\B.tmp", L"2"}, {L"C:\\t\\A.tmp", L"3"}, {L"C:\\T\\a.TMP", L"4"}}},
        {"Chinese names", {{L"C:\\临时\\文件.tmp", L"10"}, {L"C:\\临时\\甲.log", L"7"}, {L"C:\\Temp\\中.txt", L"0"},
                           {L"C:\\临时\\a", L"5"}}},
        {"long paths", {{longFolder + L"z.log", L"1"}, {longFolder + L"a.log", L"2"}, {longFolder + L"a.lo", L"3"},
                        {longFolder.substr(0, 140) + L"\\x", L"4"}}},
        {"subfolder between the parent's files",
         {{L"C:\\T\\a", L"1"}, {L"C:\\T\\z", L"2"}, {L"C:\\T\\sub\\a", L"3"}, {L"C:\\T\\sub", L"4"}, {L"C:\\T\\s", L"5"},
          {L"C:\\T\\sub\\", L"6"}, {L"C:\\T\\sub\\b\\c", L"7"}, {L"C:\\T\\sua", L"8"}}},
        {"events without a backslash",
         {{L"2026-12-09 10:00:00", L""}, {L"2026-01-01 09:00:00", L""}, {L"C:\\T\\a", L"1"}, {L"2026-12-09", L""}}},
        {"repeats keep the first extra",
         {{L"C:\\T\\a", L"1"}, {L"C:\\T\\a", L"2"}, {L"C:\\T\\b", L"3"}, {L"C:\\T\\a", L""}, {L"C:\\T\\b", L"4"}}},
        {"odd texts", {{L"", L"0"}, {L"\\", L"1"}, {L"C:\\T\\", L"2"}, {std::wstring(L"C:\\T\\a\0b", 8), L"3"},
                       {std::wstring(L"C:\\T\\a\0\\b", 9), std::wstring(L"\0", 1)}, {L"C:\\T\\\xD83D\xDE00", L"4"},
                       {L"C:\\T\\\xDC00", L"5"}, {L"C:\\T\\\xFFFF", L"6"}, {L"", L"7"}}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ExpectAsMap(test.adds);
    }
}

// Most rows hold one or two details (a crash time, a DLL): they must not each keep a page.
TEST(FindingDetails, AFewDetailsKeepAFewBytesAndTheFirstPagesGrowIntoWholeOnes)
{
    FindingDetails event;
    event.Add(L"2026-12-09 16:00:00", L"");
    EXPECT_LT(event.BytesKept(), 400u);
    FindingDetails junk;
    junk.Add(L"C:\\Users\\u\\AppData\\Local\\Temp\\a.tmp", L"4096");
    junk.Add(L"C:\\Users\\u\\AppData\\Local\\Temp\\b.tmp", L"1");
    EXPECT_LT(junk.BytesKept(), 800u);

    // Through the growing first pages into whole ones, with a text longer than a page between.
    Adds adds;
    for (int i = 0; i < 9000; ++i)
        adds.emplace_back(L"C:\\T\\" + std::wstring(i % 13 + 1, L'a' + i % 26) + std::to_wstring(i), L"7");
    adds.insert(adds.begin() + 20, {L"C:\\T\\" + std::wstring(70000, L'x'), std::wstring(300, L'9')});
    ExpectAsMap(adds);
}
