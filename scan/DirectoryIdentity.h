#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scan {

// Volume serial number and file index: equal for two paths that reach the same directory, for
// instance through a link or a second drive mapping.
using DirectoryIdentity = std::pair<uint32_t, uint64_t>;

std::optional<DirectoryIdentity> IdentifyDirectory(const std::wstring& path);

// Creation and last-write time as a directory listing reports them. Two names of one directory
// always share them, so only directories with equal stamps need the (costly) identity check.
struct DirectoryStamp {
    uint64_t created = 0;
    uint64_t written = 0;
    auto operator<=>(const DirectoryStamp&) const = default;
};

std::optional<DirectoryStamp> StampOf(const std::wstring& path);

// The directories one walk has entered.
class VisitedDirectories {
public:
    // False when the directory was entered before under any name. A directory that cannot be
    // identified counts as new (a depth limit must still bound the walk).
    bool Enter(const std::wstring& path, const DirectoryStamp& stamp);

private:
    struct Entered {
        std::wstring path;
        bool identified = false;
        std::optional<DirectoryIdentity> identity;
    };
    std::map<DirectoryStamp, std::vector<Entered>> entered_;
};

}  // namespace scan
