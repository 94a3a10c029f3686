#pragma once

#include <string>
#include <string_view>

// Path helpers shared by the settings, the scans, the repair and the download.
namespace paths {

// Removes one pair of enclosing double quotes, if present.
std::wstring StripQuotes(std::wstring_view path);

// True for "\\..." and for a drive letter followed by ":\" or ":/".
bool IsAbsolute(std::wstring_view path);

// base + "\" + name with exactly one backslash between them; an absolute name wins and an
// empty base gives name alone. One pair of enclosing quotes is removed from each part first.
std::wstring Join(std::wstring_view base, std::wstring_view name);

// The part after the last "/" or "\" (the whole path when there is none).
std::wstring FileNamePart(std::wstring_view path);

// GetFileAttributesW on the path without enclosing quotes and trailing separators.
bool Exists(const std::wstring& path);

// Creates every missing level of the folder from the top; true when it exists afterwards.
bool CreateFolderWithParents(const std::wstring& path);

}  // namespace paths
