#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The inline mark-up of formatted text read into tokens. Tags open with "<" or "{" and close
// with ">" or "}" (mixed freely); raw mode (after an r tag) is resolved here, so the layout
// sees it only as text.
namespace VXM {

enum class MarkupTokenKind {
    kText,      // characters drawn as they are: a run, or the one character of an escape
    kSpace,     // a space met where a run would start: measured and drawn on its own
    kLineFeed,  // "\n", "\r\n" or "\r"
    kOpenTag,   // opener, lowercase letter, then a space, ">" or "}"
    kCloseTag,  // opener, "/", letter
};

struct MarkupToken {
    MarkupTokenKind kind = MarkupTokenKind::kText;
    size_t begin = 0;   // text and space: where the characters are in the source
    size_t length = 0;
    wchar_t letter = 0;           // tags: the letter; 0 for a closing tag without a lowercase letter
    std::wstring_view parameter;  // opening tags: what follows the letter, blanks trimmed
};

std::vector<MarkupToken> TokenizeMarkup(std::wstring_view text);

}  // namespace VXM
