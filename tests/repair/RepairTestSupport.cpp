#include "RepairTestSupport.h"

#include <TestPaths.h>
#include <UniqueHandle.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace repair_test {

namespace {

constexpr wchar_t kMarkerParent[] = L"Software\\ZentariumTests";
constexpr wchar_t kMarkerKey[] = L"Software\\ZentariumTests\\Registered";
constexpr DWORD kPollMs = 100;

std::wstring TempRoot()
{
    wchar_t temp[MAX_PATH] = {};
    DWORD length = GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp, length);
}

}  // namespace

TempFolder::TempFolder(const std::wstring& tag)
    : path_(TempRoot() + L"zentarium-repair-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\")
{
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path)
{
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(path, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        SetFileAttributesW(it->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path, error);
}

std::wstring RepairFixture(const std::wstring& name)
{
    return testing_paths::Fixture(L"repair\\" + name);
}

bool CopyFixture(const std::wstring& name, const std::wstring& target)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
    return CopyFileW(RepairFixture(name).c_str(), target.c_str(), FALSE) != FALSE;
}

std::string ReadText(const std::wstring& path) { return testing_paths::ReadFileBytes(path); }

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary | std::ios::trunc) << bytes;
}

bool IsFile(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsHeldAgainstChange(const std::wstring& path)
{
    // Each attempt lets go of the file before the next, so that none stands in another's way.
    const auto opens = [&path](DWORD access, DWORD share) {
        return FileHandle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)).Valid();
    };
    return opens(GENERIC_READ, FILE_SHARE_READ) &&
           !opens(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) &&
           !DeleteFileW(path.c_str()) && !MoveFileW(path.c_str(), (path + L".aside").c_str());
}

std::optional<std::wstring> RegisteredPath(const std::wstring& dllName)
{
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, kMarkerKey, dllName.c_str(), RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

std::optional<std::wstring> WaitForRegistration(const std::wstring& dllName, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += kPollMs) {
        if (std::optional<std::wstring> path = RegisteredPath(dllName))
            return path;
        if (waited >= timeoutMs)
            return std::nullopt;
        Sleep(kPollMs);
    }
}

void ForgetRegistrations()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkerKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kMarkerParent);
}

void RemoveSystemFile(const std::wstring& path)
{
    for (int attempt = 0; attempt < 100 && IsFile(path); ++attempt) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (DeleteFileW(path.c_str()))
            return;
        Sleep(kPollMs);
    }
}

std::wstring DriveRootOfTemp() { return TempRoot().substr(0, 3); }

#if defined(_WIN64)
std::wstring RealSystem32() { return DriveRootOfTemp() + L"windows\\system32\\"; }
int32_t NativeDllType() { return 14; }
std::wstring NativeDllFolder() { return DriveRootOfTemp() + L"windows\\system32\\"; }
bool TestDllsRegisterFromSystem32() { return true; }
#else
std::wstring RealSystem32() { return DriveRootOfTemp() + L"windows\\sysnative\\"; }
int32_t NativeDllType() { return 13; }
std::wstring NativeDllFolder() { return DriveRootOfTemp() + L"windows\\syswow64\\"; }
bool TestDllsRegisterFromSystem32() { return false; }
#endif

bool RunAndWait(const std::wstring& commandLine, DWORD timeoutMs)
{
    std::wstring buffer = commandLine;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    return WaitForSingleObject(processHandle.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool EqualNoCase(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace repair_test
