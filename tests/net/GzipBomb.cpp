#include "GzipBomb.h"

#include <zlib.h>

namespace {

constexpr size_t kMebibyte = size_t{1} << 20;

// After a full flush the compressor starts afresh, so every MiB of zeros packs to these bytes.
std::vector<uint8_t> PackedZeroMebibyte()
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> zeros(kMebibyte, 0);
    std::vector<uint8_t> packed(deflateBound(&stream, kMebibyte) + 64);
    stream.next_in = zeros.data();
    stream.avail_in = static_cast<uInt>(zeros.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FULL_FLUSH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

void AppendLittleEndian(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> GzipOfZeroMebibytes(size_t mebibytes, std::optional<uint32_t> claimedSize)
{
    const std::vector<uint8_t> unit = PackedZeroMebibyte();
    std::vector<uint8_t> body = {0x1F, 0x8B, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0xFF};
    body.reserve(body.size() + unit.size() * mebibytes + 16);
    const std::vector<uint8_t> zeros(kMebibyte, 0);
    const uLong zeroMebibyteCrc = crc32(0, zeros.data(), static_cast<uInt>(zeros.size()));
    uLong crc = crc32(0, nullptr, 0);
    for (size_t i = 0; i < mebibytes; ++i) {
        body.insert(body.end(), unit.begin(), unit.end());
        crc = crc32_combine(crc, zeroMebibyteCrc, static_cast<z_off_t>(kMebibyte));
    }
    body.insert(body.end(), {0x03, 0x00});  // the last block: empty, fixed codes
    AppendLittleEndian(body, static_cast<uint32_t>(crc));
    AppendLittleEndian(body, claimedSize.value_or(static_cast<uint32_t>(mebibytes * kMebibyte)));
    return body;
}
