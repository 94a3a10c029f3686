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
// tree it builds is no deeper than the check said. UTF-8 goes to TinyXML only when its steps fit,
// and legacy text without a byte-order mark (which would switch TinyXML to UTF-8), as the
// product hands them over.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!VXM::XmlNestingWithin(text, kMaxDepth))
        return 0;
    for (TiXmlEncoding encoding : {TIXML_ENCODING_UTF8, TIXML_ENCODING_LEGACY}) {
        if (encoding == TIXML_ENCODING_UTF8 ? !VXM::Utf8StepsFit(text) : text.starts_with("\xEF\xBB\xBF"))
            continue;
        TiXmlDocument document;
        document.Parse(text.c_str(), nullptr, encoding);
        FUZZ_CHECK(ElementDepth(&document) <= kMaxDepth);
    }
    return 0;
}
