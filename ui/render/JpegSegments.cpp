#include "JpegSegments.h"

namespace VXM {

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kHuffmanTables = 0xC4;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kBaselineFrame = 0xC0;
constexpr uint8_t kProgressiveFrame = 0xC2;
constexpr int kTableRoom = 256;
constexpr int kCodeLengths = 16;

// Reads as stb_image does: zeros past the end.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size, size_t at) : data_(data), size_(size), at_(at) {}
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    int Next16() { return Next() << 8 | Next(); }
    void Skip(size_t count) { at_ = count < size_ - at_ ? at_ + count : size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_;
};

// The tables of one DHT segment, read the way stb_image reads them: counts are taken even when
// the segment's length has run out.
// defined collects the tables seen, one bit per class (DC 0, AC 1) and id: bit class * 4 + id.
bool TablesFit(const uint8_t* data, size_t size, size_t at, unsigned& defined)
{
    ByteReader reader(data, size, at);
    int left = reader.Next16() - 2;
    while (left > 0) {
        const uint8_t classAndId = reader.Next();
        defined |= 1u << ((classAndId >> 4 & 1) * 4 + (classAndId & 3));
        int codes = 0;
        for (int i = 0; i < kCodeLengths; ++i)
            codes += reader.Next();
        if (codes > kTableRoom)
            return false;
        reader.Skip(static_cast<size_t>(codes));
        left -= 1 + kCodeLengths + codes;
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

bool JpegHuffmanCountsFit(const uint8_t* data, size_t size)
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
    bool progressive = false;
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
        if (marker == kHuffmanTables && !TablesFit(data, size, at, defined))
            return false;
        if (marker >= kBaselineFrame && marker <= kProgressiveFrame)
            progressive = marker == kProgressiveFrame;
        if (marker == kStartOfScan && !ScanTablesDefined(data, size, at, defined, progressive))
            return false;
        const size_t length = at + 1 < size ? size_t{data[at]} << 8 | data[at + 1] : 2;
        at += length < 2 ? 2 : length;
    }
    return true;
}

}  // namespace VXM
