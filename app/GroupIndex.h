#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace app {

// Row indexes by the hash of their group's key, without copies of the keys: open addressing
// with linear probing, eight bytes a slot, at most half the slots used. The owner confirms a
// candidate against its own records, so equal hashes of different keys do no harm.
class GroupIndex {
public:
    // The first index stored under `hash` for which `matches(index)` is true; -1 when none is.
    template <typename Matches>
    int Find(uint32_t hash, Matches&& matches) const
    {
        if (slots_.empty())
            return -1;
        const size_t mask = slots_.size() - 1;
        for (size_t at = hash & mask; slots_[at].index != kEmpty; at = (at + 1) & mask) {
            if (slots_[at].hash == hash && matches(static_cast<int>(slots_[at].index)))
                return static_cast<int>(slots_[at].index);
        }
        return -1;
    }

    // `index` must not be stored yet; negative indexes are ignored.
    void Insert(uint32_t hash, int index);
    size_t Size() const { return used_; }
    // Heap bytes of the table, for the benchmarks.
    size_t BytesKept() const { return slots_.capacity() * sizeof(Slot); }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;
    struct Slot {
        uint32_t hash = 0;
        uint32_t index = kEmpty;
    };

    void Place(Slot slot);
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, or empty
    size_t used_ = 0;
};

}  // namespace app
