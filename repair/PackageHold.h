#pragma once

#include <UniqueHandle.h>

#include <string>

namespace repair {

// The downloaded package, opened for reading only so that nobody can change, replace or remove
// it between its check and its use, and hashed through that handle: with a digest given (64
// lower-case hexadecimal digits), a file with another one is deleted. Empty when the package is
// missing or was deleted; the holder keeps it until the package's action has run.
FileHandle HoldVerifiedPackage(const std::wstring& localFile, const std::string& sha256);

}  // namespace repair
