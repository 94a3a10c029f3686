#include "ByteStepInflate.h"
#include "GzipBomb.h"

#include <BodyDecoder.h>
#include <MemoryPeak.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

namespace {

enum class Wrapper { Gzip = 16 + 15, Zlib = 15, Raw = -15 };

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> Compress(const std::vector<uint8_t>& data, Wrapper wrapper)
{
    z_stream stream = {};
    deflateInit2(&stream, 9, Z_DEFLATED, static_cast<int>(wrapper), 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> packed(deflateBound(&stream, static_cast<uLong>(data.size())) + 32);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return packed;
}

std::vector<uint8_t> Text(size_t size)
{
    std::mt19937 random(7);
    const std::string words[] = {"runtime ", "msvcp140.dll ", "vcruntime ", "{\"name\":", "x86 "};
    std::string text;
    while (text.size() < size)
        text += words[random() % std::size(words)];
    text.resize(size);
    return Bytes(text);
}

std::vector<uint8_t> Noise(size_t size)
{
    std::mt19937 random(11);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes)
        byte = static_cast<uint8_t>(random());
    return bytes;
}

struct Sample {
    const char* name;
    std::vector<uint8_t> body;
    BodyEncoding encoding;
};

std::vector<Sample> Samples()
{
    const std::vector<uint8_t> large = Text(900000);  // inflates past the first output size
    const std::vector<uint8_t> gzipped = Compress(large, Wrapper::Gzip);
    std::vector<uint8_t> truncated(gzipped.begin(), gzipped.begin() + gzipped.size() / 2);
    std::vector<uint8_t> badCrc = Compress(Text(5000), Wrapper::Gzip);
    badCrc[badCrc.size() - 6] ^= 0xFF;
    std::vector<uint8_t> trailing = Compress(Text(3000), Wrapper::Gzip);
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
    // Bytes after the stream that read as a plausible, wrong decoded size (5000000).
    std::vector<uint8_t> wrongSizeAfter = gzipped;
    wrongSizeAfter.insert(wrongSizeAfter.end(), {0x40, 0x4B, 0x4C, 0x00});
    std::vector<uint8_t> wrongSizeField = Compress(Text(5000), Wrapper::Gzip);
    wrongSizeField.back() ^= 0x01;
    return {
        {"gzip", Compress(Text(2000), Wrapper::Gzip), BodyEncoding::GzipOrZlib},
        {"large gzip", gzipped, BodyEncoding::GzipOrZlib},
        {"zlib under gzip", Compress(Text(2000), Wrapper::Zlib), BodyEncoding::GzipOrZlib},
        {"raw deflate", Compress(Text(2000), Wrapper::Raw), BodyEncoding::RawDeflate},
        {"raw ending in a long match", Compress(Bytes(std::string(3000, 'a')), Wrapper::Raw),
         BodyEncoding::RawDeflate},
        {"raw noise", Compress(Noise(70000), Wrapper::Raw), BodyEncoding::RawDeflate},
        {"truncated gzip", truncated, BodyEncoding::GzipOrZlib},
        {"gzip with a bad checksum", badCrc, BodyEncoding::GzipOrZlib},
        {"gzip with trailing bytes", trailing, BodyEncoding::GzipOrZlib},
        {"gzip followed by a wrong size", wrongSizeAfter, BodyEncoding::GzipOrZlib},
        {"gzip with a wrong size field", wrongSizeField, BodyEncoding::GzipOrZlib},
        {"plain text as gzip", Bytes("hello world"), BodyEncoding::GzipOrZlib},
        {"invalid first block as raw", Bytes("\x07\x01\x02\x03"), BodyEncoding::RawDeflate},
        {"noise as gzip", Noise(4096), BodyEncoding::GzipOrZlib},
        {"noise as raw", Noise(4096), BodyEncoding::RawDeflate},
        {"gzip as raw", Compress(Text(100), Wrapper::Gzip), BodyEncoding::RawDeflate},
    };
}

}  // namespace

TEST(BodyDecoder, BulkInflateMatchesTheBytePerStepReference)
{
    for (const Sample& sample : Samples()) {
        SCOPED_TRACE(sample.name);
        const auto bulk = InflateBody(sample.body, sample.encoding);
        const auto reference = InflateBytePerStep(sample.body, sample.encoding);
        ASSERT_EQ(bulk.has_value(), reference.has_value());
        if (bulk) {
            EXPECT_TRUE(*bulk == *reference);
        }
    }
}

