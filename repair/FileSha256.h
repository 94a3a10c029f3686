#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace repair {

// The SHA-256 of the whole file behind the handle (read from its start) as 64 lower-case
// hexadecimal digits (the platform's CNG provider); nothing when it cannot be read or the
// provider fails. Hashing through the handle that is later used keeps the digest true for it.
std::optional<std::string> Sha256Of(HANDLE file);

// The same for a file by its path.
std::optional<std::string> FileSha256(const std::wstring& path);

}  // namespace repair
