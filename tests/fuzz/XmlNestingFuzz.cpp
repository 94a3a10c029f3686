#include <tinyxml.h>

#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "TinyXmlText.h"
#include "XmlNesting.h"

namespace {

// Small, so that mutations reach the limit.
constexpr int kMaxDepth = 8;

// Elements that hold something, the ones the check counts: an empty element opens nothing.
int ElementDepth(const TiXmlNode* node)
{
    int deepest = 0;
    for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling())
        deepest = std::max(deepest, ElementDepth(child));
    return deepest + (node->ToElement() && node->FirstChild() ? 1 : 0);
}

}  // namespace

// What the nesting check lets through, TinyXML parses without overrunning the text, and the
// tree it builds is no deeper than the check said.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!VXM::XmlNestingWithin(text, kMaxDepth))
        return 0;
    VXM::PadForTinyXml(text);
    for (TiXmlEncoding encoding : {TIXML_ENCODING_UTF8, TIXML_ENCODING_LEGACY}) {
        TiXmlDocument document;
        document.Parse(text.c_str(), nullptr, encoding);
        FUZZ_CHECK(ElementDepth(&document) <= kMaxDepth);
    }
    return 0;
}
