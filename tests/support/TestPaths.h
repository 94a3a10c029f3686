#pragma once

#include <string>

namespace testing_paths {

// The folder of the running test exe, with a trailing backslash. Zentarium.exe and the
// fixtures folder the build makes sit beside the test executables.
std::wstring ExeFolder();

// ExeFolder() + "fixtures\" + name.
std::wstring Fixture(const std::wstring& name);

// The whole contents of a file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);

}  // namespace testing_paths
