#include "RuntimeDllName.h"

#include <windows.h>

namespace scan {

namespace {

constexpr size_t kVersionAndSuffixLength = 7;

}  // namespace

std::vector<std::wstring> RuntimePrefixes(uint32_t lastRepairTime)
{
    if (lastRepairTime != 0)
        return {};
    return {L"vccorlib", L"msvcr", L"msvcp", L"mfc", L"vcomp", L"vcruntime"};
}

std::wstring LowerCase(std::wstring_view text)
{
    std::wstring lower(text);
    if (lower.empty())
        return lower;
    int length = static_cast<int>(lower.size());
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), length, lower.data(), length, nullptr,
                      nullptr, 0) == length)
        return lower;
    lower.assign(text);
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return lower;
}

bool IsRuntimeDll(std::wstring_view fileName, const std::vector<std::wstring>& prefixes)
{
    if (prefixes.empty())
        return false;
    std::wstring lowerName = LowerCase(fileName);
    for (const std::wstring& prefix : prefixes) {
        if (lowerName.find(LowerCase(prefix)) != std::wstring::npos &&
            fileName.size() == prefix.size() + kVersionAndSuffixLength)
            return true;
    }
    return false;
}

}  // namespace scan
