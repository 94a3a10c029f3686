#include "TextAntialias.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using VXM::TextCoverageToAlpha;

TEST(TextCoverageToAlpha, EdgePixelsBecomePremultipliedCoverage)
{
    // Red text: a full pixel, a half-covered edge, an undrawn pixel.
    std::vector<uint32_t> pixels = {0xFFFF0000, 0xFF800000, 0x00000000};
    TextCoverageToAlpha(pixels.data(), pixels.size(), RGB(255, 0, 0));
    EXPECT_EQ(pixels[0], 0xFFFF0000u) << "the text colour itself stays opaque";
    EXPECT_EQ(pixels[1], 0x80800000u);
    EXPECT_EQ(pixels[2], 0u) << "undrawn pixels stay transparent";
}

TEST(TextCoverageToAlpha, MixedColourScalesEveryChannelByTheSameFactor)
{
    // Colour 0x336699 at a quarter: 0x0C1926 read as 0x00BBGGRR against 0x00996633.
    std::vector<uint32_t> pixels = {0xFF0C1926};
    TextCoverageToAlpha(pixels.data(), pixels.size(), RGB(0x33, 0x66, 0x99));
    const uint32_t alpha = pixels[0] >> 24;
    EXPECT_NEAR(alpha, 64, 2);
    EXPECT_NEAR(pixels[0] >> 16 & 0xFF, 0x33 * alpha / 255, 1);
    EXPECT_NEAR(pixels[0] >> 8 & 0xFF, 0x66 * alpha / 255, 1);
    EXPECT_NEAR(pixels[0] & 0xFF, 0x99 * alpha / 255, 1);
}

TEST(TextCoverageToAlpha, BrighterPixelsAndBlackTextStayValid)
{
    std::vector<uint32_t> brighter = {0xFFFFFFFF};
    TextCoverageToAlpha(brighter.data(), brighter.size(), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(brighter[0] >> 24, 255u) << "alpha saturates instead of wrapping";
    EXPECT_LE(brighter[0] >> 16 & 0xFF, 255u);

    std::vector<uint32_t> black = {0xFF000000, 0xFF101010};
    TextCoverageToAlpha(black.data(), black.size(), RGB(0, 0, 0));
    EXPECT_EQ(black[0], 0xFF000000u) << "no division by the black colour";
    EXPECT_EQ(black[1], 0xFF101010u);
}

}  // namespace
