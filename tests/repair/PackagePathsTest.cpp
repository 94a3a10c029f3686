#include "PackagePaths.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using repair::PackagePathsFor;

TEST(PackagePaths, DerivesEveryPathFromTheLastUrlComponent)
{
    const repair::PackagePaths paths =
        PackagePathsFor(L"C:\\Users\\u\\AppData\\Roaming\\Zentarium\\", L"http://h/pkg/2015/vcredist_x86.7z");
    EXPECT_EQ(paths.fileName, L"vcredist_x86.7z");
    EXPECT_EQ(paths.localFile, L"C:\\Users\\u\\AppData\\Roaming\\Zentarium\\vcredist_x86.7z");
    EXPECT_EQ(paths.packageFolder, L"C:\\Users\\u\\AppData\\Roaming\\Zentarium\\vcredist_x86.7zdir\\");
    EXPECT_EQ(paths.logFile, L"C:\\Users\\u\\AppData\\Roaming\\Zentarium\\vcredist_x86.7z.log.txt");
}

TEST(PackagePaths, BackslashAlsoSeparatesAndAQueryStaysInTheName)
{
    EXPECT_EQ(PackagePathsFor(L"D:\\w\\", L"http://h/a\\b\\vc.exe").fileName, L"vc.exe");
    EXPECT_EQ(PackagePathsFor(L"D:\\w\\", L"http://h/get?f=/x/vc.exe").fileName, L"vc.exe");
    EXPECT_EQ(PackagePathsFor(L"D:\\w\\", L"http://h/get?id=3").fileName, L"get?id=3");
}

TEST(PackagePaths, UrlEndingInASeparatorGivesTheWorkDirectoryItself)
{
    const repair::PackagePaths paths = PackagePathsFor(L"D:\\w\\", L"http://h/pkg/");
    EXPECT_EQ(paths.fileName, L"");
    EXPECT_EQ(paths.localFile, L"D:\\w\\");
    EXPECT_EQ(paths.packageFolder, L"D:\\w\\dir\\");
    EXPECT_EQ(paths.logFile, L"D:\\w\\.log.txt");
}

TEST(PackagePaths, UrlWithoutSeparatorIsTheWholeName)
{
    EXPECT_EQ(PackagePathsFor(L"D:\\w\\", L"vc.exe").localFile, L"D:\\w\\vc.exe");
}

TEST(PackagePaths, DriveRootIsTheFirstThreeCharacters)
{
    EXPECT_EQ(repair::DriveRoot(L"C:\\Users\\u\\Zentarium\\"), L"C:\\");
    EXPECT_EQ(repair::DriveRoot(L"E:\\"), L"E:\\");
    EXPECT_EQ(repair::DriveRoot(L"E:"), L"E:");
    EXPECT_EQ(repair::DriveRoot(L""), L"");
}

TEST(PackagePaths, SystemFoldersStayOnTheWindowsDriveWhereverTheWorkDirectoryIs)
{
    wchar_t windows[MAX_PATH + 1] = {};
    ASSERT_GT(GetSystemWindowsDirectoryW(windows, MAX_PATH + 1), 3u);
    const std::wstring windowsRoot(windows, 3);
    ASSERT_EQ(windowsRoot, L"C:\\");
    EXPECT_EQ(repair::SystemDriveRoot(L"C:\\Users\\u\\Zentarium\\"), windowsRoot);
    EXPECT_EQ(repair::SystemDriveRoot(L"Z:\\home\\u\\Zentarium\\"), windowsRoot);
    EXPECT_EQ(repair::SystemDriveRoot(L"\\\\server\\profiles\\u\\Zentarium\\"), windowsRoot);
    EXPECT_EQ(repair::SystemDriveRoot(L""), windowsRoot);
}

}  // namespace
