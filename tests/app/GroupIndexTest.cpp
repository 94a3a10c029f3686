#include "GroupIndex.h"

#include <gtest/gtest.h>

#include <vector>

using app::GroupIndex;

// Every index found again under its hash, whatever the hashes share: one value for all, values
// that land in one slot of the table, and values spread wide; across the table's growth.
TEST(GroupIndex, FindsEachIndexUnderItsHashAndAsksTheOwnerAboutEveryCandidate)
{
    struct Case {
        const char* name;
        uint32_t (*hashOf)(int index);
    };
    const Case cases[] = {
        {"one hash for all", [](int) { return 7u; }},
        {"one slot, other hashes", [](int index) { return static_cast<uint32_t>(index) << 20; }},
        {"spread", [](int index) { return static_cast<uint32_t>(index) * 2654435761u; }},
    };
    constexpr int kIndexes = 300;
    for (const Case& test : cases) {
        GroupIndex index;
        EXPECT_EQ(index.Find(test.hashOf(0), [](int) { return true; }), -1) << test.name;
        for (int i = 0; i < kIndexes; ++i)
            index.Insert(test.hashOf(i), i);
        index.Insert(test.hashOf(0), -1);
        ASSERT_EQ(index.Size(), static_cast<size_t>(kIndexes)) << test.name;
        for (int i = 0; i < kIndexes; ++i) {
            std::vector<int> asked;
            const int found = index.Find(test.hashOf(i), [&](int candidate) {
                asked.push_back(candidate);
                return candidate == i;
            });
            ASSERT_EQ(found, i) << test.name;
            for (int candidate : asked)
                ASSERT_EQ(test.hashOf(candidate), test.hashOf(i)) << test.name << ": only equal hashes are asked";
        }
        EXPECT_EQ(index.Find(test.hashOf(kIndexes - 1), [](int) { return false; }), -1) << test.name;
        EXPECT_GE(index.BytesKept(), 2 * kIndexes * 8u) << test.name << ": at most half the slots used";
    }
}
