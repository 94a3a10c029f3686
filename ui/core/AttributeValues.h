#pragma once

#include <windows.h>

#include <string_view>

// The value grammars of skin attributes, shared by every control class. Pure functions:
// unparsable input reads as 0 (or false), never fails.
namespace VXM::attributes {

// True only for exactly "true".
bool ParseBool(std::wstring_view value);

// A decimal number as strtol reads it: leading blanks, an optional sign, digits; stops at the
// first other character; clamped to the int range.
int ParseInt(std::wstring_view value);

// Decimal numbers, each followed by exactly one separator character ("l,t,r,b"); missing
// trailing numbers read as 0. Reads at most `count` numbers into `numbers`.
void ParseNumbers(std::wstring_view value, int* numbers, int count);
RECT ParseRect(std::wstring_view value);
SIZE ParseSize(std::wstring_view value);

// 0xAARRGGBB from an optional "#" and hexadecimal digits; with skipBlanks, characters up to
// code 32 before it are skipped first.
DWORD ParseColor(std::wstring_view value, bool skipBlanks = false);

}  // namespace VXM::attributes
