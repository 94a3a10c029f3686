#include "TinyXmlText.h"

namespace VXM {

namespace {

constexpr size_t kLongestUtf8Sequence = 4;

}  // namespace

void PadForTinyXml(std::string& text)
{
    text.append(kLongestUtf8Sequence, '\0');
}

}  // namespace VXM
