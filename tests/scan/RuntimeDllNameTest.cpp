#include "RuntimeDllName.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::wstring> kPrefixes = scan::RuntimePrefixes(0);

TEST(RuntimeDllName, PrefixesExistOnlyBeforeTheFirstRepair)
{
    std::vector<std::wstring> expected = {L"vccorlib", L"msvcr", L"msvcp", L"mfc", L"vcomp", L"vcruntime"};
    EXPECT_EQ(scan::RuntimePrefixes(0), expected);
    EXPECT_TRUE(scan::RuntimePrefixes(1).empty());
    EXPECT_TRUE(scan::RuntimePrefixes(0xFFFFFFFFu).empty());
}

TEST(RuntimeDllName, VersionedRuntimeNamesAreFlagged)
{
    for (const wchar_t* name : {L"msvcp140.dll", L"msvcr120.dll", L"vcomp140.dll", L"vcruntime140.dll",
                                L"vccorlib140.dll", L"mfc140.dll", L"msvcp100.dll"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_TRUE(scan::IsRuntimeDll(name, kPrefixes));
    }
}

TEST(RuntimeDllName, HelperAndOldNamesAreNotFlagged)
{
    for (const wchar_t* name : {L"mfc140u.dll", L"msvcp140_1.dll", L"vcruntime140_1.dll", L"msvcr71.dll",
                                L"kernel32.dll", L"msvcp140.dll.bak", L"", L"mfc"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(scan::IsRuntimeDll(name, kPrefixes));
    }
}

TEST(RuntimeDllName, MatchingIgnoresCase)
{
    EXPECT_TRUE(scan::IsRuntimeDll(L"MSVCP140.DLL", kPrefixes));
    EXPECT_TRUE(scan::IsRuntimeDll(L"VCRuntime140.Dll", kPrefixes));
    EXPECT_FALSE(scan::IsRuntimeDll(L"MFC140U.DLL", kPrefixes));
}

TEST(RuntimeDllName, ThePrefixMayStandAnywhereInTheName)
{
    // Substring, not start: "xmfc14.dll" is "mfc" + 7 units long and holds "mfc".
    EXPECT_TRUE(scan::IsRuntimeDll(L"xmfc14.dll", kPrefixes));
}

TEST(RuntimeDllName, NothingIsFlaggedWithoutPrefixes)
{
    EXPECT_FALSE(scan::IsRuntimeDll(L"msvcp140.dll", scan::RuntimePrefixes(1700000000)));
}

TEST(RuntimeDllName, LowerCasingIsInvariantAndKeepsTheLength)
{
    EXPECT_EQ(scan::LowerCase(L"MSVCP140.DLL"), L"msvcp140.dll");
    // The invariant mapping: 'I' is 'i' whatever the user's locale (not a dotless i).
    EXPECT_EQ(scan::LowerCase(L"VCRUNTIME"), L"vcruntime");
    EXPECT_EQ(scan::LowerCase(L"ÄÖÜ库.DLL"), L"äöü库.dll");
    EXPECT_EQ(scan::LowerCase(L""), L"");
    std::wstring withNul(L"A\0B", 3);
    EXPECT_EQ(scan::LowerCase(withNul), std::wstring(L"a\0b", 3));
}

}  // namespace
