#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "JpegSegments.h"
#include "RgbaDecode.h"

namespace {

std::vector<uint8_t> EncodeJpeg(int width, int height, int channels, int quality)
{
    std::vector<uint8_t> pixels(size_t(width) * height * channels);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 37 % 251);
    std::vector<uint8_t> jpeg;
    const auto append = [](void* out, void* data, int size) {
        auto* bytes = static_cast<uint8_t*>(data);
        static_cast<std::vector<uint8_t>*>(out)->insert(static_cast<std::vector<uint8_t>*>(out)->end(), bytes, bytes + size);
    };
    stbi_write_jpg_to_func(append, &jpeg, width, height, channels, pixels.data(), quality);
    return jpeg;
}

// A whole image passes and decodes; cut anywhere inside its scan, it needs bits it no longer has.
TEST(JpegScreen, PassesWholeImagesAndRefusesEveryScanCutShort)
{
    struct Case { int width, height, channels, quality; };
    for (const Case c : {Case{8, 8, 1, 95}, Case{17, 9, 3, 95}, Case{33, 20, 3, 50}, Case{64, 48, 1, 50}}) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.channels << " q" << c.quality);
        const std::vector<uint8_t> jpeg = EncodeJpeg(c.width, c.height, c.channels, c.quality);
        ASSERT_TRUE(VXM::JpegDecodesSafely(jpeg.data(), jpeg.size()));
        const VXM::RgbaImage image = VXM::DecodeRgba(jpeg.data(), jpeg.size());
        ASSERT_TRUE(image.samples);
        EXPECT_EQ(image.width, c.width);
        size_t scanStart = 0;
        while (scanStart + 1 < jpeg.size() && !(jpeg[scanStart] == 0xFF && jpeg[scanStart + 1] == 0xDA))
            ++scanStart;
        const size_t dataStart = scanStart + 2 + (jpeg[scanStart + 2] << 8 | jpeg[scanStart + 3]);
        for (size_t cut = dataStart; cut + 2 < jpeg.size(); ++cut) {
            std::vector<uint8_t> shorter(jpeg.begin(), jpeg.begin() + cut);
            shorter.insert(shorter.end(), {0xFF, 0xD9});
            EXPECT_FALSE(VXM::JpegDecodesSafely(shorter.data(), shorter.size())) << "cut at " << cut;
        }
    }
}

}  // namespace
