#include "InstallDllFolder.h"

#include "ExtractArchive.h"
#include "PackageAction.h"
#include "RepairTestSupport.h"

#include <gtest/gtest.h>


namespace {

using repair_test::IsFile;
using repair_test::ReadText;
using repair_test::TempFolder;

constexpr const wchar_t* kInstalledNames[] = {L"zentest_reg_a.dll", L"zentest reg space.dll"};
constexpr wchar_t kSubFolderName[] = L"zentest_reg_sub.dll";
// Not in the package: left in its folder by someone else before the repair.
constexpr wchar_t kPlantedName[] = L"zentest_planted.dll";

// Installs the test DLL package into the real system folders of the prefix; what lands there
// and the registration markers are removed before and after each test.
class InstallDllFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Clean();
        paths_ = repair::PackagePathsFor(work_.Path(), L"http://h/zentest_dlls.7z");
        ASSERT_TRUE(repair_test::CopyFixture(L"dlls.7z", paths_.localFile));
        CreateDirectoryW(paths_.packageFolder.c_str(), nullptr);
    }
    void TearDown() override
    {
        // A registration still running would hold its file; let the markers settle first.
        for (const wchar_t* name : kInstalledNames)
            repair_test::WaitForRegistration(name, 5000);
        Clean();
    }
    void Clean()
    {
        for (const std::wstring& folder : {System32(), SysWow64()}) {
            for (const wchar_t* name : kInstalledNames)
                repair_test::RemoveSystemFile(folder + name);
            repair_test::RemoveSystemFile(folder + kSubFolderName);
            repair_test::RemoveSystemFile(folder + kPlantedName);
        }
        repair_test::ForgetRegistrations();
    }
    static std::wstring System32() { return repair_test::RealSystem32(); }
    static std::wstring RealSystem32Name() { return repair_test::DriveRootOfTemp() + L"windows\\system32\\"; }
    static std::wstring SysWow64() { return repair_test::DriveRootOfTemp() + L"windows\\syswow64\\"; }

    void Install(int32_t type)
    {
        repair::RunPackageAction(repair::PackageActionFor(type, paths_), paths_, repair::DriveRoot(work_.Path()));
    }

    // The registration names the folder by its real name, whatever this process calls it.
    void ExpectInstalledAndRegisteredIn(const std::wstring& folder, const std::wstring& realFolder)
    {
        const std::string dll = ReadText(repair_test::RepairFixture(L"zentest_reg.dll"));
        const bool registers = folder != System32() || repair_test::TestDllsRegisterFromSystem32();
        for (const wchar_t* name : kInstalledNames) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
            EXPECT_EQ(ReadText(folder + name), dll);
            if (!registers)
                continue;
            std::optional<std::wstring> registered = repair_test::WaitForRegistration(name);
            ASSERT_TRUE(registered.has_value());
            EXPECT_TRUE(repair_test::EqualNoCase(*registered, realFolder + name)) << testing::PrintToString(*registered);
        }
        EXPECT_FALSE(IsFile(folder + kSubFolderName));
        EXPECT_FALSE(repair_test::RegisteredPath(kSubFolderName).has_value());
    }

    TempFolder work_{L"dlls"};
    repair::PackagePaths paths_;
};

TEST_F(InstallDllFolderTest, Type14InstallsIntoSystem32AndRegistersEveryFile)
{
    Install(14);
    ExpectInstalledAndRegisteredIn(System32(), RealSystem32Name());
    EXPECT_TRUE(IsFile(paths_.packageFolder + L"x64\\zentest_reg_sub.dll"));
    EXPECT_FALSE(IsFile(SysWow64() + kInstalledNames[0]));
}

TEST_F(InstallDllFolderTest, Type13InstallsIntoSysWow64OfA64BitWindows)
{
    ASSERT_EQ(repair::NativeArchitecture(), repair::kArchitectureAmd64);
    Install(13);
    ExpectInstalledAndRegisteredIn(SysWow64(), SysWow64());
    EXPECT_FALSE(IsFile(System32() + kInstalledNames[0]));
}

TEST_F(InstallDllFolderTest, DllAlreadyPresentIsKeptButRegisteredAgain)
{
    const std::string present = ReadText(repair_test::RepairFixture(L"zentest_reg.dll")) + "kept by the test";
    const std::wstring folder = repair_test::NativeDllFolder();
    repair_test::WriteBytes(folder + kInstalledNames[0], present);
    Install(repair_test::NativeDllType());
    EXPECT_EQ(ReadText(folder + kInstalledNames[0]), present);
    std::optional<std::wstring> registered = repair_test::WaitForRegistration(kInstalledNames[0]);
    ASSERT_TRUE(registered.has_value());
    EXPECT_TRUE(repair_test::EqualNoCase(*registered, folder + kInstalledNames[0]));
}

TEST_F(InstallDllFolderTest, DllPlantedInThePackageFolderNeverReachesTheSystemFolder)
{
    ASSERT_TRUE(repair_test::CopyFixture(L"zentest_reg.dll", paths_.packageFolder + kPlantedName));
    ASSERT_TRUE(repair_test::CopyFixture(L"zentest_reg.dll", paths_.packageFolder + L"old\\zentest_old.dll"));
    SetFileAttributesW((paths_.packageFolder + kPlantedName).c_str(), FILE_ATTRIBUTE_READONLY);
    Install(14);
    ExpectInstalledAndRegisteredIn(System32(), RealSystem32Name());
    EXPECT_FALSE(IsFile(System32() + kPlantedName));
    EXPECT_FALSE(repair_test::RegisteredPath(kPlantedName).has_value());
    EXPECT_FALSE(IsFile(paths_.packageFolder + kPlantedName)) << "the unpacking starts from an empty folder";
    EXPECT_FALSE(repair_test::IsFolder(paths_.packageFolder + L"old"));
}

TEST_F(InstallDllFolderTest, TargetFolderGivenDirectlyGetsTheNamedFiles)
{
    ASSERT_EQ(repair::ExtractArchive(paths_.localFile, paths_.packageFolder), 0);
    TempFolder target(L"dll-target");
    repair::DllTarget direct{target.Path(), target.Path(), L"regsvr32.exe"};
    repair::InstallDllFolderTo(paths_.packageFolder, {kInstalledNames[0], kInstalledNames[1]}, direct);
    for (const wchar_t* name : kInstalledNames) {
        EXPECT_TRUE(IsFile(target.Path() + name));
        std::optional<std::wstring> registered = repair_test::WaitForRegistration(name);
        ASSERT_TRUE(registered.has_value());
        EXPECT_TRUE(repair_test::EqualNoCase(*registered, target.Path() + name));
    }
    EXPECT_FALSE(IsFile(target.Path() + kSubFolderName));
    EXPECT_FALSE(repair_test::IsFolder(target.Path() + L"x64"));
}

}  // namespace
