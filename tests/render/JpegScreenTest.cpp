#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
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

// Byte by byte: GCC 12 warns of a bounds overrun that is not there when a vector inserts a range.
void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes)
{
    for (uint8_t byte : bytes)
        to.push_back(byte);
}

std::vector<uint8_t> Segment(uint8_t marker, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> segment{0xFF, marker, uint8_t((body.size() + 2) >> 8), uint8_t(body.size() + 2)};
    Append(segment, body);
    return segment;
}

// One 8x8 progressive component; its scans (Ss, Se, Ah/Al, coded bytes) in the given order.
std::vector<uint8_t> ProgressiveJpeg(std::initializer_list<std::array<uint8_t, 4>> scans)
{
    std::vector<uint8_t> jpeg{0xFF, 0xD8};
    std::vector<uint8_t> quantisation(65, 1);
    quantisation[0] = 0;
    std::vector<uint8_t> tables;
    for (uint8_t tableClass : {0x00, 0x10}) {
        Append(tables, {tableClass, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // one code of one bit,
        tables.push_back(0);                                                        // for the value 0
    }
    for (const std::vector<uint8_t>& segment : {Segment(0xDB, quantisation), Segment(0xC2, {8, 0, 8, 0, 8, 1, 1, 0x11, 0}), Segment(0xC4, tables)})
        Append(jpeg, segment);
    for (const auto& scan : scans) {
        Append(jpeg, Segment(0xDA, {1, 1, 0x00, scan[0], scan[1], scan[2]}));
        if (scan[3] != 0)
            jpeg.push_back(scan[3]);
    }
    Append(jpeg, {0xFF, 0xD9});
    return jpeg;
}

// A progressive scan with its bits passes; one before the DC scan it refines, or without the bit
// its block needs, is refused.
TEST(JpegScreen, FollowsProgressiveScansInTheirOrder)
{
    constexpr std::array<uint8_t, 4> kDc{0, 0, 0x00, 0x7F}, kAc{1, 63, 0x00, 0x7F}, kRefine{1, 63, 0x10, 0x7F}, kAcNoBits{1, 63, 0x00, 0};
    const struct {
        std::vector<uint8_t> jpeg;
        bool passes;
    } cases[] = {{ProgressiveJpeg({kDc, kAc}), true}, {ProgressiveJpeg({kDc, kAc, kRefine}), true},
                 {ProgressiveJpeg({kAc, kDc}), false}, {ProgressiveJpeg({kDc, kAcNoBits}), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(VXM::JpegDecodesSafely(c.jpeg.data(), c.jpeg.size()), c.passes);
        EXPECT_EQ(VXM::DecodeRgba(c.jpeg.data(), c.jpeg.size()).samples != nullptr, c.passes);
    }
}

}  // namespace
