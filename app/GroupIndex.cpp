#include "GroupIndex.h"

#include <utility>

namespace app {
namespace {

constexpr size_t kFirstSize = 16;

}  // namespace

void GroupIndex::Insert(uint32_t hash, int index)
{
    if (index < 0 || static_cast<uint32_t>(index) == kEmpty)
        return;
    if ((used_ + 1) * 2 > slots_.size())
        Grow();
    Place({hash, static_cast<uint32_t>(index)});
    ++used_;
}

void GroupIndex::Place(Slot slot)
{
    const size_t mask = slots_.size() - 1;
    size_t at = slot.hash & mask;
    while (slots_[at].index != kEmpty)
        at = (at + 1) & mask;
    slots_[at] = slot;
}

void GroupIndex::Grow()
{
    std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(slots_.empty() ? kFirstSize : slots_.size() * 2));
    for (const Slot& slot : old) {
        if (slot.index != kEmpty)
            Place(slot);
    }
}

}  // namespace app
