#include <DownloadLoop.h>

#include <gtest/gtest.h>

#include <deque>

namespace {

// Answers each read with the next scripted count (never more than asked); records the sizes asked.
struct ScriptedReply {
    std::deque<uint32_t> counts;
    std::vector<uint32_t> asked;
    uint32_t written = 0;

    bool Run(uint32_t knownLength)
    {
        const PieceReader read = [this](uint8_t*, uint32_t size, uint32_t& got) {
            asked.push_back(size);
            got = 0;
            if (!counts.empty()) {
                got = std::min(counts.front(), size);
                counts.pop_front();
            }
            return true;
        };
        const PieceWriter write = [this](const uint8_t*, uint32_t size) {
            written += size;
            return true;
        };
        return ReceiveDownload(knownLength, read, write);
    }
};

}  // namespace

TEST(DownloadLoop, KnownLengthAsksForAtMostTheMissingBytes)
{
    ScriptedReply reply{{4096, 4096, 1000}};
    EXPECT_TRUE(reply.Run(9192));
    EXPECT_EQ(reply.asked, (std::vector<uint32_t>{4096, 4096, 1000}));
    EXPECT_EQ(reply.written, 9192u);
}

TEST(DownloadLoop, EmptyReadsAreCountedOverTheWholeDownload)
{
    ScriptedReply gaps{{0, 0, 0, 4096, 4096, 4096}};
    EXPECT_TRUE(gaps.Run(4096 * 3));
    ScriptedReply fourthGap{{100, 0, 100, 0, 100, 0, 100, 0, 100}};
    EXPECT_FALSE(fourthGap.Run(1000));
    EXPECT_EQ(fourthGap.written, 400u);
    EXPECT_EQ(fourthGap.counts.size(), 1u) << "reading went on after the fourth empty read";
}

TEST(DownloadLoop, OpenLengthEndsAtTheFirstEmptyRead)
{
    ScriptedReply reply{{4096, 10, 0, 4096}};
    EXPECT_TRUE(reply.Run(0));
    EXPECT_EQ(reply.written, 4106u);
}

TEST(DownloadLoop, OpenLengthFailsOnlyWhenTheReplyGoesPastTheCap)
{
    const uint32_t pieces = kOpenLengthCap / kDownloadPieceSize;
    ScriptedReply exact{std::deque<uint32_t>(pieces, kDownloadPieceSize)};
    EXPECT_TRUE(exact.Run(0));
    EXPECT_EQ(exact.written, kOpenLengthCap);

    ScriptedReply longer{std::deque<uint32_t>(pieces + 1, kDownloadPieceSize)};
    EXPECT_FALSE(longer.Run(0));

    std::deque<uint32_t> uneven(pieces, kDownloadPieceSize);
    uneven.front() = 100;  // the last full piece then crosses the cap
    uneven.push_back(kDownloadPieceSize);
    ScriptedReply crossing{uneven};
    EXPECT_FALSE(crossing.Run(0));
}

TEST(DownloadLoop, FailedReadOrShortWriteFailsTheDownload)
{
    const PieceReader failing = [](uint8_t*, uint32_t, uint32_t& got) { got = 0; return false; };
    const PieceWriter anyWrite = [](const uint8_t*, uint32_t) { return true; };
    EXPECT_FALSE(ReceiveDownload(100, failing, anyWrite));
    EXPECT_FALSE(ReceiveDownload(0, failing, anyWrite));

    const PieceReader full = [](uint8_t*, uint32_t size, uint32_t& got) { got = size; return true; };
    const PieceWriter refusing = [](const uint8_t*, uint32_t) { return false; };
    EXPECT_FALSE(ReceiveDownload(100, full, refusing));
}
