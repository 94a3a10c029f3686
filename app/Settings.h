#pragma once

#include <cstdint>
#include <string>

// The one value kept between runs (the last repair time, seconds since 1970 UTC, 0 = never)
// and the per-user work directory that holds the settings file and the downloads.
namespace settings {

inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Zentarium\\";
inline constexpr wchar_t kLastRepairTimeName[] = L"last_xiufu_time";
inline constexpr wchar_t kSettingsSection[] = L"config";
inline constexpr wchar_t kSettingsFileName[] = L"pcdat.ini";

struct Settings {
    std::wstring workDirectory;  // ends with "\" unless empty
    uint32_t lastRepairTime = 0;
};

// Roaming application data + "Zentarium\", else a fresh temporary folder, else empty.
std::wstring ResolveWorkDirectory();

// The same rule with the application-data folder given (empty when the platform has none).
std::wstring WorkDirectoryUnder(const std::wstring& appDataFolder);

// Work directory + "pcdat.ini" (the bare name when the directory is empty).
std::wstring SettingsFilePath(const std::wstring& workDirectory);

// The registry copy when the key opens (0 when the value is missing or is not a 4-byte
// REG_DWORD), otherwise the settings file's copy.
uint32_t LoadLastRepairTime(const std::wstring& workDirectory);

Settings LoadSettings();

// Writes both copies; write failures are ignored.
void WriteLastRepairTime(const std::wstring& workDirectory, uint32_t time);

// The current time becomes the last repair time; it is written unless it is 0. Returns it.
uint32_t StoreLastRepairTime(const std::wstring& workDirectory);

}  // namespace settings
