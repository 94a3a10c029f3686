#pragma once

#include <string_view>

namespace VXM {

// TinyXML parses elements recursively, so a document nested deeply enough overflows the stack.
// True when the text is a document whose elements nest at most maxDepth deep, counted over real
// tags only, as TinyXML reads them: quoted attribute values, comments, CDATA sections,
// declarations and other "<!" / "<?" sections are stepped over, so a "/>" or "</" inside them
// counts for nothing. Every end tag must close the element open at that point. Text that this
// reading cannot follow is refused, whatever TinyXML would make of it.
bool XmlNestingWithin(std::string_view text, int maxDepth);

}  // namespace VXM
