#include <string>

#include "FuzzSupport.h"
#include "MarkupTokens.h"

// Text and space tokens lie inside the text in order without overlapping, a space token holds
// only blanks, tag parameters are views into the text, and every opening tag has its letter.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::wstring text = RemainingWide(input);
    const std::vector<VXM::MarkupToken> tokens = VXM::TokenizeMarkup(text);
    FUZZ_CHECK(tokens.size() <= text.size());
    size_t end = 0;
    for (const VXM::MarkupToken& token : tokens) {
        switch (token.kind) {
        case VXM::MarkupTokenKind::kSpace:
            for (size_t i = token.begin; i < token.begin + token.length && i < text.size(); ++i)
                FUZZ_CHECK(text[i] == L' ' || text[i] == L'\t');
            [[fallthrough]];
        case VXM::MarkupTokenKind::kText:
            FUZZ_CHECK(token.length > 0 && token.begin >= end && token.begin + token.length <= text.size());
            end = token.begin + token.length;
            break;
        case VXM::MarkupTokenKind::kOpenTag:
            FUZZ_CHECK(token.letter >= L'a' && token.letter <= L'z');
            FUZZ_CHECK(token.parameter.empty() || (token.parameter.data() >= text.data() &&
                                                   token.parameter.data() + token.parameter.size() <= text.data() + text.size()));
            break;
        default:
            break;
        }
    }
    return 0;
}
