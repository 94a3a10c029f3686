#include "TextPages.h"

#include <algorithm>

namespace app {

namespace {

constexpr uint64_t kOffsetLimit = uint64_t{1} << 32;
constexpr uint64_t kSmallestPage = 16;

}  // namespace

std::optional<uint32_t> TextPages::Append(std::wstring_view first, std::wstring_view second)
{
    const uint64_t length = uint64_t{first.size()} + second.size();
    if (length == 0)
        return 0;
    if (length >= kOffsetLimit)
        return std::nullopt;
    uint64_t start = end_;
    const uint64_t used = end_ % kPageUnits;
    if (used != 0 && end_ + length <= kPageUnits && end_ + length > firstPageUnits_ && pages_.size() == 1) {
        GrowFirstPage(end_ + length);
    } else if (used == 0 && end_ == 0 && length <= kPageUnits) {
        GrowFirstPage(length);
    } else if (used == 0 || used + length > kPageUnits) {
        // A text never straddles two blocks: it starts a fresh page, or a block of its own size.
        start = (end_ + kPageUnits - 1) / kPageUnits * kPageUnits;
        const uint64_t pages = (length + kPageUnits - 1) / kPageUnits;
        if (start + pages * kPageUnits > kOffsetLimit)
            return std::nullopt;
        const auto units = static_cast<size_t>(std::max(length, kPageUnits));
        blocks_.push_back(std::make_unique<wchar_t[]>(units));
        blockUnits_ += units;
        for (uint64_t page = 0; page < pages; ++page)
            pages_.push_back(blocks_.back().get() + page * kPageUnits);
        // Past a long text the rest of its last page is not allocated.
        end_ = length > kPageUnits ? start + pages * kPageUnits : start;
    }
    wchar_t* at = pages_[start >> kPageShift] + start % kPageUnits;
    std::copy(second.begin(), second.end(), std::copy(first.begin(), first.end(), at));
    if (length <= kPageUnits)
        end_ = start + length;
    return static_cast<uint32_t>(start);
}

void TextPages::GrowFirstPage(uint64_t units)
{
    const uint64_t grown = std::min(kPageUnits, std::max({units, firstPageUnits_ * 2, kSmallestPage}));
    auto page = std::make_unique<wchar_t[]>(static_cast<size_t>(grown));
    if (!blocks_.empty())
        std::copy(pages_[0], pages_[0] + end_, page.get());
    blockUnits_ += static_cast<size_t>(grown - firstPageUnits_);
    firstPageUnits_ = grown;
    if (blocks_.empty()) {
        blocks_.push_back(std::move(page));
        pages_.push_back(blocks_[0].get());
    } else {
        blocks_[0] = std::move(page);
        pages_[0] = blocks_[0].get();
    }
}

std::wstring_view TextPages::View(uint32_t offset, uint32_t length) const
{
    if (length == 0)
        return {};
    return {pages_[offset >> kPageShift] + offset % kPageUnits, length};
}

size_t TextPages::BytesKept() const
{
    return blockUnits_ * sizeof(wchar_t) + blocks_.capacity() * sizeof(blocks_[0]) +
           pages_.capacity() * sizeof(pages_[0]);
}

}  // namespace app
