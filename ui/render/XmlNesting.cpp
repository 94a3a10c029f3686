#include "XmlNesting.h"

#include <cctype>
#include <string>
#include <vector>

namespace VXM {

namespace {

// TinyXML's own character classes (UTF-8 input: every byte above 126 counts as a letter).
bool IsNameStart(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 127 || std::isalpha(byte) || c == '_';
}

bool IsNameChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 127 || std::isalnum(byte) || c == '_' || c == '-' || c == '.' || c == ':';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// TinyXML reads "&#x" up to the next ";", whatever lies between, when the characters before the
// ";" back to the last "x" are hexadecimal digits: a "<" or a quote inside is swallowed. The end
// of such an entity, or npos.
size_t HexEntityEnd(std::string_view text, size_t at)
{
    if (text.substr(at, 3) != "&#x" || at + 3 >= text.size())
        return std::string_view::npos;
    const size_t end = text.find_first_of(std::string_view(";\0", 2), at + 3);  // strchr stops at a zero
    if (end == std::string_view::npos || text[end] != ';')
        return std::string_view::npos;
    for (size_t q = end - 1; text[q] != 'x'; --q) {
        if (!std::isxdigit(static_cast<unsigned char>(text[q])))
            return std::string_view::npos;
    }
    return end + 1;
}

class TagReader {
public:
    TagReader(std::string_view text, int maxDepth) : text_(text), maxDepth_(maxDepth) {}

    bool Read()
    {
        while ((pos_ = text_.find_first_of("<&", pos_)) != std::string_view::npos) {
            if (text_[pos_] == '&') {
                const size_t entityEnd = HexEntityEnd(text_, pos_);
                pos_ = entityEnd == std::string_view::npos ? pos_ + 1 : entityEnd;
            } else if (!ReadMarkup()) {
                return false;
            }
        }
        return true;
    }

private:
    bool StartsWith(std::string_view prefix) const { return text_.substr(pos_).starts_with(prefix); }

    bool SkipOpenerAndPast(size_t opener, std::string_view end)
    {
        const size_t found = text_.find(end, pos_ + opener);
        if (found == std::string_view::npos)
            return false;
        pos_ = found + end.size();
        return true;
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
    }

    std::string_view ReadName()
    {
        const size_t start = pos_;
        if (pos_ < text_.size() && IsNameStart(text_[pos_])) {
            while (++pos_ < text_.size() && IsNameChar(text_[pos_])) {
            }
        }
        return text_.substr(start, pos_ - start);
    }

    bool ReadMarkup()
    {
        // The end is looked for after the opener, as TinyXML does: "<!-->" opens a comment.
        if (StartsWith("<!--"))
            return SkipOpenerAndPast(4, "-->");
        if (StartsWith("<![CDATA["))
            return SkipOpenerAndPast(9, "]]>");
        if (StartsWith("<!") || StartsWith("<?"))
            return SkipSection();
        if (StartsWith("</"))
            return ReadEndTag();
        return ReadStartTag();
    }

    // TinyXML ends these at the first ">"; its declaration reader honours quotes, so a ">" inside
    // an open quote would make the two readings part.
    bool SkipSection()
    {
        const size_t end = text_.find('>', pos_);
        if (end == std::string_view::npos)
            return false;
        const std::string_view section = text_.substr(pos_, end - pos_);
        size_t doubleQuotes = 0, singleQuotes = 0;
        for (char c : section) {
            doubleQuotes += c == '"';
            singleQuotes += c == '\'';
        }
        pos_ = end + 1;
        return doubleQuotes % 2 == 0 && singleQuotes % 2 == 0;
    }

    bool ReadEndTag()
    {
        pos_ += 2;
        const std::string_view name = ReadName();
        SkipBlanks();
        if (name.empty() || open_.empty() || open_.back() != name || pos_ >= text_.size() || text_[pos_] != '>')
            return false;
        open_.pop_back();
        ++pos_;
        return true;
    }

    bool ReadStartTag()
    {
        ++pos_;
        const std::string_view name = ReadName();
        if (name.empty())
            return false;
        for (;;) {
            SkipBlanks();
            if (pos_ >= text_.size())
                return false;
            if (text_[pos_] == '>') {
                ++pos_;
                open_.push_back(name);
                return static_cast<int>(open_.size()) <= maxDepth_;
            }
            if (StartsWith("/>")) {
                pos_ += 2;
                return true;
            }
            if (!ReadAttribute())
                return false;
        }
    }

    // Only quoted values, as well-formed XML has them; no "<" in one, except inside an entity that
    // TinyXML swallows whole.
    bool ReadAttribute()
    {
        if (ReadName().empty())
            return false;
        SkipBlanks();
        if (pos_ >= text_.size() || text_[pos_] != '=')
            return false;
        ++pos_;
        SkipBlanks();
        if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\''))
            return false;
        const char quote = text_[pos_];
        for (size_t at = pos_ + 1; at < text_.size();) {
            if (text_[at] == quote) {
                pos_ = at + 1;
                return true;
            }
            if (text_[at] == '<')
                return false;
            const size_t entityEnd = HexEntityEnd(text_, at);
            at = entityEnd == std::string_view::npos ? at + 1 : entityEnd;
        }
        return false;
    }

    std::string_view text_;
    int maxDepth_ = 0;
    size_t pos_ = 0;
    std::vector<std::string_view> open_;
};

}  // namespace

bool XmlNestingWithin(std::string_view text, int maxDepth)
{
    return TagReader(text, maxDepth).Read();
}

}  // namespace VXM
