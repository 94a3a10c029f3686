#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class BodyEncoding {
    Identity,
    GzipOrZlib,  // header detected automatically, window 15
    RawDeflate,
};

// "gzip" anywhere in the header (case ignored) wins over "deflate"; anything else is identity.
BodyEncoding EncodingFromHeader(std::wstring_view contentEncoding);

// Output starts with this much room (or a gzip body's own size field, when plausible) and
// doubles whenever it is full.
inline constexpr size_t kInflateInitialOutput = 0x50000;
// A reply decodes to at most this much (16 MiB): the runtime-library list is a few KB, while a
// small compressed reply could otherwise inflate to gigabytes on the UI thread.
inline constexpr size_t kMaxDecodedBody = size_t{16} << 20;

// The inflated bytes up to the end of the stream, or up to the end of the input when the stream
// is cut short; nothing when the data is corrupt, would inflate beyond kMaxDecodedBody or memory
// runs out.
std::optional<std::vector<uint8_t>> InflateBody(std::span<const uint8_t> body,
                                                BodyEncoding encoding);

// The body decoded as its Content-Encoding says, or the body unchanged when it cannot be.
std::vector<uint8_t> DecodeBody(std::vector<uint8_t> body, std::wstring_view contentEncoding);

// The bytes before the first zero byte; empty when memory runs out.
std::string NarrowTextUpToZero(std::span<const uint8_t> bytes);
