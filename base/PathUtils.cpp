#include "PathUtils.h"

#include <windows.h>

namespace paths {

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

}  // namespace

std::wstring StripQuotes(std::wstring_view path)
{
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return std::wstring(path);
}

bool IsAbsolute(std::wstring_view path)
{
    if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\')
        return true;
    return path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

std::wstring Join(std::wstring_view base, std::wstring_view name)
{
    std::wstring folder = StripQuotes(base);
    std::wstring leaf = StripQuotes(name);
    if (IsAbsolute(leaf))
        return leaf;
    if (folder.empty())
        return leaf;
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.pop_back();
    size_t start = 0;
    while (start < leaf.size() && IsSeparator(leaf[start]))
        ++start;
    return folder + L'\\' + leaf.substr(start);
}

std::wstring FileNamePart(std::wstring_view path)
{
    size_t separator = path.find_last_of(L"\\/");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

bool Exists(const std::wstring& path)
{
    std::wstring bare = StripQuotes(path);
    while (!bare.empty() && IsSeparator(bare.back()))
        bare.pop_back();
    return GetFileAttributesW(bare.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolderWithParents(const std::wstring& path)
{
    for (size_t i = 0; i < path.size(); ++i) {
        if (!IsSeparator(path[i]))
            continue;
        std::wstring prefix = path.substr(0, i);
        if (!Exists(prefix))
            CreateDirectoryW(prefix.c_str(), nullptr);
    }
    if (!Exists(path))
        CreateDirectoryW(path.c_str(), nullptr);
    return Exists(path);
}

}  // namespace paths
