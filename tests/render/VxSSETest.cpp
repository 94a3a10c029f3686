#include "VxSSE.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using VXM::VxSSE;

TEST(VxSSE, OpenAlphaKeepsOnlyWhatGdiDrew)
{
    std::vector<uint32_t> pixels = {0x00123456, 0x01123456, 0xFF000000, 0x00000000, 0x80FFFFFF};
    VxSSE::OpenAlpha(pixels.data(), pixels.size());
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFF123456, 0, 0, 0xFF000000, 0}));
}

TEST(VxSSE, SseAndPlainFormsGiveTheSameBytes)
{
    EXPECT_TRUE(VxSSE::IsSupportSSE());
    std::mt19937 random(11);
    for (size_t length : {1u, 3u, 5u, 7u, 9u, 63u, 1027u}) {
        std::vector<uint32_t> input(length);
        for (auto& pixel : input)
            pixel = random() & (random() % 2 ? 0x00FFFFFF : 0xFFFFFFFF);  // half with alpha 0
        auto plain = input, sse = input;
        VxSSE::OpenAlphaPlain(plain.data(), length);
        VxSSE::OpenAlphaSSE(sse.data(), length);
        EXPECT_EQ(sse, plain) << length;
        plain = sse = input;
        VxSSE::DoOrPlain(plain.data(), length, 0x01000000);
        VxSSE::DoOrSSE(sse.data(), length, 0x01000000);
        EXPECT_EQ(sse, plain) << length;
        EXPECT_EQ(plain[length - 1], input[length - 1] | 0x01000000) << "the tail past the last block too";
    }
}

}  // namespace
