#pragma once

#include <cstdint>
#include <functional>

// Without Content-Length a download takes at most this much (50 MiB).
inline constexpr uint32_t kOpenLengthCap = 52428800;
inline constexpr uint32_t kDownloadPieceSize = 4096;
// In known-length mode the fourth empty read of a download ends it.
inline constexpr int kEmptyReadLimit = 4;
inline constexpr uint32_t kEmptyReadWaitMs = 10;

// Reads up to size bytes into buffer and sets read; false when the read failed.
using PieceReader = std::function<bool(uint8_t* buffer, uint32_t size, uint32_t& read)>;
// Stores the bytes; false when they could not all be stored.
using PieceWriter = std::function<bool(const uint8_t* data, uint32_t size)>;

// Streams a reply to the writer in pieces of at most 4096 bytes. knownLength 0 means the server
// sent no length: the reply then ends at the first empty read and must not pass the cap. True when
// the reply arrived whole.
bool ReceiveDownload(uint32_t knownLength, const PieceReader& read, const PieceWriter& write);