TEST(BodyDecoder, InflatesWholeStreamsAndRejectsCorruptOnes)
{
    const std::vector<uint8_t> text = Text(900000);
    EXPECT_EQ(InflateBody(Compress(text, Wrapper::Gzip), BodyEncoding::GzipOrZlib), text);
    EXPECT_EQ(InflateBody(Compress(text, Wrapper::Zlib), BodyEncoding::GzipOrZlib), text);
    // Its last input byte ends a back-reference whose bytes must still come out.
    const std::vector<uint8_t> run = Bytes(std::string(3000, 'a'));
    EXPECT_EQ(InflateBody(Compress(run, Wrapper::Raw), BodyEncoding::RawDeflate), run);

    std::vector<uint8_t> badCrc = Compress(text, Wrapper::Gzip);
    badCrc[badCrc.size() - 6] ^= 0xFF;
    EXPECT_FALSE(InflateBody(badCrc, BodyEncoding::GzipOrZlib));
    EXPECT_FALSE(InflateBody(Bytes("hello world"), BodyEncoding::GzipOrZlib));
    std::vector<uint8_t> badSize = Compress(text, Wrapper::Gzip);
    badSize.back() ^= 0x01;
    EXPECT_FALSE(InflateBody(badSize, BodyEncoding::GzipOrZlib));
    // The last four bytes are no longer the stream's size field: a wrong first guess only.
    std::vector<uint8_t> followed = Compress(text, Wrapper::Gzip);
    followed.insert(followed.end(), {0x40, 0x4B, 0x4C, 0x00});
    EXPECT_EQ(InflateBody(followed, BodyEncoding::GzipOrZlib), text);

    const std::vector<uint8_t> gzipped = Compress(text, Wrapper::Gzip);
    const auto cut = InflateBody(std::span(gzipped).first(gzipped.size() / 2), BodyEncoding::GzipOrZlib);
    ASSERT_TRUE(cut);
    ASSERT_GT(cut->size(), 0u);
    EXPECT_TRUE(std::equal(cut->begin(), cut->end(), text.begin()));
}

TEST(BodyDecoder, DecodesByContentEncodingAndKeepsWhatItCannotDecode)
{
    const std::vector<uint8_t> text = Text(500);
    EXPECT_EQ(DecodeBody(Compress(text, Wrapper::Gzip), L"GZip"), text);
    EXPECT_EQ(DecodeBody(Compress(text, Wrapper::Gzip), L"deflate, x-gzip"), text);
    EXPECT_EQ(DecodeBody(Compress(text, Wrapper::Raw), L"deflate"), text);
    const std::vector<uint8_t> gzipped = Compress(text, Wrapper::Gzip);
    EXPECT_EQ(DecodeBody(gzipped, L""), gzipped);
    EXPECT_EQ(DecodeBody(gzipped, L"br"), gzipped);
    EXPECT_EQ(DecodeBody(Bytes("not gzip at all"), L"gzip"), Bytes("not gzip at all"));
}

TEST(BodyDecoder, BombInflatingToAGibibyteFailsAtTheCapAndKeepsTheBody)
{
    const std::vector<uint8_t> bomb = GzipOfZeroMebibytes(1024);
    ASSERT_LT(bomb.size(), size_t{2} << 20);
    std::optional<std::vector<uint8_t>> inflated;
    const size_t growth =
        memory_peak::GrowthDuring([&] { inflated = InflateBody(bomb, BodyEncoding::GzipOrZlib); });
    EXPECT_FALSE(inflated.has_value());
    EXPECT_LT(growth, size_t{256} << 20);
    EXPECT_EQ(DecodeBody(bomb, L"gzip"), bomb) << "a body that cannot be decoded stays as received";
}

TEST(BodyDecoder, LyingFourGibibyteSizeFieldAllocatesNoMoreThanTheCap)
{
    // Large enough that deflate could in principle produce the claimed size.
    const std::vector<uint8_t> body = GzipOfZeroMebibytes(4200, 0xFFFFFFFFu);
    const size_t growth = memory_peak::GrowthDuring([&] { EXPECT_FALSE(InflateBody(body, BodyEncoding::GzipOrZlib)); });
    EXPECT_LT(growth, size_t{256} << 20);
}

TEST(BodyDecoder, DecodedSizeMayReachTheCapButNotPassIt)
{
    const std::vector<uint8_t> atCap = Bytes(std::string(kMaxDecodedBody, 'a'));
    const auto whole = InflateBody(Compress(atCap, Wrapper::Gzip), BodyEncoding::GzipOrZlib);
    ASSERT_TRUE(whole.has_value());
    EXPECT_TRUE(*whole == atCap);
    const std::vector<uint8_t> pastCap = Bytes(std::string(kMaxDecodedBody + 1, 'a'));
    EXPECT_FALSE(InflateBody(Compress(pastCap, Wrapper::Gzip), BodyEncoding::GzipOrZlib));
    EXPECT_FALSE(InflateBody(Compress(pastCap, Wrapper::Raw), BodyEncoding::RawDeflate));
}

TEST(BodyDecoder, NarrowTextEndsAtTheFirstZeroByte)
{
    EXPECT_EQ(NarrowTextUpToZero(Bytes(std::string("{\"a\":1}\0tail", 12))), "{\"a\":1}");
    EXPECT_EQ(NarrowTextUpToZero(Bytes("\xE4\xB8\xAD")), "\xE4\xB8\xAD");
    EXPECT_EQ(NarrowTextUpToZero({}), "");
}
