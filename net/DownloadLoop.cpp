#include "DownloadLoop.h"

#include <windows.h>

#include <algorithm>

namespace {

struct DownloadState {
    uint32_t expected = 0;
    uint32_t received = 0;
};

bool ReceiveOpenLength(const PieceReader& read, const PieceWriter& write)
{
    uint8_t piece[kDownloadPieceSize];
    DownloadState state{kOpenLengthCap, 0};
    while (state.received < state.expected) {
        uint32_t got = 0;
        if (!read(piece, kDownloadPieceSize, got))
            return false;
        if (got == 0)
            return true;
        if (!write(piece, got))
            return false;
        state.received += got;
    }
    if (state.received > state.expected)
        return false;
    // Exactly at the cap: whole only if nothing follows, otherwise the file would be cut short.
    uint32_t got = 0;
    return read(piece, kDownloadPieceSize, got) && got == 0;
}

bool ReceiveKnownLength(uint32_t length, const PieceReader& read, const PieceWriter& write)
{
    uint8_t piece[kDownloadPieceSize];
    DownloadState state{length, 0};
    int emptyReads = 0;
    while (state.received < state.expected) {
        const uint32_t wanted = std::min(kDownloadPieceSize, state.expected - state.received);
        uint32_t got = 0;
        if (!read(piece, wanted, got))
            return false;
        if (got == 0) {
            Sleep(kEmptyReadWaitMs);
            if (++emptyReads == kEmptyReadLimit)
                break;
            continue;
        }
        if (!write(piece, got))
            return false;
        state.received += got;
    }
    return state.received == state.expected;
}

}  // namespace

bool ReceiveDownload(uint32_t knownLength, const PieceReader& read, const PieceWriter& write)
{
    return knownLength == 0 ? ReceiveOpenLength(read, write)
                            : ReceiveKnownLength(knownLength, read, write);
}
