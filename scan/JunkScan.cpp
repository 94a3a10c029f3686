#include "JunkScan.h"

#include <windows.h>

#include <memory>
#include <string>

#include "DirectoryIdentity.h"
#include "FileTimes.h"
#include "JunkFolders.h"
#include "PathUtils.h"
#include "UniqueHandle.h"

namespace scan {

namespace {

struct JunkWalk {
    const std::wstring& group;
    const CheckTarget& target;
    uint32_t lastRepairTime = 0;
    UpdateQueue& updates;
    VisitedDirectories visited;
};

bool IsDotOrDotDot(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

void PostJunkFile(JunkWalk& walk, const std::wstring& folder, const WIN32_FIND_DATAW& found)
{
    auto update = std::make_unique<ScanUpdate>();
    update->kind = kJunkFile;
    update->list = walk.target.list;
    update->entry = walk.target.entry;
    update->group = walk.group;
    update->detail = paths::Join(folder, found.cFileName);
    update->extra = std::to_wstring((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
    walk.updates.Post(std::move(update));
}

void Walk(JunkWalk& walk, const std::wstring& folder, int depth)
{
    if (depth > kMaxJunkDepth || !walk.visited.Enter(folder))
        return;
    WIN32_FIND_DATAW found = {};
    FindHandle search(FindFirstFileW(paths::Join(folder, L"*.*").c_str(), &found));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!IsDotOrDotDot(found.cFileName) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                Walk(walk, paths::Join(folder, found.cFileName), depth + 1);
        } else if (WrittenAfterRepair(FileTimeValue(found.ftLastWriteTime), walk.lastRepairTime)) {
            PostJunkFile(walk, folder, found);
        }
    } while (FindNextFileW(search.Get(), &found));
}

}  // namespace

void WalkJunkFolder(const std::wstring& folder, const std::wstring& group, const CheckTarget& target,
                    uint32_t lastRepairTime, UpdateQueue& updates)
{
    JunkWalk walk{group, target, lastRepairTime, updates, {}};
    Walk(walk, folder, 0);
}

void ScanJunkFiles(const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates)
{
    for (const std::wstring& folder : JunkFolders())
        WalkJunkFolder(folder, folder, target, lastRepairTime, updates);
}

}  // namespace scan
