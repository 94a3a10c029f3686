#pragma once

#include <string>
#include <string_view>

#include <windows.h>

// UTF-8 to UTF-16; invalid sequences become U+FFFD. Like the other conversions it throws
// std::bad_alloc when memory runs out: the engine's entry points turn that into their failure,
// where an empty text would pass for a real one.
std::wstring Utf8ToWide(std::string_view text);

// UTF-16 to a narrow code page; characters without a mapping become '_' (unless UTF-8).
std::string WideToCodePage(std::wstring_view text, UINT codePage);

// Header names, encodings and host names compare without regard to the user's locale.
std::wstring AsciiLower(std::wstring_view text);
bool ContainsIgnoringAsciiCase(std::wstring_view text, std::wstring_view word);
