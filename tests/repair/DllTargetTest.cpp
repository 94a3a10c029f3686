#include "DllTarget.h"
#include "InstallDllFolder.h"
#include "RepairTestSupport.h"
#include "SystemProgram.h"

#include <gtest/gtest.h>

namespace {

using repair::ChooseDllTarget;
using repair::DllTarget;

constexpr WORD kX86 = PROCESSOR_ARCHITECTURE_INTEL;
constexpr WORD kArm = PROCESSOR_ARCHITECTURE_ARM;
constexpr WORD kArm64 = 12;
constexpr WORD kUnknown = PROCESSOR_ARCHITECTURE_UNKNOWN;

// Never the bare name, which the search would find first in the exe's or the current folder.
const std::wstring kSystemRegsvr32 = L"\"C:\\windows\\system32\\regsvr32.exe\"";

void ExpectTarget(const DllTarget& target, const std::wstring& copy, const std::wstring& registered,
                  const std::wstring& regsvr32)
{
    EXPECT_EQ(target.copyFolder, copy);
    EXPECT_EQ(target.registerFolder, registered);
    EXPECT_EQ(target.regsvr32, regsvr32);
}

TEST(DllTarget, OddTypesGoToSysWow64OnlyOnAmd64AndIa64)
{
    for (WORD architecture : {repair::kArchitectureAmd64, repair::kArchitectureIa64}) {
        for (bool wow64 : {false, true}) {
            SCOPED_TRACE(testing::Message() << architecture << " wow64=" << wow64);
            ExpectTarget(ChooseDllTarget(L"C:\\", false, architecture, wow64), L"C:\\windows\\syswow64\\",
                         L"C:\\windows\\syswow64\\", kSystemRegsvr32);
        }
    }
    for (WORD architecture : {kX86, kArm, kArm64, kUnknown}) {
        SCOPED_TRACE(architecture);
        ExpectTarget(ChooseDllTarget(L"D:\\", false, architecture, false), L"D:\\windows\\system32\\",
                     L"D:\\windows\\system32\\", kSystemRegsvr32);
    }
}

TEST(DllTarget, EvenTypesGoToSystem32OnEveryMachine)
{
    for (WORD architecture : {repair::kArchitectureAmd64, repair::kArchitectureIa64, kX86, kArm64, kUnknown}) {
        SCOPED_TRACE(architecture);
        ExpectTarget(ChooseDllTarget(L"C:\\", true, architecture, false), L"C:\\windows\\system32\\",
                     L"C:\\windows\\system32\\", kSystemRegsvr32);
    }
}

TEST(DllTarget, A32BitProcessReachesThe64BitSystem32ThroughSysnative)
{
    ExpectTarget(ChooseDllTarget(L"C:\\", true, repair::kArchitectureAmd64, true), L"C:\\windows\\sysnative\\",
                 L"C:\\windows\\system32\\", L"\"C:\\windows\\sysnative\\regsvr32.exe\"");
    // On ARM64 the odd types stay with the redirected text, which lands in its syswow64.
    ExpectTarget(ChooseDllTarget(L"C:\\", false, kArm64, true), L"C:\\windows\\system32\\",
                 L"C:\\windows\\system32\\", kSystemRegsvr32);
}

TEST(SystemProgram, IsNamedByItsFullPathInTheSystemFolder)
{
    EXPECT_TRUE(repair_test::EqualNoCase(repair::SystemProgram(L"msiexec.exe"), L"C:\\windows\\system32\\msiexec.exe"));
}

TEST(DllTarget, RegistrationCommandQuotesThePath)
{
    const DllTarget native = ChooseDllTarget(L"C:\\", true, repair::kArchitectureAmd64, false);
    EXPECT_EQ(repair::RegistrationCommand(native, L"my lib.dll"),
              kSystemRegsvr32 + L" /s \"C:\\windows\\system32\\my lib.dll\"");
    const DllTarget redirected = ChooseDllTarget(L"C:\\", true, repair::kArchitectureAmd64, true);
    EXPECT_EQ(repair::RegistrationCommand(redirected, L"msvcp140.dll"),
              L"\"C:\\windows\\sysnative\\regsvr32.exe\" /s \"C:\\windows\\system32\\msvcp140.dll\"");
}

TEST(DllTarget, ThisMachineIsA64BitWindowsSeenByA64BitProcess)
{
#if defined(_WIN64)
    EXPECT_EQ(repair::NativeArchitecture(), repair::kArchitectureAmd64);
    EXPECT_FALSE(repair::RunsUnderWow64());
#else
    GTEST_SKIP() << "the 32-bit tests cannot run under this Wine";
#endif
}

}  // namespace
