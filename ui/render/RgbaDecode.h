#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace VXM {

struct RgbaSamplesDeleter {
    void operator()(uint8_t* samples) const;
};

// R, G, B, A bytes, row by row from the top.
struct RgbaImage {
    std::unique_ptr<uint8_t, RgbaSamplesDeleter> samples;
    int width = 0;
    int height = 0;
};

// PNG, JPEG or BMP bytes, whatever the name says; no samples when the bytes do not decode or
// the image is too large for this process.
RgbaImage DecodeRgba(const uint8_t* data, size_t size);

}  // namespace VXM
