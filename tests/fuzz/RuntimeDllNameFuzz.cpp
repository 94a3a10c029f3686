#include <string>

#include "FuzzSupport.h"
#include "RuntimeDllName.h"

// Lower-casing keeps the length and changes only A to Z; a match is a prefix found in the name
// with exactly "140.dll" worth of units more, and nothing matches once a repair has run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring name = RemainingWide(input);
    const std::wstring lower = scan::LowerCase(name);
    FUZZ_CHECK(lower.size() == name.size());
    for (size_t i = 0; i < name.size(); ++i)
        FUZZ_CHECK(lower[i] == name[i] || (name[i] >= L'A' && name[i] <= L'Z' && lower[i] == name[i] + 32));
    const std::vector<std::wstring> prefixes = scan::RuntimePrefixes(0);
    bool expected = false;
    for (const std::wstring& prefix : prefixes)
        expected = expected || (lower.find(prefix) != std::wstring::npos && name.size() == prefix.size() + 7);
    FUZZ_CHECK(scan::IsRuntimeDll(name, prefixes) == expected);
    FUZZ_CHECK(!scan::IsRuntimeDll(name, scan::RuntimePrefixes(1)));
    return 0;
}
