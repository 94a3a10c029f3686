#include "DllScan.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PathUtils.h"
#include "RuntimeDllName.h"
#include "UniqueHandle.h"

namespace scan {

namespace {

constexpr DWORD kNameBufferLength = 512;

void PostDllEntry(const std::wstring& valueName, const std::vector<std::wstring>& prefixes, const CheckTarget& target,
                  UpdateQueue& updates)
{
    const std::wstring name = paths::FileNamePart(valueName);
    ScanUpdate update;
    update.kind = kDllEntry;
    update.list = target.list;
    update.group = name;
    update.entry = IsRuntimeDll(name, prefixes) ? target.entry : nullptr;
    updates.Post(update);
}

// A name that does not fit the buffer fails the call and so ends the pass, like the end of the
// list does. Returns how many values were posted.
int ScanView(REGSAM view, const std::vector<std::wstring>& prefixes, const CheckTarget& target, UpdateQueue& updates)
{
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_READ | view, key.Receive()) != ERROR_SUCCESS)
        return 0;
    int posted = 0;
    for (DWORD index = 0;; ++index) {
        wchar_t name[kNameBufferLength] = {};
        DWORD length = kNameBufferLength;
        if (RegEnumValueW(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        PostDllEntry(std::wstring(name, std::min(length, kNameBufferLength - 1)), prefixes, target, updates);
        ++posted;
    }
    return posted;
}

}  // namespace

void ScanSharedDlls(const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates)
{
    std::vector<std::wstring> prefixes = RuntimePrefixes(lastRepairTime);
    if (ScanView(KEY_WOW64_64KEY, prefixes, target, updates) == 0)
        ScanView(KEY_WOW64_32KEY, prefixes, target, updates);
}

}  // namespace scan
