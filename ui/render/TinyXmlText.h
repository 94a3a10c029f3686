#pragma once

#include <string_view>

namespace VXM {

// True when every byte that TinyXML, reading UTF-8, takes for the lead of a multi-byte character
// is followed by as many continuation bytes as it announces. TinyXML steps over the whole length
// a lead byte announces: after a cut sequence it swallows what follows ("<", a quote, the
// terminating zero), so it reads past the end of the text or another document than the one the
// nesting check read, nested without limit. Such a text is refused before it is parsed as UTF-8.
bool Utf8StepsFit(std::string_view text);

}  // namespace VXM
