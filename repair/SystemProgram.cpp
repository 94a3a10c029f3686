#include "SystemProgram.h"

#include <PathUtils.h>
#include <windows.h>

namespace repair {

std::wstring SystemProgram(const std::wstring& name)
{
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH)
        return name;
    return paths::Join(std::wstring(folder, length), name);
}

}  // namespace repair
