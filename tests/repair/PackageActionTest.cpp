#include "PackageAction.h"

#include "ExtractArchive.h"
#include "Launch.h"
#include "RepairTestSupport.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cctype>
#include <vector>


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
void UninstallMarkerPackage()
{
    repair_test::RunAndWait(std::wstring(L"msiexec.exe /x ") + kMarkerProductCode + L" /quiet", 120000);
    repair_test::RemoveTree(MarkerFolder());
}

class MsiPackageTest : public ::testing::Test {
protected:
    void SetUp() override { UninstallMarkerPackage(); }
    void TearDown() override { UninstallMarkerPackage(); }

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

// What a package run leaves where it was run: the installer's arguments file, the MSI's marker,
// or the archive's DLLs in the system folder.
enum class Trace { InstallerArgs, MsiMarker, SystemDlls };

struct TrustCase {
    const wchar_t* fixture = L"";
    Trace trace = Trace::InstallerArgs;
    std::vector<std::wstring> dlls;  // SystemDlls
    bool repaired = false;
};

void PrintTo(const TrustCase& trustCase, std::ostream* out)
{
    for (const wchar_t* c = trustCase.fixture; *c; ++c)
        *out << static_cast<char>(*c);
}

class PackageTrustTest : public ::testing::TestWithParam<TrustCase> {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean()
    {
        if (GetParam().trace == Trace::MsiMarker)
            UninstallMarkerPackage();
        for (const std::wstring& name : GetParam().dlls)
            repair_test::RemoveSystemFile(repair_test::NativeDllFolder() + name);
        repair_test::ForgetRegistrations();
    }
    int32_t Type() const
    {
        switch (GetParam().trace) {
        case Trace::InstallerArgs:
            return 7;
        case Trace::MsiMarker:
            return 1;
        case Trace::SystemDlls:
            break;
        }
        return repair_test::NativeDllType();
    }
    std::vector<std::wstring> Traces(const PackagePaths& paths) const
    {
        switch (GetParam().trace) {
        case Trace::InstallerArgs:
            return {paths.localFile + L".args.txt"};
        case Trace::MsiMarker:
            return {MarkerFolder() + L"marker.txt"};
        case Trace::SystemDlls:
            break;
        }
        std::vector<std::wstring> inSystemFolder;
        for (const std::wstring& name : GetParam().dlls)
            inSystemFolder.push_back(repair_test::NativeDllFolder() + name);
        return inSystemFolder;
    }

    TempFolder work_{L"trust"};
};

TEST_P(PackageTrustTest, OnlyPackagesOfATrustedSignerRunOrReachTheSystemFolder)
{
    const TrustCase& trustCase = GetParam();
    const PackagePaths paths = repair::PackagePathsFor(work_.Path(), std::wstring(L"http://h/") + trustCase.fixture);
    ASSERT_TRUE(repair_test::CopyFixture(trustCase.fixture, paths.localFile));
    CreateDirectoryW(paths.packageFolder.c_str(), nullptr);
    const std::vector<std::wstring> traces = Traces(paths);
    for (const std::wstring& trace : traces)
        ASSERT_FALSE(IsFile(trace)) << testing::PrintToString(trace);

    EXPECT_EQ(repair::RunPackageAction(PackageActionFor(Type(), paths), paths, repair::DriveRoot(work_.Path())),
              trustCase.repaired);
    for (const std::wstring& trace : traces)
        EXPECT_EQ(IsFile(trace), trustCase.repaired) << testing::PrintToString(trace);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackageTrustTest,
    ::testing::Values(TrustCase{L"zentest_setup.exe", Trace::InstallerArgs, {}, true},
                      TrustCase{L"setup_unsigned.exe", Trace::InstallerArgs, {}, false},
                      TrustCase{L"setup_tampered.exe", Trace::InstallerArgs, {}, false},
                      TrustCase{L"setup_untrusted_root.exe", Trace::InstallerArgs, {}, false},
                      TrustCase{L"setup_unknown_issuer.exe", Trace::InstallerArgs, {}, false},
                      TrustCase{L"setup_unlisted.exe", Trace::InstallerArgs, {}, false},
                      TrustCase{L"vcredist.7z", Trace::MsiMarker, {}, true},
                      TrustCase{L"vcredist_unsigned.7z", Trace::MsiMarker, {}, false},
                      TrustCase{L"dlls.7z", Trace::SystemDlls, {L"zentest_reg_a.dll", L"zentest reg space.dll"}, true},
                      TrustCase{L"dlls_unsigned.7z", Trace::SystemDlls, {L"zentest_trust_unsigned.dll"}, false},
                      TrustCase{L"dlls_tampered.7z", Trace::SystemDlls, {L"zentest_trust_tampered.dll"}, false},
                      TrustCase{L"dlls_partly.7z", Trace::SystemDlls, {L"zentest_trust_a.dll", L"zentest_trust_b.dll"},
                                false}),
    [](const testing::TestParamInfo<TrustCase>& param) {
        std::string name;
        for (const wchar_t* c = param.param.fixture; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? static_cast<char>(*c) : '_';
        return name;
    });
