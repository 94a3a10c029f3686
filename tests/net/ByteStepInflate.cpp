#include "ByteStepInflate.h"

#include <zlib.h>

std::optional<std::vector<uint8_t>> InflateBytePerStep(std::span<const uint8_t> body,
                                                       BodyEncoding encoding)
{
    z_stream stream = {};
    if (inflateInit2(&stream, encoding == BodyEncoding::RawDeflate ? -15 : 15 + 32) != Z_OK)
        return std::nullopt;
    std::vector<uint8_t> output(kInflateInitialOutput);
    size_t consumed = 0;
    size_t produced = 0;
    bool firstStep = true;
    bool complete = false;
    for (;;) {
        if (produced == output.size())
            output.resize(output.size() * 2);
        stream.next_in = const_cast<Bytef*>(body.data() + consumed);
        stream.avail_in = consumed < body.size() ? 1 : 0;
        stream.next_out = output.data() + produced;
        stream.avail_out = 1;
        const uInt inBefore = stream.avail_in;
        int status = inflate(&stream, Z_NO_FLUSH);
        consumed += inBefore - stream.avail_in;
        produced += 1 - stream.avail_out;
        if (status == Z_DATA_ERROR && firstStep) {
            static const Bytef zlibHeader[] = {0x78, 0x01};
            stream.next_in = const_cast<Bytef*>(zlibHeader);
            stream.avail_in = sizeof(zlibHeader);
            status = inflate(&stream, Z_NO_FLUSH);
            produced = static_cast<size_t>(stream.next_out - output.data());
        }
        firstStep = false;
        if (status == Z_STREAM_END || (status == Z_BUF_ERROR && consumed == body.size())) {
            complete = true;
            break;
        }
        if (status != Z_OK)
            break;
    }
    inflateEnd(&stream);
    if (!complete)
        return std::nullopt;
    output.resize(produced);
    return output;
}
