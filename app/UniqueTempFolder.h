#pragma once

#include <string>

namespace settings {

// The two numbers of a unique folder name. The first is chosen once per process, the second
// counts up from a random start, so two runs in the same second still pick different names.
struct UniqueFolderCounter {
    int first = 0;
    int second = 0;
};

// "NqXD" followed by six digits (each number shown modulo 1000, three digits each).
std::wstring UniqueFolderName(int first, int second);

// Creates base + a fresh name and returns it with a trailing "\"; empty when no folder could be
// made. Moves the counter on; a name that already exists moves both numbers on and is retried.
std::wstring CreateUniqueFolder(const std::wstring& base, UniqueFolderCounter& counter);

// The user's temporary folder in its long form with a trailing "\", or empty.
std::wstring TempFolder();

// CreateUniqueFolder in the temporary folder with the process-wide counter.
std::wstring CreateUniqueTempFolder();

}  // namespace settings
