#include "PackageAction.h"

#include "ExtractArchive.h"
#include "Launch.h"
#include "RepairTestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>


namespace {

using repair::PackageAction;
using repair::PackageActionFor;
using repair::PackageKind;
using repair::PackagePaths;
using repair_test::IsFile;
using repair_test::ReadText;
using repair_test::TempFolder;

const PackagePaths kPaths = repair::PackagePathsFor(L"C:\\w\\", L"http://h/vc.exe");

TEST(PackageActionTable, MsiArchiveTypesRunMsiexecOnTheUnpackedPackage)
{
    for (int32_t type : {1, 2}) {
        const PackageAction action = PackageActionFor(type, kPaths);
        EXPECT_EQ(action.kind, PackageKind::MsiArchive);
        EXPECT_TRUE(repair_test::EqualNoCase(action.program, L"C:\\windows\\system32\\msiexec.exe"))
            << testing::PrintToString(action.program);
        EXPECT_EQ(action.parameters, L"/quiet /i \"C:\\w\\vc.exedir\\vcredist.msi\"");
    }
}

TEST(PackageActionTable, InstallerTypesRunTheDownloadWithTheirQuietOptions)
{
    const std::wstring log = L"\"C:\\w\\vc.exe.log.txt\"";
    const std::pair<std::vector<int32_t>, std::wstring> groups[] = {
        {{3, 4}, L"/q /l " + log},
        {{5, 6}, L"/q /norestart /log " + log},
        {{7, 8, 9, 10, 11, 12}, L"/quiet /repair /norestart /log " + log},
    };
    for (const auto& [types, parameters] : groups) {
        for (int32_t type : types) {
            SCOPED_TRACE(type);
            const PackageAction action = PackageActionFor(type, kPaths);
            EXPECT_EQ(action.kind, PackageKind::Installer);
            EXPECT_EQ(action.program, L"C:\\w\\vc.exe");
            EXPECT_EQ(action.parameters, parameters);
        }
    }
}

TEST(PackageActionTable, DllArchiveTypesChooseTheirSystemFolder)
{
    for (int32_t type : {13, 15, 17, 14, 16, 18}) {
        SCOPED_TRACE(type);
        const PackageAction action = PackageActionFor(type, kPaths);
        EXPECT_EQ(action.kind, PackageKind::DllArchive);
        EXPECT_EQ(action.useSystem32, type % 2 == 0);
        EXPECT_TRUE(action.program.empty());
    }
}

TEST(PackageActionTable, OtherTypesHaveNoAction)
{
    for (int32_t type : {0, 19, -1, 100, INT32_MIN, INT32_MAX})
        EXPECT_EQ(PackageActionFor(type, kPaths).kind, PackageKind::None) << type;
}

// The stand-in installer records its arguments in "<exe>.args.txt".
class InstallerRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths_ = repair::PackagePathsFor(work_.Path(), L"http://h/zentest_setup.exe");
        ASSERT_TRUE(repair_test::CopyFixture(L"zentest_setup.exe", paths_.localFile));
    }
    std::wstring ArgsFile() const { return paths_.localFile + L".args.txt"; }
    // The log path as the installer sees it: UTF-8, between double quotes.
    std::string QuotedLog() const
    {
        const std::wstring& log = paths_.logFile;
        int length = WideCharToMultiByte(CP_UTF8, 0, log.data(), static_cast<int>(log.size()), nullptr, 0,
                                         nullptr, nullptr);
        std::string quoted(static_cast<size_t>(length) + 2, '"');
        WideCharToMultiByte(CP_UTF8, 0, log.data(), static_cast<int>(log.size()), quoted.data() + 1, length,
                            nullptr, nullptr);
        return quoted;
    }
    std::string RunType(int32_t type)
    {
        DeleteFileW(ArgsFile().c_str());
        repair::RunPackageAction(PackageActionFor(type, paths_), paths_, repair::DriveRoot(work_.Path()));
        return ReadText(ArgsFile());
    }

    TempFolder work_{L"installer"};
    PackagePaths paths_;
};

TEST_F(InstallerRunTest, InstallerReceivesExactlyItsQuietArgumentsAndIsWaitedFor)
{
    const std::string log = QuotedLog();
    EXPECT_EQ(RunType(3), "/q /l " + log);
    EXPECT_EQ(RunType(6), "/q /norestart /log " + log);
    EXPECT_EQ(RunType(7), "/quiet /repair /norestart /log " + log);
    EXPECT_EQ(RunType(12), "/quiet /repair /norestart /log " + log);
}

