#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace VXM {

// A copy of PNG bytes without their empty IDAT chunks, or nothing when the bytes are no PNG or
// have none. stb_image copies a first IDAT of length 0 from a null buffer, which is undefined
// however harmless; the image data of the others is the same without them.
std::optional<std::vector<uint8_t>> PngWithoutEmptyIdat(const uint8_t* data, size_t size);

}  // namespace VXM
