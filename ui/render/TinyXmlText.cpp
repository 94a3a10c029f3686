#include "TinyXmlText.h"

namespace VXM {

namespace {

// TinyXML's own table: 0xC2 to 0xDF lead two bytes, 0xE0 to 0xEF three, 0xF0 to 0xF4 four.
size_t StepLength(unsigned char lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

bool Utf8StepsFit(std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = StepLength(static_cast<unsigned char>(text[at]));
        if (length > text.size() - at)
            return false;
        for (size_t i = 1; i < length; ++i) {
            if (!IsContinuation(static_cast<unsigned char>(text[at + i])))
                return false;
        }
        at += length;
    }
    return true;
}

}  // namespace VXM
