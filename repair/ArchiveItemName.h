#pragma once

#include <string>
#include <string_view>

namespace repair {

// False for a stored item name that would leave the package folder once joined to it: empty,
// rooted ("/x", "\x"), with a drive letter or stream colon ("C:x"), holding a ".." component
// (also "..." or ".. ", which Windows trims to ".."), or with a component that Windows opens as
// a device ("CON", "nul.txt", "LPT1.dll", "COM9 ", "CONIN$"). Both separators count, since
// Windows honours "\" inside a name too.
bool IsSafeItemName(std::wstring_view name);

}  // namespace repair
