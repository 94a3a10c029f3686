#pragma once

#include <string_view>
#include <vector>

namespace VXM {

// One name="value" pair of an attribute list; views into the list text.
struct AttributePair {
    std::wstring_view name;
    std::wstring_view value;
};

// The pairs of `name="value" name="value"`, one blank between pairs, up to the first pair of
// another shape or a character other than a blank after a closing quote.
std::vector<AttributePair> ParseAttributeList(std::wstring_view list);

}  // namespace VXM
