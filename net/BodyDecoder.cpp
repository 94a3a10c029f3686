#include "BodyDecoder.h"

#include "TextEncoding.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace {

constexpr int kWindowBits = 15;
constexpr int kDetectGzipOrZlib = 32;
// zlib counts in 32-bit units; larger bodies go through in slices.
constexpr size_t kMaxSlice = size_t{1} << 30;
// Deflate cannot expand beyond this ratio; a size field claiming more is a lie.
constexpr size_t kMaxDeflateRatio = 1032;
constexpr size_t kGzipMinimumSize = 18;

class InflateStream {
public:
    explicit InflateStream(BodyEncoding encoding)
    {
        const int windowBits = encoding == BodyEncoding::RawDeflate
                                   ? -kWindowBits
                                   : kWindowBits + kDetectGzipOrZlib;
        ready_ = inflateInit2(&stream_, windowBits) == Z_OK;
    }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;
    ~InflateStream()
    {
        if (ready_)
            inflateEnd(&stream_);
    }

    bool Ready() const { return ready_; }
    z_stream& Get() { return stream_; }

private:
    z_stream stream_ = {};
    bool ready_ = false;
};

bool TryResize(std::vector<uint8_t>& buffer, size_t size)
{
    try {
        buffer.resize(size);
        return true;
    } catch (const std::bad_alloc&) {
        // A reply that inflates beyond memory is treated like a corrupt one.
        return false;
    }
}

// A gzip body ends with its decoded size (mod 2^32). Taken as the first output size when deflate
// could produce it and the cap allows it, so a large body is not decoded through ever-doubling
// fresh buffers, and a lying one allocates no more than the cap.
size_t DeclaredGzipSize(std::span<const uint8_t> body)
{
    if (body.size() < kGzipMinimumSize || body[0] != 0x1F || body[1] != 0x8B)
        return 0;
    const uint8_t* size = body.data() + body.size() - 4;
    const size_t declared = size[0] | size[1] << 8 | size[2] << 16 | static_cast<size_t>(size[3]) << 24;
    return declared <= body.size() * kMaxDeflateRatio && declared <= kMaxDecodedBody ? declared : 0;
}

bool AllocateOutput(std::vector<uint8_t>& output, std::span<const uint8_t> body, BodyEncoding encoding)
{
    const size_t declared = encoding == BodyEncoding::GzipOrZlib ? DeclaredGzipSize(body) : 0;
    if (declared > kInflateInitialOutput && TryResize(output, declared))
        return true;
    return TryResize(output, kInflateInitialOutput);
}

}  // namespace

BodyEncoding EncodingFromHeader(std::wstring_view contentEncoding)
{
    if (ContainsIgnoringAsciiCase(contentEncoding, L"gzip"))
        return BodyEncoding::GzipOrZlib;
    if (ContainsIgnoringAsciiCase(contentEncoding, L"deflate"))
        return BodyEncoding::RawDeflate;
    return BodyEncoding::Identity;
}

std::optional<std::vector<uint8_t>> InflateBody(std::span<const uint8_t> body,
                                                BodyEncoding encoding)
{
    InflateStream inflater(encoding);
    std::vector<uint8_t> output;
    if (!inflater.Ready() || !AllocateOutput(output, body, encoding))
        return std::nullopt;
    z_stream& stream = inflater.Get();
    size_t consumed = 0;
    size_t produced = 0;
    for (;;) {
        // One byte of room past the cap tells a body that reaches it from one that passes it.
        if (produced == output.size() &&
            (produced > kMaxDecodedBody || !TryResize(output, std::min(produced * 2, kMaxDecodedBody + 1))))
            return std::nullopt;
        const size_t inSlice = std::min(body.size() - consumed, kMaxSlice);
        const size_t outSlice = std::min(output.size() - produced, kMaxSlice);
        stream.next_in = const_cast<Bytef*>(body.data() + consumed);
        stream.avail_in = static_cast<uInt>(inSlice);
        stream.next_out = output.data() + produced;
        stream.avail_out = static_cast<uInt>(outSlice);
        // A data error is final: zlib keeps a failed stream failed, so no header fed after it
        // (such as 78 01) could rescue the body.
        const int status = inflate(&stream, Z_NO_FLUSH);
        consumed += inSlice - stream.avail_in;
        produced += outSlice - stream.avail_out;
        if (status == Z_STREAM_END)
            break;
        // No progress with room left in the output: the input is used up and fully drained.
        if (status == Z_BUF_ERROR && produced < output.size())
            break;
        if (status != Z_OK && status != Z_BUF_ERROR)
            return std::nullopt;
    }
    if (produced > kMaxDecodedBody)
        return std::nullopt;
    output.resize(produced);
    // A lying size field leaves much unused room behind; the body keeps only what it needs.
    if (output.capacity() > 2 * produced + kInflateInitialOutput)
        output.shrink_to_fit();
    return output;
}

std::vector<uint8_t> DecodeBody(std::vector<uint8_t> body, std::wstring_view contentEncoding)
{
    const BodyEncoding encoding = EncodingFromHeader(contentEncoding);
    if (body.empty() || encoding == BodyEncoding::Identity)
        return body;
    std::optional<std::vector<uint8_t>> inflated = InflateBody(body, encoding);
    return inflated ? std::move(*inflated) : std::move(body);
}

std::string NarrowTextUpToZero(std::span<const uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    try {
        return std::string(bytes.begin(), end);
    } catch (const std::bad_alloc&) {
        return {};
    }
}
