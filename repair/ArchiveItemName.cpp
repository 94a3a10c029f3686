#include "ArchiveItemName.h"

namespace repair {

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

// Windows drops trailing dots and blanks from a path component, so "..." or ".. " reach the
// parent folder as surely as "..".
bool IsParentLike(std::wstring_view component)
{
    size_t dots = 0;
    for (wchar_t c : component) {
        if (c == L'.')
            ++dots;
        else if (c != L' ')
            return false;
    }
    return dots >= 2;
}

}  // namespace

bool IsSafeItemName(std::wstring_view name)
{
    if (name.empty() || IsSeparator(name.front()))
        return false;
    if (name.find(L':') != std::wstring_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end]))
            ++end;
        if (IsParentLike(name.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace repair
