#pragma once

#include <cstddef>
#include <cstdint>

namespace VXM {

// False for a JPEG with a Huffman table whose 16 code counts add up to more than 256 (stb_image
// builds the table from the counts before it checks anything and writes past the table's 257
// entries), or with a scan that uses a Huffman table no DHT defined before it (stb_image reads
// such a table from memory it never set, far outside the table), or with a scan stb_image would
// read past its coded bits or carry DC values past 16 bits in (see JpegScanFits); every other
// input is true.
bool JpegDecodesSafely(const uint8_t* data, size_t size);

}  // namespace VXM
