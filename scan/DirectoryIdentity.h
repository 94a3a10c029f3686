#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace scan {

// Volume serial number and file index: equal for two paths that reach the same directory, for
// instance through a link or a second drive mapping.
using DirectoryIdentity = std::pair<uint32_t, uint64_t>;

std::optional<DirectoryIdentity> IdentifyDirectory(const std::wstring& path);

// The directories one walk has entered.
class VisitedDirectories {
public:
    // False when the directory was entered before; a directory that cannot be identified is
    // always new (the depth limit still bounds the walk).
    bool Enter(const std::wstring& path);

private:
    std::set<DirectoryIdentity> entered_;
};

}  // namespace scan
