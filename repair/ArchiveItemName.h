#pragma once

#include <string>
#include <string_view>

namespace repair {

// False for a stored item name that would leave the package folder once joined to it: empty,
// rooted ("/x", "\x"), with a drive letter or stream colon ("C:x"), or holding a ".."
// component (also "..." or ".. ", which Windows trims to ".."). Both separators count, since
// Windows honours "\" inside a name too.
bool IsSafeItemName(std::wstring_view name);

}  // namespace repair
