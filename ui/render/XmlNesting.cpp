#include "XmlNesting.h"

namespace VXM {
namespace {

// Position after `terminator` at or after `from`, or npos.
size_t After(std::string_view text, size_t from, std::string_view terminator)
{
    const size_t at = text.find(terminator, from);
    return at == std::string_view::npos ? at : at + terminator.size();
}

// Position after the '>' that ends the tag opened at `from`, skipping quoted values; sets
// `selfClosing` when the tag ends with "/>". npos for an unterminated tag.
size_t EndOfTag(std::string_view text, size_t from, bool& selfClosing)
{
    char quote = 0;
    for (size_t i = from + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            selfClosing = text[i - 1] == '/';
            return i + 1;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool XmlNestingWithinLimit(std::string_view text, int limit)
{
    int depth = 0;
    size_t i = 0;
    while ((i = text.find('<', i)) != std::string_view::npos) {
        const std::string_view rest = text.substr(i);
        if (rest.substr(0, 4) == "<!--") {
            i = After(text, i + 4, "-->");
        } else if (rest.substr(0, 9) == "<![CDATA[") {
            i = After(text, i + 9, "]]>");
        } else if (rest.substr(0, 2) == "<?") {
            i = After(text, i + 2, "?>");
        } else if (rest.substr(0, 2) == "<!") {
            i = After(text, i + 2, ">");
        } else {
            bool selfClosing = false;
            const size_t end = EndOfTag(text, i, selfClosing);
            if (rest.substr(0, 2) == "</")
                --depth;
            else if (!selfClosing && ++depth > limit)
                return false;
            i = end;
        }
        if (i == std::string_view::npos)
            break;
    }
    return true;
}

}  // namespace VXM
