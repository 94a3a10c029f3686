#include "SharedDllsValues.h"

namespace scan_testing {

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

}  // namespace

bool KeyExists(REGSAM view)
{
    RegistryKey key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}

DWORD ValueCount(REGSAM view)
{
    RegistryKey key;
    DWORD values = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS)
        RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr);
    return values;
}

SharedDllsValues::SharedDllsValues(REGSAM view) : view_(view)
{
    createdKey_ = !KeyExists(view);
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, key_.Receive(), nullptr);
}

SharedDllsValues::~SharedDllsValues()
{
    for (const std::wstring& name : names_)
        RegDeleteValueW(key_.Get(), name.c_str());
    key_.Reset();
    if (createdKey_)
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, view_, 0);
}

bool SharedDllsValues::Add(const std::wstring& name)
{
    DWORD count = 1;
    names_.push_back(name);
    return RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                          sizeof(count)) == ERROR_SUCCESS;
}

}  // namespace scan_testing
