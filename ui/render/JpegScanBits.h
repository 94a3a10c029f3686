#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace VXM {

// A Huffman table as a DHT gives it: the number of codes of each length, then their values.
struct JpegHuffmanTable {
    std::array<uint8_t, 16> counts{};
    std::array<uint8_t, 256> values{};
};

struct JpegComponent {
    int id = 0;
    int horizontal = 0;
    int vertical = 0;
};

// What stb_image knows of the image when a scan starts.
struct JpegDecodeState {
    int width = 0;
    int height = 0;
    int componentCount = 0;
    std::array<JpegComponent, 4> components{};
    bool progressive = false;
    int restartInterval = 0;
    // DC tables 0 to 3, then AC tables 0 to 3.
    std::array<JpegHuffmanTable, 8> tables{};
    // Per component and block, which AC coefficients a progressive decoding holds non-zero, in
    // zigzag order; empty until a first DC scan has cleared every block of the component.
    std::array<std::vector<uint64_t>, 4> nonZero{};
};

// Reads the scan whose SOS length is at `at` as stb_image does. False when stb_image would take
// more bits than the coded data holds before its next marker (it goes on with made-up zero bits
// and shifts by 32 or more), would carry a DC value past 16 bits (its sums then overflow int),
// or refuses the scan itself; also false for AC coefficients of a component no first DC scan has
// cleared (stb_image would refine the uninitialised memory it holds them in). Keeps the
// coefficients that turn non-zero for later scans.
bool JpegScanFits(JpegDecodeState& state, const uint8_t* data, size_t size, size_t at);

}  // namespace VXM
