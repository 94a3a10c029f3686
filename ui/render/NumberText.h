#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Number reading over string views, with the C library's rules (leading blanks, a sign,
// saturation on overflow, 0 when there is no number) but never reading past the view.
namespace VXM {

// Base 10; consumed receives the characters used, 0 when there was no number.
int32_t ParseInt(std::wstring_view text, size_t* consumed = nullptr);

// Base 16, with an optional "0x" prefix.
uint32_t ParseHex(std::wstring_view text, size_t* consumed = nullptr);

// count integers, each starting one character after the end of the previous; missing ones are 0.
void ParseIntList(std::wstring_view text, int32_t* values, size_t count);

// Hexadecimal 0xAARRGGBB after an optional "#".
uint32_t ParseColor(std::wstring_view text);

double ParseReal(std::wstring_view text);

}  // namespace VXM
