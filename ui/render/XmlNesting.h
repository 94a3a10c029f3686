#pragma once

#include <string_view>

namespace VXM {

// TinyXML parses recursively, so a document nested deeply enough overflows the stack. This
// counts the depth of real element tags (not of quoted attribute values, comments, CDATA,
// declarations or processing instructions) without recursion; false when it passes `limit`.
bool XmlNestingWithinLimit(std::string_view text, int limit);

}  // namespace VXM
