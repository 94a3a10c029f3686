// The built Zentarium.exe, opened as a data file, carries the resources the system relies on.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TestPaths.h"

namespace {

class ExeResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring exe = testing_paths::ExeFolder() + L"Zentarium.exe";
        module_ = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot open Zentarium.exe, error " << GetLastError();
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    std::string ResourceText(const wchar_t* type, int id) const
    {
        HRSRC info = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!info)
            return {};
        HGLOBAL data = LoadResource(module_, info);
        return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module_, info));
    }

    HMODULE module_ = nullptr;
};

TEST_F(ExeResources, ManifestAsksForAdministratorAndDeclaresDpiAwareness)
{
    std::string manifest = ResourceText(MAKEINTRESOURCEW(24), 1);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find(R"(requestedExecutionLevel level="requireAdministrator")"), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

TEST_F(ExeResources, String103IsTheChineseTitle)
{
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(module_, 103, text, 64), 0);
    EXPECT_STREQ(text, L"DLL错误修复工具");
}

TEST_F(ExeResources, IconGroup101HasLargeAndSmallImages)
{
    ASSERT_NE(FindResourceW(module_, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(14)), nullptr);
    for (int size : {16, 32, 48}) {
        HANDLE icon = LoadImageW(module_, MAKEINTRESOURCEW(101), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(ExeResources, SkinIsXmlResource100WithCrlfLineEnds)
{
    std::string skin = ResourceText(L"XML", 100);
    ASSERT_FALSE(skin.empty());
    EXPECT_EQ(skin.rfind("<?xml", 0), 0u);
    EXPECT_NE(skin.find("encoding=\"GBK\""), std::string::npos);
    size_t lineFeeds = 0;
    for (size_t i = 0; i < skin.size(); ++i) {
        if (skin[i] == '\n') {
            ++lineFeeds;
            EXPECT_TRUE(i > 0 && skin[i - 1] == '\r') << "bare line feed at byte " << i;
        }
    }
    EXPECT_GT(lineFeeds, 2u);
}

}  // namespace
