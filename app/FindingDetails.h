#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TextPages.h"

namespace app {

// The distinct details of one finding row (detail text to second-column text), in ascending
// order of the detail by plain code-unit comparison. A detail already present keeps its first
// second column.
//
// A detail is kept as the folder before its last backslash, stored once per row, and the rest
// (the name); a junk row holds many files of few folders. Texts are limited to 2^32 code units in
// all, details to 2^32 - 1.
class FindingDetails {
public:
    // Identifies one detail for as long as these details live; ids are never reused.
    using Id = uint32_t;

    // False, changing nothing, when `detail` is already present, or when the limits above are
    // reached.
    bool Add(std::wstring_view detail, std::wstring_view extra);
    size_t Size() const;
    bool Contains(std::wstring_view detail) const;

    // Every detail's id in ascending order of the detail text, as the details stand now.
    std::vector<Id> SortedIds() const;
    std::wstring Detail(Id id) const;
    std::wstring Extra(Id id) const;

    // Heap bytes these details hold (capacities, not sizes), for the benchmarks.
    size_t BytesKept() const;

private:
    struct Entry {
        uint32_t folder = 0;
        uint32_t text = 0;  // the name, then the extra
        uint32_t nameLength = 0;
        uint32_t extraLength = 0;
    };
    static_assert(sizeof(Entry) == 16, "a million files keep 16 MB of entries on either architecture");
    // A detail split at its last backslash; folder is kNoFolder for one not interned.
    struct Key {
        uint32_t folder = 0;
        std::wstring_view folderText;
        std::wstring_view name;
    };
    // Where a key is, or would go, in the ordered index.
    struct Place {
        size_t block = 0;
        size_t at = 0;
        bool found = false;
    };

    const Entry& EntryOf(Id id) const;
    std::wstring_view FolderText(uint32_t folder) const;
    std::wstring_view Name(const Entry& entry) const;
    int Compare(const Key& key, Id id) const;
    Key KeyOf(std::wstring_view detail) const;
    Place Find(const Key& key) const;
    std::optional<Place> FindNearLastAdded(const Key& key) const;
    // Searches ids [first, last) of the block, knowing the key sorts after the one before first
    // and not after the one at last.
    Place FindInBlock(const Key& key, size_t block, size_t first, size_t last) const;
    uint32_t Intern(const Key& key);
    void MakeRoomForEntry(Id id);
    size_t EntryUnits() const;  // allocated
    void Insert(const Place& place, Id id);

    static constexpr int kEntryPageShift = 12;
    static constexpr Id kEntryPageMask = (Id{1} << kEntryPageShift) - 1;
    static constexpr size_t kBlockIds = 1024;

    TextPages texts_;
    std::vector<std::unique_ptr<Entry[]>> entryPages_;  // owned
    size_t size_ = 0;
    size_t firstPageEntries_ = 0;  // allocated of the first entry page
    // Made with the first folder: rows of event times have none, and there are many of them.
    struct FolderTable {
        std::unordered_map<std::wstring, uint32_t> index;
        std::vector<const std::wstring*> texts;  // not owned: the keys of index
    };
    std::unique_ptr<FolderTable> folders_;
    uint32_t lastFolder_ = 0;
    // The ids in ascending order of their details, in blocks of at most kBlockIds.
    std::vector<std::vector<Id>> blocks_;
    Place lastAdded_;
};

}  // namespace app
