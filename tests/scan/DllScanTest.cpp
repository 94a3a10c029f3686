#include "DllScan.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ModelResultList.h"
#include "SharedDllsValues.h"

namespace {

using scan_testing::ModelCategoryEntry;
using scan_testing::ModelResultList;
using scan_testing::KeyExists;
using scan_testing::SharedDllsValues;
using scan_testing::ValueCount;

bool HasNote(const ModelResultList& list, const std::wstring& fileName)
{
    return std::count(list.notes.begin(), list.notes.end(), L"文件正常 " + fileName) > 0;
}

std::vector<std::wstring> Groups(const ModelResultList& list)
{
    std::vector<std::wstring> groups;
    for (const scan_testing::ModelRow& row : list.rows)
        groups.push_back(row.group);
    return groups;
}

class DllScan : public ::testing::Test {
protected:
    void Scan(uint32_t lastRepairTime)
    {
        scan::ScanSharedDlls(scan::CheckTarget{&list, &entry}, lastRepairTime, queue);
        posted = queue.PendingCount();
        queue.Drain();
    }

    ModelResultList list;
    ModelCategoryEntry entry;
    scan::UpdateQueue queue;
    size_t posted = 0;
};

const wchar_t* const kFlagged[] = {L"msvcp140.dll", L"vcruntime140.dll", L"vccorlib140.dll", L"mfc140.dll",
                                   L"MSVCR120.DLL"};
const wchar_t* const kNotFlagged[] = {L"mfc140u.dll", L"msvcp140_1.dll", L"vcruntime140_1.dll", L"msvcr71.dll"};

TEST_F(DllScan, SixtyFourBitViewListsEveryValueAndFlagsTheRuntimeDlls)
{
    SharedDllsValues values(KEY_WOW64_64KEY);
    for (const wchar_t* name : kFlagged)
        ASSERT_TRUE(values.Add(std::wstring(L"C:\\Windows\\System32\\") + name));
    for (const wchar_t* name : kNotFlagged)
        ASSERT_TRUE(values.Add(std::wstring(L"C:/Program Files/App/") + name));
    ASSERT_TRUE(values.Add(L"C:\\Windows\\System32\\odd folder\\"));

    Scan(0);
    EXPECT_EQ(posted, ValueCount(KEY_WOW64_64KEY));
    for (const wchar_t* name : kFlagged)
        EXPECT_TRUE(HasNote(list, name)) << testing::PrintToString(std::wstring(name));
    for (const wchar_t* name : kNotFlagged)
        EXPECT_TRUE(HasNote(list, name)) << testing::PrintToString(std::wstring(name));
    EXPECT_TRUE(HasNote(list, L""));

    std::vector<std::wstring> groups = Groups(list);
    std::sort(groups.begin(), groups.end());
    std::vector<std::wstring> expected(std::begin(kFlagged), std::end(kFlagged));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(groups, expected);
    for (const scan_testing::ModelRow& row : list.rows)
        EXPECT_EQ(row.rowStyle, scan::kDllRow);
    EXPECT_EQ(entry.count, 5);
}

TEST_F(DllScan, TheSameFileUnderTwoPathsGivesTwoNotesAndOneCountedRow)
{
    SharedDllsValues values(KEY_WOW64_64KEY);
    ASSERT_TRUE(values.Add(L"C:\\Windows\\System32\\msvcp140.dll"));
    ASSERT_TRUE(values.Add(L"D:\\Tools\\bin\\msvcp140.dll"));
    Scan(0);
    EXPECT_EQ(std::count(list.notes.begin(), list.notes.end(), L"文件正常 msvcp140.dll"), 2);
    EXPECT_EQ(Groups(list), std::vector<std::wstring>{L"msvcp140.dll"});
    EXPECT_EQ(entry.count, 1);
}

TEST_F(DllScan, NothingIsFlaggedOnceARepairHasFinished)
{
    SharedDllsValues values(KEY_WOW64_64KEY);
    for (const wchar_t* name : kFlagged)
        ASSERT_TRUE(values.Add(std::wstring(L"C:\\Windows\\System32\\") + name));
    Scan(1700000000);
    for (const wchar_t* name : kFlagged)
        EXPECT_TRUE(HasNote(list, name));
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(entry.setCountCalls, 0);
}

TEST_F(DllScan, ThirtyTwoBitViewIsReadOnlyWhenTheSixtyFourBitViewGivesNothing)
{
    ASSERT_EQ(ValueCount(KEY_WOW64_64KEY), 0u) << "the prefix registers shared DLLs of its own";
    SharedDllsValues values32(KEY_WOW64_32KEY);
    ASSERT_TRUE(values32.Add(L"C:\\Windows\\SysWOW64\\vcruntime140.dll"));
    ASSERT_EQ(ValueCount(KEY_WOW64_64KEY), 0u) << "the two views are not separate";
    Scan(0);
    EXPECT_TRUE(HasNote(list, L"vcruntime140.dll"));
    EXPECT_EQ(Groups(list), std::vector<std::wstring>{L"vcruntime140.dll"});

    SharedDllsValues values64(KEY_WOW64_64KEY);
    ASSERT_TRUE(values64.Add(L"C:\\Windows\\System32\\mfc140.dll"));
    ModelResultList second;
    scan::ScanSharedDlls(scan::CheckTarget{&second, &entry}, 0, queue);
    queue.Drain();
    EXPECT_EQ(second.notes, std::vector<std::wstring>{L"文件正常 mfc140.dll"});
}

TEST_F(DllScan, ANameLongerThanTheBufferEndsThePassWithoutACrash)
{
    SharedDllsValues values(KEY_WOW64_64KEY);
    // Named so that both creation order and sorted order put the long name in the middle.
    ASSERT_TRUE(values.Add(L"C:\\a\\msvcp140.dll"));
    ASSERT_TRUE(values.Add(L"C:\\b\\" + std::wstring(600, L'x') + L"\\vcomp140.dll"));
    ASSERT_TRUE(values.Add(L"C:\\c\\vcruntime140.dll"));
    Scan(0);
    EXPECT_TRUE(HasNote(list, L"msvcp140.dll"));
    EXPECT_FALSE(HasNote(list, L"vcomp140.dll"));
    EXPECT_FALSE(HasNote(list, L"vcruntime140.dll"));
}

TEST_F(DllScan, NameOfExactlyTheBufferLimitIsStillRead)
{
    SharedDllsValues values(KEY_WOW64_64KEY);
    std::wstring name = L"C:\\" + std::wstring(511 - 3 - 13, L'y') + L"\\msvcp140.dll";
    ASSERT_EQ(name.size(), 511u);
    ASSERT_TRUE(values.Add(name));
    Scan(0);
    EXPECT_TRUE(HasNote(list, L"msvcp140.dll"));
}

TEST_F(DllScan, MissingKeyPostsNothing)
{
    if (KeyExists(KEY_WOW64_64KEY) || KeyExists(KEY_WOW64_32KEY))
        GTEST_SKIP() << "the prefix has a SharedDlls key of its own";
    Scan(0);
    EXPECT_EQ(posted, 0u);
    EXPECT_TRUE(list.notes.empty());
}

}  // namespace
