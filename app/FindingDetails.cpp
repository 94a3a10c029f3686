#include "FindingDetails.h"

#include <algorithm>
#include <limits>

namespace app {

namespace {

constexpr uint32_t kNoFolder = std::numeric_limits<uint32_t>::max();
// Details without a backslash (event times) need no folder table.
constexpr uint32_t kEmptyFolder = kNoFolder - 1;
constexpr size_t kFewestEntries = 1;
constexpr size_t kMostDetails = std::numeric_limits<FindingDetails::Id>::max();

// Three-way comparison of first1 + second1 with first2 + second2, without joining them.
int CompareJoined(std::wstring_view first1, std::wstring_view second1, std::wstring_view first2,
                  std::wstring_view second2)
{
    for (;;) {
        if (first1.empty())
            std::swap(first1, second1);
        if (first2.empty())
            std::swap(first2, second2);
        if (first1.empty() || first2.empty())
            return first1.empty() ? (first2.empty() ? 0 : -1) : 1;
        const size_t common = std::min(first1.size(), first2.size());
        if (const int order = first1.substr(0, common).compare(first2.substr(0, common)); order != 0)
            return order;
        first1.remove_prefix(common);
        first2.remove_prefix(common);
    }
}

}  // namespace

bool FindingDetails::Add(std::wstring_view detail, std::wstring_view extra)
{
    if (size_ == kMostDetails)
        return false;
    const Key key = KeyOf(detail);
    const Place place = Find(key);
    if (place.found)
        return false;
    const auto text = texts_.Append(key.name, extra);
    if (!text)
        return false;
    const auto id = static_cast<Id>(size_);
    MakeRoomForEntry(id);
    entryPages_.back()[id & kEntryPageMask] = {
        Intern(key), *text, static_cast<uint32_t>(key.name.size()), static_cast<uint32_t>(extra.size())};
    ++size_;
    Insert(place, id);
    return true;
}

size_t FindingDetails::Size() const
{
    return size_;
}

bool FindingDetails::Contains(std::wstring_view detail) const
{
    return Find(KeyOf(detail)).found;
}

std::vector<FindingDetails::Id> FindingDetails::SortedIds() const
{
    std::vector<Id> ids;
    ids.reserve(size_);
    for (const auto& block : blocks_)
        ids.insert(ids.end(), block.begin(), block.end());
    return ids;
}

std::wstring FindingDetails::Detail(Id id) const
{
    if (id >= size_)
        return {};
    const Entry& entry = EntryOf(id);
    std::wstring detail(FolderText(entry.folder));
    detail.append(Name(entry));
    return detail;
}

std::wstring FindingDetails::Extra(Id id) const
{
    if (id >= size_)
        return {};
    const Entry& entry = EntryOf(id);
    return std::wstring(texts_.View(entry.text, entry.nameLength + entry.extraLength).substr(entry.nameLength));
}

size_t FindingDetails::BytesKept() const
{
    size_t bytes = texts_.BytesKept() + entryPages_.capacity() * sizeof(entryPages_[0]) +
                   EntryUnits() * sizeof(Entry) +
                   blocks_.capacity() * sizeof(blocks_[0]);
    for (const auto& block : blocks_)
        bytes += block.capacity() * sizeof(Id);
    // The folder table's nodes as the common hash maps lay them out: the value, a link and the
    // hash, and the text when it outgrows the string itself.
    const size_t inlineUnits = std::wstring().capacity();
    if (!folders_)
        return bytes;
    bytes += sizeof(FolderTable) + folders_->texts.capacity() * sizeof(folders_->texts[0]) +
             folders_->index.bucket_count() * sizeof(void*);
    for (const auto& [folder, index] : folders_->index)
        bytes += sizeof(*folders_->index.begin()) + 2 * sizeof(void*) +
                 (folder.capacity() > inlineUnits ? (folder.capacity() + 1) * sizeof(wchar_t) : 0);
    return bytes;
}

// The first page starts small and doubles up to a whole page: most rows hold one or two details.
void FindingDetails::MakeRoomForEntry(Id id)
{
    constexpr size_t kPageEntries = size_t{1} << kEntryPageShift;
    if (id >= kPageEntries) {
        if ((id & kEntryPageMask) == 0)
            entryPages_.push_back(std::make_unique<Entry[]>(kPageEntries));
        return;
    }
    if (id < firstPageEntries_)
        return;
    const size_t grown = std::min(kPageEntries, std::max(kFewestEntries, firstPageEntries_ * 2));
    auto page = std::make_unique<Entry[]>(grown);
    if (entryPages_.empty()) {
        entryPages_.push_back(std::move(page));
    } else {
        std::copy(entryPages_[0].get(), entryPages_[0].get() + id, page.get());
        entryPages_[0] = std::move(page);
    }
    firstPageEntries_ = grown;
}

const FindingDetails::Entry& FindingDetails::EntryOf(Id id) const
{
    return entryPages_[id >> kEntryPageShift][id & kEntryPageMask];
}

size_t FindingDetails::EntryUnits() const
{
    return entryPages_.empty() ? 0 : firstPageEntries_ + ((entryPages_.size() - 1) << kEntryPageShift);
}

std::wstring_view FindingDetails::FolderText(uint32_t folder) const
{
    if (folder == kEmptyFolder)
        return {};
    return *folders_->texts[folder];
}

std::wstring_view FindingDetails::Name(const Entry& entry) const
{
    return texts_.View(entry.text, entry.nameLength);
}

int FindingDetails::Compare(const Key& key, Id id) const
{
    const Entry& entry = EntryOf(id);
    if (key.folder == entry.folder)
        return key.name.compare(Name(entry));
    return CompareJoined(key.folderText, key.name, FolderText(entry.folder), Name(entry));
}

FindingDetails::Key FindingDetails::KeyOf(std::wstring_view detail) const
{
    const size_t slash = detail.rfind(L'\\');
    const size_t nameStart = slash == std::wstring_view::npos ? 0 : slash + 1;
    Key key{kNoFolder, detail.substr(0, nameStart), detail.substr(nameStart)};
    if (key.folderText.empty()) {
        key.folder = kEmptyFolder;
    } else if (!folders_) {
        return key;
    } else if (lastFolder_ < folders_->texts.size() && FolderText(lastFolder_) == key.folderText) {
        key.folder = lastFolder_;  // the junk walk posts one folder's files in a row
    } else if (const auto known = folders_->index.find(std::wstring(key.folderText)); known != folders_->index.end()) {
        key.folder = known->second;
    }
    return key;
}

FindingDetails::Place FindingDetails::Find(const Key& key) const
{
    if (blocks_.empty())
        return {};
    if (const auto near = FindNearLastAdded(key))
        return *near;
    const auto after = std::partition_point(blocks_.begin(), blocks_.end(),
                                            [&](const std::vector<Id>& block) { return Compare(key, block.back()) > 0; });
    if (after == blocks_.end())
        return {blocks_.size() - 1, blocks_.back().size(), false};
    return FindInBlock(key, static_cast<size_t>(after - blocks_.begin()), 0, blocks_[after - blocks_.begin()].size());
}

// The junk walk adds one folder's files together, so the next detail mostly sorts close to the
// last added one, among entries still in the cache: gallop out from there within its block.
std::optional<FindingDetails::Place> FindingDetails::FindNearLastAdded(const Key& key) const
{
    const size_t block = lastAdded_.block;
    const auto& ids = blocks_[block];
    const size_t start = lastAdded_.at;
    const int order = Compare(key, ids[start]);
    if (order == 0)
        return Place{block, start, true};
    // The key sorts after ids[first - 1] and not after ids[last] (or last is the block's end).
    size_t first = start + 1, last = start;
    if (order > 0) {
        for (size_t step = 1;; step *= 2) {
            last = std::min(start + step, ids.size());
            if (last == ids.size() || Compare(key, ids[last]) <= 0)
                break;
            first = last + 1;
        }
        if (last == ids.size() && block + 1 < blocks_.size() && Compare(key, blocks_[block + 1].front()) >= 0)
            return std::nullopt;
    } else {
        for (size_t step = 1;; step *= 2) {
            if (step > start) {
                first = 0;
                break;
            }
            if (Compare(key, ids[start - step]) > 0) {
                first = start - step + 1;
                break;
            }
            last = start - step;
        }
        if (first == 0 && block > 0 && Compare(key, blocks_[block - 1].back()) <= 0)
            return std::nullopt;
    }
    return FindInBlock(key, block, first, last);
}

FindingDetails::Place FindingDetails::FindInBlock(const Key& key, size_t block, size_t first, size_t last) const
{
    const auto& ids = blocks_[block];
    const auto end = ids.begin() + static_cast<std::ptrdiff_t>(last);
    const auto at = std::partition_point(ids.begin() + static_cast<std::ptrdiff_t>(first), end,
                                         [&](Id id) { return Compare(key, id) > 0; });
    return {block, static_cast<size_t>(at - ids.begin()), at != ids.end() && Compare(key, *at) == 0};
}

uint32_t FindingDetails::Intern(const Key& key)
{
    if (key.folder != kNoFolder)
        return lastFolder_ = key.folder;
    if (!folders_)
        folders_ = std::make_unique<FolderTable>();
    const auto index = static_cast<uint32_t>(folders_->texts.size());
    folders_->texts.push_back(&folders_->index.emplace(key.folderText, index).first->first);
    return lastFolder_ = index;
}

void FindingDetails::Insert(const Place& place, Id id)
{
    if (blocks_.empty())
        blocks_.emplace_back();
    auto& block = blocks_[place.block];
    // A block grows one past its limit before it splits.
    if (block.size() == kBlockIds && block.capacity() == kBlockIds)
        block.reserve(kBlockIds + 1);
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(place.at), id);
    lastAdded_ = {place.block, place.at};
    if (block.size() <= kBlockIds)
        return;
    const size_t half = block.size() / 2;
    std::vector<Id> upper;
    upper.reserve(kBlockIds + 1);
    upper.assign(block.begin() + static_cast<std::ptrdiff_t>(half), block.end());
    block.resize(half);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(place.block) + 1, std::move(upper));
    if (place.at >= half)
        lastAdded_ = {place.block + 1, place.at - half};
}

}  // namespace app
