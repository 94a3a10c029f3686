#pragma once

#include <optional>
#include <string>

namespace repair {

// The SHA-256 of the file's contents as 64 lower-case hexadecimal digits (the platform's CNG
// provider); nothing when the file cannot be read or the provider fails.
std::optional<std::string> FileSha256(const std::wstring& path);

// True when the file can be read and its digest equals the expected lower-case digits.
bool FileMatchesSha256(const std::wstring& path, const std::string& expected);

}  // namespace repair
