#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "VxImageInfo.h"

namespace VXM {

// PNG, JPEG or BMP bytes, whatever the name says, to a premultiplied image; null when the
// bytes do not decode or the bitmap cannot be made.
std::unique_ptr<VxImageInfo> DecodeImage(const uint8_t* data, size_t size, DWORD mask);

}  // namespace VXM
