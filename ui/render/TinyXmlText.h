#pragma once

#include <string>

namespace VXM {

// TinyXML steps over a UTF-8 sequence by the length its lead byte announces, even when the text
// ends inside it, and then reads on from past the terminating zero. The zeros appended here give
// such a step somewhere to land; TinyXML still sees the text end at the first of them.
void PadForTinyXml(std::string& text);

}  // namespace VXM
