#include "PackageFolder.h"

#include <PathUtils.h>
#include <UniqueHandle.h>

#include <windows.h>

namespace repair {

namespace {

bool IsRealFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Calls visit(name, attributes) for every entry but "." and "..", until it returns false.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit)
{
    WIN32_FIND_DATAW found = {};
    FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && !visit(name, found.dwFileAttributes))
            return;
    } while (FindNextFileW(search.Get(), &found));
}

void RemoveContents(const std::wstring& folder);

void RemoveEntry(const std::wstring& path, DWORD attributes)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    if (IsRealFolder(attributes))
        RemoveContents(path);
    RemoveDirectoryW(path.c_str());
}

void RemoveContents(const std::wstring& folder)
{
    ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
        RemoveEntry(folder + L"\\" + name, attributes);
        return true;
    });
}

bool IsEmptyFolder(const std::wstring& folder)
{
    bool empty = true;
    ForEachEntry(folder, [&](const std::wstring&, DWORD) { return empty = false; });
    return empty;
}

}  // namespace

bool ResetPackageFolder(const std::wstring& folder)
{
    std::wstring path = folder;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (IsRealFolder(attributes))
        RemoveContents(path);
    else if (attributes != INVALID_FILE_ATTRIBUTES)
        RemoveEntry(path, attributes);  // a file or a link where the folder belongs
    paths::CreateFolderWithParents(path);
    return IsRealFolder(GetFileAttributesW(path.c_str())) && IsEmptyFolder(path);
}

}  // namespace repair
