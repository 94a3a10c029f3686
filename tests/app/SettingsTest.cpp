#include "Settings.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>

#include "PathUtils.h"
#include "UniqueHandle.h"
#include "UniqueTempFolder.h"

namespace {

constexpr wchar_t kKeyWithoutSlash[] = L"SOFTWARE\\Zentarium";

void DeleteSettingsKey()
{
    RegDeleteKeyW(HKEY_CURRENT_USER, kKeyWithoutSlash);
}

RegistryKey CreateSettingsKey()
{
    RegistryKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, kKeyWithoutSlash, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                    nullptr);
    return key;
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring AppDataFolder()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE);
    return folder;
}

void WriteFileTime(const std::wstring& workDirectory, const wchar_t* text)
{
    WritePrivateProfileStringW(L"config", L"last_xiufu_time", text,
                               settings::SettingsFilePath(workDirectory).c_str());
}

// Every test starts without the settings key and with a private work directory.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsKey();
        folder_ = settings::TempFolder() + L"zentarium-settings-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        DeleteSettingsKey();
        std::filesystem::remove_all(std::filesystem::path(folder_));
    }

    std::wstring folder_;
};

TEST_F(SettingsStore, StoreWritesTheSameCurrentTimeToRegistryAndFile)
{
    uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    uint32_t stored = settings::StoreLastRepairTime(folder_);
    uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_GE(stored, before);
    EXPECT_LE(stored, after);

    RegistryKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kKeyWithoutSlash, 0, KEY_QUERY_VALUE, key.Receive()), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"last_xiufu_time", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, stored);

    wchar_t text[32] = {};
    GetPrivateProfileStringW(L"config", L"last_xiufu_time", L"", text, 32, (folder_ + L"pcdat.ini").c_str());
    EXPECT_EQ(text, std::to_wstring(stored));
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), stored);
}

TEST_F(SettingsStore, RegistryCopyWinsOverTheFileWhenTheKeyOpens)
{
    settings::WriteLastRepairTime(folder_, 1700000000);
    WriteFileTime(folder_, L"1600000000");
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 1700000000u);
}

TEST_F(SettingsStore, FileSuppliesTheTimeWhenTheKeyIsGone)
{
    settings::WriteLastRepairTime(folder_, 1700000000);
    DeleteSettingsKey();
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 1700000000u);
}

TEST_F(SettingsStore, TimesPastTheSignedRangeSurviveTheFileRoundTrip)
{
    settings::WriteLastRepairTime(folder_, 0xF0000000u);
    DeleteSettingsKey();
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 0xF0000000u);
}

TEST_F(SettingsStore, KeyWithoutTheValueGivesZeroEvenWhenTheFileHoldsATime)
{
    WriteFileTime(folder_, L"1700000000");
    ASSERT_TRUE(CreateSettingsKey().Valid());
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 0u);
}

TEST_F(SettingsStore, NoKeyAndNoFileGiveZero)
{
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 0u);
    EXPECT_EQ(settings::LoadLastRepairTime(L""), 0u);
}

TEST_F(SettingsStore, ValuesThatAreNotAFourByteDwordReadAsZero)
{
    WriteFileTime(folder_, L"1700000000");
    RegistryKey key = CreateSettingsKey();
    ASSERT_TRUE(key.Valid());
    const wchar_t text[] = L"1700000000";
    const BYTE bytes[8] = {0x00, 0xF1, 0x53, 0x65, 0x01, 0x00, 0x00, 0x00};
    struct Case {
        const char* what;
        DWORD type;
        const BYTE* data;
        DWORD size;
    };
    const Case cases[] = {
        {"REG_SZ", REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text)},
        {"two-byte REG_DWORD", REG_DWORD, bytes, 2},
        {"eight-byte REG_DWORD", REG_DWORD, bytes, 8},
        {"REG_BINARY of four bytes", REG_BINARY, bytes, 4},
        {"REG_QWORD", REG_QWORD, bytes, 8},
        {"empty REG_DWORD", REG_DWORD, bytes, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(RegSetValueExW(key.Get(), L"last_xiufu_time", 0, c.type, c.data, c.size), ERROR_SUCCESS);
        EXPECT_EQ(settings::LoadLastRepairTime(folder_), 0u);
    }
    DWORD good = 1700000001;
    RegSetValueExW(key.Get(), L"last_xiufu_time", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&good), sizeof(good));
    EXPECT_EQ(settings::LoadLastRepairTime(folder_), 1700000001u);
}

TEST_F(SettingsStore, WithoutAWorkDirectoryTheBareFileNameIsUsed)
{
    EXPECT_EQ(settings::SettingsFilePath(L""), L"pcdat.ini");
    EXPECT_EQ(settings::SettingsFilePath(folder_), folder_ + L"pcdat.ini");
}

bool IsUniqueTempFolder(const std::wstring& path)
{
    std::wstring temp = settings::TempFolder();
    if (path.compare(0, temp.size(), temp) != 0)
        return false;
    return std::regex_match(path.substr(temp.size()), std::wregex(LR"(NqXD[0-9]{6}\\)"));
}

