#include "JunkScan.h"

#include <windows.h>

#include <optional>
#include <cwchar>
#include <string>
#include <string_view>

#include "DirectoryIdentity.h"
#include "FileTimes.h"
#include "JunkFolders.h"
#include "PathUtils.h"
#include "UniqueHandle.h"

namespace scan {

namespace {

constexpr size_t kSizeDigits = 20;  // of the largest 64-bit size

struct JunkWalk {
    const std::wstring& group;
    const CheckTarget& target;
    uint32_t lastRepairTime = 0;
    UpdateQueue& updates;
    VisitedDirectories visited;
    std::wstring path;  // the file's, reused from one file to the next
};

bool IsDotOrDotDot(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The size in decimal digits, written backwards from the end of `text`.
std::wstring_view SizeText(uint64_t size, wchar_t (&text)[kSizeDigits])
{
    size_t start = kSizeDigits;
    do {
        text[--start] = static_cast<wchar_t>(L'0' + size % 10);
        size /= 10;
    } while (size != 0);
    return std::wstring_view(text + start, kSizeDigits - start);
}

// folderPrefix is path-join(folder, ""). A listed file name holds no separator, quote or drive,
// so prefix + name is path-join(folder, name) without its copies.
void PostJunkFile(JunkWalk& walk, const std::wstring& folderPrefix, const WIN32_FIND_DATAW& found)
{
    walk.path.assign(folderPrefix).append(found.cFileName);
    wchar_t size[kSizeDigits];
    ScanUpdate update;
    update.kind = kJunkFile;
    update.list = walk.target.list;
    update.entry = walk.target.entry;
    update.group = walk.group;
    update.detail = walk.path;
    update.extra = SizeText((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow, size);
    walk.updates.Post(update);
}

void Walk(JunkWalk& walk, const std::wstring& folder, const DirectoryStamp& stamp, int depth)
{
    if (depth > kMaxJunkDepth || !walk.visited.Enter(folder, stamp))
        return;
    WIN32_FIND_DATAW found = {};
    const std::wstring folderPrefix = paths::Join(folder, L"");
    FindHandle search(FindFirstFileW((folderPrefix + L"*.*").c_str(), &found));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!IsDotOrDotDot(found.cFileName) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                Walk(walk, folderPrefix + found.cFileName,
                     DirectoryStamp{FileTimeValue(found.ftCreationTime), FileTimeValue(found.ftLastWriteTime)},
                     depth + 1);
        } else if (WrittenAfterRepair(FileTimeValue(found.ftLastWriteTime), walk.lastRepairTime)) {
            PostJunkFile(walk, folderPrefix, found);
        }
    } while (FindNextFileW(search.Get(), &found));
}

}  // namespace

void WalkJunkFolder(const std::wstring& folder, const std::wstring& group, const CheckTarget& target,
                    uint32_t lastRepairTime, UpdateQueue& updates)
{
    std::optional<DirectoryStamp> stamp = StampOf(folder);
    if (!stamp)
        return;
    JunkWalk walk{group, target, lastRepairTime, updates, {}, {}};
    Walk(walk, folder, *stamp, 0);
}

void ScanJunkFiles(const CheckTarget& target, uint32_t lastRepairTime, UpdateQueue& updates)
{
    for (const std::wstring& folder : JunkFolders())
        WalkJunkFolder(folder, folder, target, lastRepairTime, updates);
}

}  // namespace scan
