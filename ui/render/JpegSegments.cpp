#include "JpegSegments.h"

#include "JpegScanBits.h"

namespace VXM {

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kHuffmanTables = 0xC4;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kRestartInterval = 0xDD;
constexpr uint8_t kBaselineFrame = 0xC0;
constexpr uint8_t kProgressiveFrame = 0xC2;
constexpr int kTableRoom = 256;
constexpr int kCodeLengths = 16;
// stb_image is built to refuse larger images; reading their scans would take long for nothing.
constexpr int kDimensionLimit = 1 << 14;

// Reads as stb_image does: zeros past the end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size, size_t at) : data_(data), size_(size), at_(at) {}
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    int Next16()
    {
        const int high = Next();
        return high << 8 | Next();
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_;
};

// The tables of one DHT segment, read the way stb_image reads them: counts are taken even when
// the segment's length has run out. A table class or id stb_image refuses is refused.
bool TablesFit(const uint8_t* data, size_t size, size_t at, unsigned& defined, JpegDecodeState& state)
{
    ByteReader reader(data, size, at);
    int left = reader.Next16() - 2;
    while (left > 0) {
        const uint8_t classAndId = reader.Next();
        if (classAndId >> 4 > 1 || (classAndId & 15) > 3)
            return false;
        const int table = (classAndId >> 4) * 4 + (classAndId & 3);
        defined |= 1u << table;
        JpegHuffmanTable& huffman = state.tables[table];
        int codes = 0;
        for (uint8_t& count : huffman.counts) {
            count = reader.Next();
            codes += count;
        }
        if (codes > kTableRoom)
            return false;
        for (int i = 0; i < codes; ++i)
            huffman.values[i] = reader.Next();
        left -= 1 + kCodeLengths + codes;
    }
    return true;
}

// The frame's size and components as stb_image takes them; false for one it refuses, a second
// frame among them.
bool FrameFits(const uint8_t* data, size_t size, size_t at, JpegDecodeState& state)
{
    if (state.componentCount != 0)
        return false;
    ByteReader reader(data, size, at);
    reader.Next16();
    reader.Next();  // precision
    state.height = reader.Next16();
    state.width = reader.Next16();
    state.componentCount = reader.Next();
    if (state.width > kDimensionLimit || state.height > kDimensionLimit || state.componentCount > 4)
        return false;
    for (int i = 0; i < state.componentCount; ++i) {
        JpegComponent& component = state.components[i];
        component.id = reader.Next();
        const uint8_t sampling = reader.Next();
        component.horizontal = sampling >> 4;
        component.vertical = sampling & 15;
        reader.Next();  // quantisation table
        if (component.horizontal < 1 || component.horizontal > 4 || component.vertical < 1 || component.vertical > 4)
            return false;
    }
    return true;
}

// stb_image decodes a scan with the tables its components name whether or not a DHT defined
// them, from memory it never set. A DC scan (spectral start 0, first pass) needs the DC tables,
// any scan reaching past coefficient 0 the AC tables; a sequential scan always reaches
// coefficient 63, whatever spectral end it gives.
bool ScanTablesDefined(const uint8_t* data, size_t size, size_t at, unsigned defined, bool progressive)
{
    ByteReader reader(data, size, at);
    reader.Next16();
    const int components = reader.Next();
    unsigned needed[2] = {};
    for (int i = 0; i < components; ++i) {
        reader.Next();  // component id
        const uint8_t tables = reader.Next();
        needed[0] |= 1u << (tables >> 4 & 3);
        needed[1] |= 1u << (4 + (tables & 3));
    }
    const uint8_t spectralStart = reader.Next();
    const uint8_t spectralEnd = reader.Next();
    const uint8_t approximation = reader.Next();
    unsigned required = 0;
    if (spectralStart == 0 && (approximation >> 4) == 0)
        required |= needed[0];
    if (spectralEnd > 0 || !progressive)
        required |= needed[1];
    return (required & ~defined) == 0;
}

// Markers without a length: stuffed zero, TEM, restarts, start and end of image.
bool StandsAlone(uint8_t marker)
{
    return marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= kEndOfImage);
}

}  // namespace

bool JpegDecodesSafely(const uint8_t* data, size_t size)
{
    // stb_image takes fill bytes before any marker, the first one too.
    size_t at = 0;
    while (at < size && data[at] == kMarkerPrefix)
        ++at;
    if (at == 0 || at >= size || data[at] != kStartOfImage)
        return true;
    ++at;
    // Every marker, in the headers and between the scans' entropy-coded bytes, as stb_image
    // finds them; segments are stepped over by their length.
    unsigned defined = 0;
    JpegDecodeState state;
    while (at < size) {
        if (data[at++] != kMarkerPrefix)
            continue;
        while (at < size && data[at] == kMarkerPrefix)
            ++at;
        if (at >= size)
            break;
        const uint8_t marker = data[at++];
        if (marker == kEndOfImage)
            break;
        if (StandsAlone(marker))
            continue;
        if (marker == kHuffmanTables && !TablesFit(data, size, at, defined, state))
            return false;
        if (marker >= kBaselineFrame && marker <= kProgressiveFrame) {
            state.progressive = marker == kProgressiveFrame;
            if (!FrameFits(data, size, at, state))
                return false;
        }
        if (marker == kRestartInterval)
            state.restartInterval = ByteReader(data, size, at + 2).Next16();
        if (marker == kStartOfScan &&
            (!ScanTablesDefined(data, size, at, defined, state.progressive) || !JpegScanFits(state, data, size, at)))
            return false;
        const size_t length = at + 1 < size ? size_t{data[at]} << 8 | data[at + 1] : 2;
        at += length < 2 ? 2 : length;
    }
    return true;
}

}  // namespace VXM
