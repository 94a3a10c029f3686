#include "Settings.h"

#include <shlobj.h>
#include <windows.h>

#include <ctime>
#include <string>

#include "PathUtils.h"
#include "UniqueHandle.h"
#include "UniqueTempFolder.h"

namespace settings {

namespace {

// A value of another type or size is someone else's data, not a time: read it as "no repair"
// rather than as whatever its first bytes happen to be.
uint32_t ReadRegistryTime(HKEY key)
{
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof(value);
    LSTATUS status = RegQueryValueExW(key, kLastRepairTimeName, nullptr, &type,
                                      reinterpret_cast<BYTE*>(&value), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value))
        return 0;
    return value;
}

void WriteRegistryTime(uint32_t time)
{
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS &&
        RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return;
    DWORD value = time;
    RegSetValueExW(key.Get(), kLastRepairTimeName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
}

void WriteFileTime(const std::wstring& workDirectory, uint32_t time)
{
    // Signed on purpose: the file has always held "%d" text, which the profile reader parses
    // back to the same 32 bits.
    std::wstring text = std::to_wstring(static_cast<int32_t>(time));
    WritePrivateProfileStringW(kSettingsSection, kLastRepairTimeName, text.c_str(),
                               SettingsFilePath(workDirectory).c_str());
}

// A plain file of the same name "exists" too, but nothing can be stored inside it.
bool IsFolder(const std::wstring& path)
{
    std::wstring bare = path;
    while (!bare.empty() && (bare.back() == L'\\' || bare.back() == L'/'))
        bare.pop_back();
    DWORD attributes = GetFileAttributesW(bare.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

std::wstring WorkDirectoryUnder(const std::wstring& appDataFolder)
{
    std::wstring folder;
    if (!appDataFolder.empty()) {
        folder = paths::Join(appDataFolder, L"Zentarium") + L'\\';
        if (!IsFolder(folder))
            paths::CreateFolderWithParents(folder);
    }
    if (folder.empty() || !IsFolder(folder))
        folder = CreateUniqueTempFolder();
    return folder;
}

std::wstring ResolveWorkDirectory()
{
    wchar_t appData[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE))
        appData[0] = L'\0';
    return WorkDirectoryUnder(appData);
}

std::wstring SettingsFilePath(const std::wstring& workDirectory)
{
    return workDirectory + kSettingsFileName;
}

uint32_t LoadLastRepairTime(const std::wstring& workDirectory)
{
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS)
        return ReadRegistryTime(key.Get());
    return GetPrivateProfileIntW(kSettingsSection, kLastRepairTimeName, 0,
                                 SettingsFilePath(workDirectory).c_str());
}

Settings LoadSettings()
{
    Settings loaded;
    loaded.workDirectory = ResolveWorkDirectory();
    loaded.lastRepairTime = LoadLastRepairTime(loaded.workDirectory);
    return loaded;
}

void WriteLastRepairTime(const std::wstring& workDirectory, uint32_t time)
{
    WriteRegistryTime(time);
    WriteFileTime(workDirectory, time);
}

uint32_t StoreLastRepairTime(const std::wstring& workDirectory)
{
    uint32_t now = static_cast<uint32_t>(_time64(nullptr));
    if (now != 0)
        WriteLastRepairTime(workDirectory, now);
    return now;
}

}  // namespace settings
