#pragma once

#include <string>
#include <string_view>

// The URL with every character of its path, query and fragment outside printable ASCII
// (blanks and controls included) percent-escaped as UTF-8, the way WinHTTP sends it. WinINet
// would send such characters as raw code-page bytes, which servers take for another name.
// Existing escapes and the scheme and host stay as they are.
std::wstring EscapeUrlAsUtf8(std::wstring_view url);
