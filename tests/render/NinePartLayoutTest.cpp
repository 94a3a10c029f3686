#include "NinePartLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace VXM;

bool Same(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

TEST(NinePartLayout, CornersKeepTheirSizeAndTheRestStretches)
{
    NineParts layout = LayoutNineParts(RECT{0, 0, 100, 30}, RECT{12, 0, 24, 12}, RECT{4, 3, 2, 5}, false);
    ASSERT_EQ(layout.count, 9u);
    const ImagePart expected[] = {
        {{4, 3, 98, 25}, {16, 3, 22, 7}},   // centre
        {{0, 0, 4, 3}, {12, 0, 16, 3}},     // top-left
        {{4, 0, 98, 3}, {16, 0, 22, 3}},    // top
        {{98, 0, 100, 3}, {22, 0, 24, 3}},  // top-right
        {{0, 3, 4, 25}, {12, 3, 16, 7}},    // left
        {{98, 3, 100, 25}, {22, 3, 24, 7}}, // right
        {{0, 25, 4, 30}, {12, 7, 16, 12}},  // bottom-left
        {{4, 25, 98, 30}, {16, 7, 22, 12}}, // bottom
        {{98, 25, 100, 30}, {22, 7, 24, 12}},
    };
    for (size_t i = 0; i < layout.count; ++i) {
        EXPECT_TRUE(Same(layout.parts[i].dest, expected[i].dest)) << i;
        EXPECT_TRUE(Same(layout.parts[i].source, expected[i].source)) << i;
    }
}

TEST(NinePartLayout, HoleAndZeroWidthsLeavePartsOut)
{
    EXPECT_EQ(LayoutNineParts(RECT{0, 0, 9, 9}, RECT{0, 0, 3, 3}, RECT{1, 1, 1, 1}, true).count, 8u);

    NineParts plain = LayoutNineParts(RECT{5, 5, 50, 50}, RECT{0, 0, 3, 3}, RECT{}, false);
    ASSERT_EQ(plain.count, 1u);
    EXPECT_TRUE(Same(plain.parts[0].dest, RECT{5, 5, 50, 50}));
    EXPECT_TRUE(Same(plain.parts[0].source, RECT{0, 0, 3, 3}));

    // A left border alone: no corner has both widths, so centre and left edge only.
    NineParts left = LayoutNineParts(RECT{0, 0, 20, 20}, RECT{0, 0, 10, 10}, RECT{4, 0, 0, 0}, false);
    ASSERT_EQ(left.count, 2u);
    EXPECT_TRUE(Same(left.parts[1].dest, RECT{0, 0, 4, 20}));
}

}  // namespace
