#include "ArchiveItemName.h"

#include <gtest/gtest.h>

namespace {

using repair::IsSafeItemName;

TEST(ArchiveItemName, AcceptsNamesThatStayInsideThePackageFolder)
{
    for (const wchar_t* name : {L"msvcp140.dll", L"x64/msvcp140.dll", L"a/b/c/d.txt", L"a..b.dll", L"..hidden",
                                L"dots../x.dll", L"./here.dll", L"运行库/说明.txt", L"with space.dll", L"a//b.txt"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_TRUE(IsSafeItemName(name));
    }
}

TEST(ArchiveItemName, RefusesParentComponentsWithEitherSeparator)
{
    for (const wchar_t* name : {L"..", L"../evil.dll", L"x64/../../evil.dll", L"x64/..", L"..\\evil.dll",
                                L"x64\\..\\..\\evil.dll", L"x64/..\\evil.dll"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(IsSafeItemName(name));
    }
}

TEST(ArchiveItemName, RefusesComponentsThatWindowsTrimsToParent)
{
    for (const wchar_t* name : {L".../evil.dll", L".. /evil.dll", L"x64/. ./evil.dll", L"x64/...."}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(IsSafeItemName(name));
    }
}

TEST(ArchiveItemName, RefusesRootedDriveAndStreamNames)
{
    for (const wchar_t* name : {L"", L"/evil.dll", L"\\evil.dll", L"\\\\server\\share\\evil.dll", L"C:\\evil.dll",
                                L"C:/evil.dll", L"c:evil.dll", L"x64/a.dll:stream"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(IsSafeItemName(name));
    }
}

TEST(ArchiveItemName, RefusesDeviceNamesWithAnyExtensionInAnyComponent)
{
    for (const wchar_t* name : {L"CON", L"nul", L"Aux.txt", L"PRN.dll", L"lpt1.dll", L"COM9", L"com0.x.y", L"LPT\u00B9",
                                L"NUL ", L"con .txt", L"CONIN$", L"conout$.log", L"x64/nul.dll", L"aux/x.dll",
                                L"x64\\COM1\\a.dll"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_FALSE(IsSafeItemName(name));
    }
}

TEST(ArchiveItemName, AcceptsNamesThatOnlyLookLikeDevices)
{
    for (const wchar_t* name : {L"console.dll", L"nul_.txt", L"auxiliary.txt", L"com10.dll", L"lpt.dll", L"COMA",
                                L"x64/conx.dll", L"CON_/a.dll", L"xnul", L"a.con"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        EXPECT_TRUE(IsSafeItemName(name));
    }
}

}  // namespace