TEST_F(SettingsStore, BlockedApplicationDataFolderFallsBackToAUniqueTempFolder)
{
    HANDLE blocker = CreateFileW((folder_ + L"Zentarium").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    CloseHandle(blocker);

    std::wstring workDirectory = settings::WorkDirectoryUnder(folder_);
    ASSERT_TRUE(IsUniqueTempFolder(workDirectory)) << std::filesystem::path(workDirectory).string();
    EXPECT_TRUE(IsFolder(workDirectory));

    uint32_t stored = settings::StoreLastRepairTime(workDirectory);
    EXPECT_EQ(GetPrivateProfileIntW(L"config", L"last_xiufu_time", 0, (workDirectory + L"pcdat.ini").c_str()),
              stored);
    std::filesystem::remove_all(std::filesystem::path(workDirectory));
}

TEST_F(SettingsStore, NoApplicationDataFolderAlsoFallsBackToATempFolder)
{
    std::wstring workDirectory = settings::WorkDirectoryUnder(L"");
    EXPECT_TRUE(IsUniqueTempFolder(workDirectory));
    EXPECT_TRUE(IsFolder(workDirectory));
    RemoveDirectoryW(workDirectory.c_str());
}

TEST_F(SettingsStore, MissingLevelsOfTheApplicationDataFolderAreCreated)
{
    std::wstring appData = folder_ + L"Roaming\\deeper";
    EXPECT_EQ(settings::WorkDirectoryUnder(appData), appData + L"\\Zentarium\\");
    EXPECT_TRUE(IsFolder(appData + L"\\Zentarium"));
}

TEST(UniqueFolderName, IsNqxdFollowedBySixDigits)
{
    EXPECT_EQ(settings::UniqueFolderName(7, 42), L"NqXD007042");
    EXPECT_EQ(settings::UniqueFolderName(999, 4321), L"NqXD999321");
    EXPECT_EQ(settings::UniqueFolderName(1000, 5000), L"NqXD000000");
    EXPECT_EQ(settings::UniqueFolderName(-1, 0), L"NqXD999000");
}

TEST_F(SettingsStore, ExistingUniqueNameMovesBothNumbersOnAndRetries)
{
    ASSERT_TRUE(CreateDirectoryW((folder_ + L"NqXD005042").c_str(), nullptr));
    settings::UniqueFolderCounter counter{5, 41};
    EXPECT_EQ(settings::CreateUniqueFolder(folder_, counter), folder_ + L"NqXD006043\\");
    EXPECT_EQ(counter.first, 6);
    EXPECT_EQ(counter.second, 43);
    EXPECT_EQ(settings::CreateUniqueFolder(folder_, counter), folder_ + L"NqXD006044\\");
    EXPECT_TRUE(IsFolder(folder_ + L"NqXD006044"));
}

TEST_F(SettingsStore, OtherCreationFailuresGiveNoFolder)
{
    settings::UniqueFolderCounter counter{1, 1};
    EXPECT_EQ(settings::CreateUniqueFolder(folder_ + L"missing\\", counter), L"");
    EXPECT_EQ(settings::CreateUniqueFolder(L"", counter), L"");
}

// The real roaming folder of the test prefix; an existing Zentarium folder is put aside.
class FirstRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteSettingsKey();
        folder_ = AppDataFolder() + L"\\Zentarium";
        aside_ = folder_ + L".aside-" + std::to_wstring(GetCurrentProcessId());
        movedAside_ = MoveFileW(folder_.c_str(), aside_.c_str()) != 0;
    }
    void TearDown() override
    {
        DeleteSettingsKey();
        std::filesystem::remove_all(std::filesystem::path(folder_));
        if (movedAside_)
            MoveFileW(aside_.c_str(), folder_.c_str());
    }

    std::wstring folder_;
    std::wstring aside_;
    bool movedAside_ = false;
};

TEST_F(FirstRun, CreatesTheRoamingFolderAndStartsFromZero)
{
    ASSERT_FALSE(AppDataFolder().empty());
    ASSERT_FALSE(IsFolder(folder_));
    settings::Settings loaded = settings::LoadSettings();
    EXPECT_EQ(loaded.workDirectory, folder_ + L"\\");
    EXPECT_TRUE(IsFolder(folder_));
    EXPECT_EQ(loaded.lastRepairTime, 0u);
}

TEST_F(FirstRun, RestartAfterARepairReadsTheStoredTime)
{
    uint32_t stored = settings::StoreLastRepairTime(settings::ResolveWorkDirectory());
    EXPECT_TRUE(paths::Exists(folder_ + L"\\pcdat.ini"));
    EXPECT_EQ(settings::LoadSettings().lastRepairTime, stored);
    DeleteSettingsKey();
    EXPECT_EQ(settings::LoadSettings().lastRepairTime, stored);
}

}  // namespace
