#pragma once

#include <string>

namespace repair {

inline constexpr int kExtractOk = 0;
inline constexpr int kExtractCannotOpen = 1;
inline constexpr int kExtractOutOfMemory = 2;  // also the decoder's own code for it
inline constexpr int kExtractOutputFailed = 11;

// Unpacks a 7z archive into the destination folder (a trailing "\" is added when missing):
// folders from the "/" in item names, every file written whole, stored attributes applied.
// Items whose names would leave the destination are skipped. Returns one of the codes above,
// or the decoder's error code for a damaged archive; items before a failure stay unpacked.
int ExtractArchive(const std::wstring& archivePath, const std::wstring& destination);

}  // namespace repair
