// The built Zentarium.exe, opened as a data file, carries the resources the system relies on.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ExeModule.h"

namespace {

class ExeResources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(exe_.Get(), nullptr) << "cannot open Zentarium.exe"; }

    ExeModule exe_;
};

TEST_F(ExeResources, ManifestAsksForAdministratorAndDeclaresDpiAwareness)
{
    std::string manifest = exe_.Bytes(MAKEINTRESOURCEW(24), 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find(R"(requestedExecutionLevel level="requireAdministrator")"), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

TEST_F(ExeResources, String103IsTheChineseTitle)
{
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(exe_.Get(), 103, text, 64), 0);
    EXPECT_STREQ(text, L"DLL错误修复工具");
}

TEST_F(ExeResources, IconGroup101HasLargeAndSmallImages)
{
    ASSERT_NE(FindResourceW(exe_.Get(), MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(14)), nullptr);
    for (int size : {16, 32, 48}) {
        HANDLE icon = LoadImageW(exe_.Get(), MAKEINTRESOURCEW(101), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
