#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace app {

// Append-only text store addressed by 32-bit code-unit offsets. It grows by fixed pages that
// never move, so its slack stays below one page however much it holds and no append copies what
// is already stored; only the first page starts small and doubles until it is a whole page, so
// that the many rows of one or two details each keep a few bytes, not a page.
class TextPages {
public:
    // The offset of a copy of `first` followed by `second`, or nothing (storing nothing) when the
    // offsets would pass 2^32 code units.
    std::optional<uint32_t> Append(std::wstring_view first, std::wstring_view second);
    // The `length` units stored at `offset` by one Append.
    std::wstring_view View(uint32_t offset, uint32_t length) const;
    size_t BytesKept() const;

private:
    // Makes the first page, still small, hold at least `units`.
    void GrowFirstPage(uint64_t units);

    static constexpr int kPageShift = 16;
    static constexpr uint64_t kPageUnits = uint64_t{1} << kPageShift;

    std::vector<std::unique_ptr<wchar_t[]>> blocks_;  // owned; one page, or one longer text
    std::vector<wchar_t*> pages_;  // not owned: the start of each page of offsets, in blocks_
    uint64_t end_ = 0;
    size_t blockUnits_ = 0;
    uint64_t firstPageUnits_ = 0;  // allocated of the first page while it is smaller than a page
};

}  // namespace app
