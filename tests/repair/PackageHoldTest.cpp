#include "PackageHold.h"

#include "RepairTestSupport.h"

#include <gtest/gtest.h>

namespace {

using repair::HoldVerifiedPackage;
using repair_test::IsFile;
using repair_test::TempFolder;
using repair_test::WriteBytes;

constexpr char kAbcDigest[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

TEST(PackageHold, VerifiedPackageCannotBeChangedReplacedOrRemovedWhileHeld)
{
    TempFolder work(L"hold");
    const std::wstring package = work.Path() + L"vc.exe";
    WriteBytes(package, "abc");
    FileHandle held = HoldVerifiedPackage(package, kAbcDigest);
    ASSERT_TRUE(held.Valid());
    EXPECT_TRUE(repair_test::IsHeldAgainstChange(package));
    held.Reset();
    EXPECT_FALSE(repair_test::IsHeldAgainstChange(package));
}

TEST(PackageHold, PackageWithAnotherDigestIsDeletedAndNotHeld)
{
    TempFolder work(L"hold-wrong");
    const std::wstring package = work.Path() + L"vc.exe";
    WriteBytes(package, "abd");
    EXPECT_FALSE(HoldVerifiedPackage(package, kAbcDigest).Valid());
    EXPECT_FALSE(IsFile(package));
}

TEST(PackageHold, WithoutADigestThePackageIsHeldUnchecked)
{
    TempFolder work(L"hold-none");
    const std::wstring package = work.Path() + L"vc.exe";
    WriteBytes(package, "anything");
    EXPECT_TRUE(HoldVerifiedPackage(package, "").Valid());
    EXPECT_FALSE(HoldVerifiedPackage(work.Path() + L"missing.exe", "").Valid());
}

}  // namespace
