#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "UniqueHandle.h"

namespace scan_testing {

bool KeyExists(REGSAM view);
DWORD ValueCount(REGSAM view);

// Values added to the real SharedDlls key of one registry view, removed again at the end
// (with the key itself when the test made it).
class SharedDllsValues {
public:
    explicit SharedDllsValues(REGSAM view);
    ~SharedDllsValues();
    SharedDllsValues(const SharedDllsValues&) = delete;
    SharedDllsValues& operator=(const SharedDllsValues&) = delete;

    bool Add(const std::wstring& name);

private:
    REGSAM view_;
    bool createdKey_ = false;
    RegistryKey key_;
    std::vector<std::wstring> names_;
};

}  // namespace scan_testing