TEST_F(InstallerRunTest, TypesWithoutActionRunNothing)
{
    for (int32_t type : {0, 19}) {
        RunType(type);
        EXPECT_FALSE(IsFile(ArgsFile())) << type;
    }
}

TEST_F(InstallerRunTest, PackageInAChineseFolderStillGetsItsQuotedLog)
{
    const std::wstring folder = work_.Path() + L"运行 库\\";
    paths_ = repair::PackagePathsFor(folder, L"http://h/zentest_setup.exe");
    ASSERT_TRUE(repair_test::CopyFixture(L"zentest_setup.exe", paths_.localFile));
    EXPECT_EQ(RunType(5), "/q /norestart /log " + QuotedLog());
}

TEST(Launch, FileThatIsNoProgramFailsAtOnceWithoutADialog)
{
    TempFolder work(L"launch");
    const std::wstring unknown = work.Path() + L"package.zentestbin";
    const std::wstring broken = work.Path() + L"broken.exe";
    repair_test::WriteBytes(unknown, "not a program");
    repair_test::WriteBytes(broken, std::string(4096, 'x'));
    EXPECT_FALSE(repair::Launch(unknown, L"/q"));
    EXPECT_FALSE(repair::Launch(broken, L"/q"));
    EXPECT_FALSE(repair::Launch(work.Path() + L"missing.exe", L"/q"));
}

constexpr wchar_t kMarkerProductCode[] = L"{E37FC15E-168F-45C4-8667-309A62A6E2E4}";

std::wstring MarkerFolder()
{
    wchar_t data[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, data);
    return std::wstring(data) + L"\\ZentariumTestMarker\\";
}

// The test MSI is installed per machine; every run removes it again, whatever the test did.
class MsiPackageTest : public ::testing::Test {
protected:
    void SetUp() override { Uninstall(); }
    void TearDown() override { Uninstall(); }
    static void Uninstall()
    {
        repair_test::RunAndWait(std::wstring(L"msiexec.exe /x ") + kMarkerProductCode + L" /quiet", 120000);
        repair_test::RemoveTree(MarkerFolder());
    }

    TempFolder work_{L"msi"};
};

TEST_F(MsiPackageTest, Type1UnpacksTheArchiveAndMsiexecInstallsIt)
{
    ASSERT_FALSE(IsFile(MarkerFolder() + L"marker.txt"));
    const PackagePaths paths = repair::PackagePathsFor(work_.Path(), L"http://h/vcredist_x64.7z");
    ASSERT_TRUE(repair_test::CopyFixture(L"vcredist.7z", paths.localFile));
    CreateDirectoryW(paths.packageFolder.c_str(), nullptr);
    repair::RunPackageAction(PackageActionFor(1, paths), paths, repair::DriveRoot(work_.Path()));
    EXPECT_TRUE(IsFile(paths.packageFolder + L"vcredist.msi"));
    EXPECT_EQ(ReadText(MarkerFolder() + L"marker.txt"), "installed by the repair test package\r\n");
}

TEST_F(MsiPackageTest, ArchiveWithoutTheMsiRunsNoMsiThatSomeoneLeftInItsFolder)
{
    const PackagePaths paths = repair::PackagePathsFor(work_.Path(), L"http://h/other.7z");
    ASSERT_TRUE(repair_test::CopyFixture(L"nested.7z", paths.localFile));
    // A working package, planted where the archive would have put its own.
    TempFolder source(L"msi-source");
    ASSERT_EQ(repair::ExtractArchive(repair_test::RepairFixture(L"vcredist.7z"), source.Path()), 0);
    CreateDirectoryW(paths.packageFolder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW((source.Path() + L"vcredist.msi").c_str(), (paths.packageFolder + L"vcredist.msi").c_str(),
                          FALSE));
    repair::RunPackageAction(PackageActionFor(2, paths), paths, repair::DriveRoot(work_.Path()));
    EXPECT_TRUE(IsFile(paths.packageFolder + L"readonly.txt"));
    EXPECT_FALSE(IsFile(paths.packageFolder + L"vcredist.msi"));
    EXPECT_FALSE(IsFile(MarkerFolder() + L"marker.txt"));
}

}  // namespace
