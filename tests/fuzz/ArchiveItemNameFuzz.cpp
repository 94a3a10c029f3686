#include <algorithm>
#include <string>

#include "ArchiveItemName.h"
#include "FuzzSupport.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

std::wstring Upper(std::wstring_view text)
{
    std::wstring upper(text);
    for (wchar_t& c : upper)
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    return upper;
}

// What Windows makes of one component: only dots and blanks with two dots or more climb out,
// and the part before the first dot, trailing blanks trimmed, may name a device.
bool Escapes(std::wstring_view component)
{
    return component.find_first_not_of(L". ") == std::wstring_view::npos &&
           std::count(component.begin(), component.end(), L'.') >= 2;
}

bool NamesDevice(std::wstring_view component)
{
    std::wstring base = Upper(component.substr(0, component.find(L'.')));
    base.erase(base.find_last_not_of(L' ') + 1);
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL" || base == L"CONIN$" ||
        base == L"CONOUT$")
        return true;
    const std::wstring_view digits = L"0123456789\u00B9\u00B2\u00B3";
    return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
           digits.find(base[3]) != std::wstring_view::npos;
}

}  // namespace

// An accepted item name, joined to the package folder, stays inside it and names no device.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring name = RemainingWide(input);
    if (!repair::IsSafeItemName(name))
        return 0;
    FUZZ_CHECK(!name.empty() && !IsSeparator(name.front()));
    FUZZ_CHECK(name.find(L':') == std::wstring::npos);
    size_t start = 0;
    for (size_t end = 0; end <= name.size(); ++end) {
        if (end < name.size() && !IsSeparator(name[end]))
            continue;
        const std::wstring_view component = std::wstring_view(name).substr(start, end - start);
        FUZZ_CHECK(!Escapes(component));
        FUZZ_CHECK(!NamesDevice(component));
        start = end + 1;
    }
    return 0;
}
