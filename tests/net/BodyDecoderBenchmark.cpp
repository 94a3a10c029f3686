// Decodes a 1 MiB gzip body with the bulk decoder, with the byte-per-step reference and with
// zlib's one-shot inflate into a ready buffer (the floor under any decoder), side by side, and
// prints the times and the ratios. The goal: bulk at most 1.3 times the floor.
#include "ByteStepInflate.h"

#include <BodyDecoder.h>

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr size_t kBodySize = 1 << 20;
constexpr int kBulkRuns = 5;
constexpr int kReferenceRuns = 3;
constexpr double kGoalOverFloor = 1.3;
volatile unsigned g_sink = 0;  // keeps the compiler from dropping the touched buffer

// JSON-like text with random numbers in it, gzipped until the compressed body reaches 1 MiB.
std::vector<uint8_t> GzipBody()
{
    std::mt19937 random(2024);
    const char* words[] = {"{\"name\":\"", "msvcp", "vcruntime", "\",\"type\":", ",\"url\":\"http://",
                           "/runtime/", ".7z\"},", "x86", "x64", "redist"};
    z_stream stream = {};
    deflateInit2(&stream, 6, Z_DEFLATED, 16 + 15, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> body(kBodySize + 65536);
    stream.next_out = body.data();
    stream.avail_out = static_cast<uInt>(body.size());
    while (stream.total_out < kBodySize) {
        std::string chunk;
        while (chunk.size() < 4096)
            chunk += std::string(words[random() % std::size(words)]) + std::to_string(random() % 100000);
        stream.next_in = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_in = static_cast<uInt>(chunk.size());
        deflate(&stream, Z_NO_FLUSH);
    }
    deflate(&stream, Z_FINISH);
    body.resize(stream.total_out);
    deflateEnd(&stream);
    return body;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double BestTimeOf(int runs, Work work)
{
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        best = std::min(best, Milliseconds(start, end));
    }
    return best;
}

// zlib's one-shot inflate into a buffer that was allocated and touched beforehand; the decoded
// size, or 0 when the stream did not end.
size_t InflateIntoReadyBuffer(const std::vector<uint8_t>& body, std::vector<uint8_t>& ready)
{
    z_stream stream = {};
    if (inflateInit2(&stream, 15 + 32) != Z_OK)
        return 0;
    stream.next_in = const_cast<Bytef*>(body.data());
    stream.avail_in = static_cast<uInt>(body.size());
    stream.next_out = ready.data();
    stream.avail_out = static_cast<uInt>(ready.size());
    const int status = inflate(&stream, Z_FINISH);
    const size_t produced = stream.total_out;
    inflateEnd(&stream);
    return status == Z_STREAM_END ? produced : 0;
}

}  // namespace

int main()
{
    const std::vector<uint8_t> body = GzipBody();
    std::optional<std::vector<uint8_t>> bulk, reference;
    const double bulkMs =
        BestTimeOf(kBulkRuns, [&] { bulk = InflateBody(body, BodyEncoding::GzipOrZlib); });
    const double referenceMs = BestTimeOf(
        kReferenceRuns, [&] { reference = InflateBytePerStep(body, BodyEncoding::GzipOrZlib); });
    const size_t decodedSize = bulk ? bulk->size() : 0;
    // The floor under any decoder: fresh memory for the decoded bytes, allocated and touched.
    const double freshMemoryMs = BestTimeOf(kBulkRuns, [&] {
        std::vector<uint8_t> output(decodedSize + 1, 1);
        g_sink = g_sink + output[decodedSize / 2];
    });
    std::vector<uint8_t> ready(decodedSize + 1, 1);
    size_t floorSize = 0;
    const double floorMs = BestTimeOf(kBulkRuns, [&] { floorSize = InflateIntoReadyBuffer(body, ready); });
    const bool identical = bulk && reference && *bulk == *reference && floorSize == decodedSize &&
                           std::equal(bulk->begin(), bulk->end(), ready.begin());
    const double overFloor = bulkMs / floorMs;
    std::printf("gzip body: %zu bytes, decoded: %zu bytes\n", body.size(), decodedSize);
    std::printf("bulk decoder:      %10.2f ms (best of %d)\n", bulkMs, kBulkRuns);
    std::printf("byte-per-step:     %10.2f ms (best of %d)\n", referenceMs, kReferenceRuns);
    std::printf("floor:             %10.2f ms (zlib's one-shot inflate into a ready buffer)\n", floorMs);
    std::printf("fresh output only: %10.2f ms (allocating and touching the decoded size)\n",
                freshMemoryMs);
    std::printf("byte-per-step / bulk: %7.1f x, output %s\n", referenceMs / bulkMs,
                identical ? "identical" : "DIFFERENT");
    std::printf("bulk / floor:      %10.2f x (goal: at most %.1f x, %s)\n", overFloor, kGoalOverFloor,
                overFloor <= kGoalOverFloor ? "met" : "NOT met");
    return identical ? 0 : 1;
}
