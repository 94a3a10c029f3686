#include "TestPaths.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace testing_paths {

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

std::wstring Fixture(const std::wstring& name)
{
    return ExeFolder() + L"fixtures\\" + name;
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace testing_paths
