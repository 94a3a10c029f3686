#pragma once

#include <UniqueHandle.h>

#include <string>
#include <vector>

namespace repair {

inline constexpr int kExtractOk = 0;
inline constexpr int kExtractCannotOpen = 1;
inline constexpr int kExtractOutOfMemory = 2;
inline constexpr int kExtractOutputFailed = 11;
// A damaged or unsupported archive: this plus the decoder's own error code, so that no decoder
// code reads as one of the codes above (its data error is 1, its general failure 11).
inline constexpr int kExtractDecoderErrorBase = 100;

// A file one unpacking wrote, held open for reading only: nobody can change, replace or remove
// it until the holder lets go, and it was read back to hold exactly what was unpacked.
struct UnpackedFile {
    std::wstring name;  // relative to the destination, "\" between folder levels
    FileHandle lock;
};
using UnpackedFiles = std::vector<UnpackedFile>;

// Unpacks a 7z archive into the destination folder (a trailing "\" is added when missing):
// folders from the "/" in item names, every file written whole, stored attributes applied.
// Items whose names would leave the destination or open a device are skipped. Returns one of the
// codes above; items before a failure stay unpacked. With unpacked given, it receives the files
// this unpacking wrote, each held as UnpackedFile says.
int ExtractArchive(const std::wstring& archivePath, const std::wstring& destination,
                   UnpackedFiles* unpacked = nullptr);

}  // namespace repair
