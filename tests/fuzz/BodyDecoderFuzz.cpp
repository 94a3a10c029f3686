#include <zlib.h>

#include <optional>
#include <vector>

#include "BodyDecoder.h"
#include "FuzzSupport.h"

namespace {

// Plain zlib into a growing buffer: the bytes up to the stream's end or the input's, or nothing
// for corrupt data or more than the cap.
std::optional<std::vector<uint8_t>> ReferenceInflate(const std::vector<uint8_t>& body, BodyEncoding encoding)
{
    z_stream stream = {};
    if (inflateInit2(&stream, encoding == BodyEncoding::RawDeflate ? -15 : 15 + 32) != Z_OK)
        return std::nullopt;
    std::vector<uint8_t> output;
    stream.next_in = const_cast<Bytef*>(body.data());
    stream.avail_in = static_cast<uInt>(body.size());
    constexpr size_t kStep = 1 << 16;
    std::optional<std::vector<uint8_t>> result;
    while (output.size() <= kMaxDecodedBody) {
        const size_t produced = output.size() - stream.avail_out;
        if (stream.avail_out == 0) {
            output.resize(output.size() + kStep);
            stream.next_out = output.data() + produced;
            stream.avail_out = kStep;
        }
        const int status = inflate(&stream, Z_NO_FLUSH);
        const bool drained = stream.avail_in == 0 && stream.avail_out > 0;
        if (status == Z_STREAM_END || ((status == Z_OK || status == Z_BUF_ERROR) && drained)) {
            output.resize(output.size() - stream.avail_out);
            if (output.size() <= kMaxDecodedBody)
                result = std::move(output);
            break;
        }
        if (status != Z_OK && status != Z_BUF_ERROR)
            break;
    }
    inflateEnd(&stream);
    return result;
}

}  // namespace

// The decoder never returns more than its cap and agrees with plain zlib on every body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const BodyEncoding encoding = input.ConsumeBool() ? BodyEncoding::RawDeflate : BodyEncoding::GzipOrZlib;
    const std::vector<uint8_t> body = input.ConsumeRemainingBytes<uint8_t>();
    const std::optional<std::vector<uint8_t>> decoded = InflateBody(body, encoding);
    const std::optional<std::vector<uint8_t>> reference = ReferenceInflate(body, encoding);
    FUZZ_CHECK(decoded.has_value() == reference.has_value());
    if (decoded) {
        FUZZ_CHECK(decoded->size() <= kMaxDecodedBody);
        FUZZ_CHECK(*decoded == *reference);
    }
    return 0;
}
