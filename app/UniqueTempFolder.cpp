#include "UniqueTempFolder.h"

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <mutex>
#include <random>

namespace settings {

namespace {

// Every name of the cycle of 1000 is tried once before giving up, so a temporary folder full
// of earlier runs' folders cannot keep the loop going for ever.
constexpr int kMaxAttempts = 1000;
constexpr DWORD kTempBufferLength = 261;

struct ProcessCounter {
    std::mutex lock;
    UniqueFolderCounter counter;

    ProcessCounter()
    {
        std::mt19937 random(static_cast<unsigned>(std::time(nullptr)));
        counter.first = std::uniform_int_distribution<int>(0, 999)(random);
        counter.second = std::uniform_int_distribution<int>(0, 4999)(random);
    }
};

ProcessCounter& TheProcessCounter()
{
    static ProcessCounter instance;
    return instance;
}

int ThreeDigits(int number)
{
    int rest = number % 1000;
    return rest < 0 ? rest + 1000 : rest;
}

}  // namespace

std::wstring UniqueFolderName(int first, int second)
{
    wchar_t name[16] = {};
    swprintf(name, sizeof(name) / sizeof(name[0]), L"%lsD%.03d%.03d", L"NqX", ThreeDigits(first),
             ThreeDigits(second));
    return name;
}

std::wstring CreateUniqueFolder(const std::wstring& base, UniqueFolderCounter& counter)
{
    if (base.empty())
        return {};
    ++counter.second;
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::wstring folder = base + UniqueFolderName(counter.first, counter.second);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder + L'\\';
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
        ++counter.first;
        ++counter.second;
    }
    return {};
}

std::wstring TempFolder()
{
    wchar_t temp[kTempBufferLength] = {};
    DWORD length = GetTempPathW(kTempBufferLength, temp);
    if (length == 0 || length > kTempBufferLength - 1)
        return {};
    wchar_t longForm[kTempBufferLength] = {};
    DWORD longLength = GetLongPathNameW(temp, longForm, kTempBufferLength);
    std::wstring folder = (longLength != 0 && longLength < kTempBufferLength) ? longForm : temp;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

std::wstring CreateUniqueTempFolder()
{
    ProcessCounter& process = TheProcessCounter();
    std::lock_guard<std::mutex> guard(process.lock);
    return CreateUniqueFolder(TempFolder(), process.counter);
}

}  // namespace settings
