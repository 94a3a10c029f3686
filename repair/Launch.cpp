#include "Launch.h"

#include <UniqueHandle.h>

#include <shellapi.h>

namespace repair {

bool Launch(const std::wstring& file, const std::wstring& parameters, DWORD waitMs)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    // The tool shows no message boxes: an unknown file type or a broken program must not stop
    // the worker behind a dialog nobody asked for.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOW;
    if (!ShellExecuteExW(&info))
        return false;
    KernelHandle process(info.hProcess);
    if (process)
        WaitForSingleObject(process.Get(), waitMs);
    return true;
}

}  // namespace repair
