#include "MarkupTokens.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace VXM;
using Kind = MarkupTokenKind;

// Tokens written compactly: "T:abc" text, "S" space, "L" line feed, "<b:name" opening tag,
// "/b" closing tag ("/?" without a letter).
std::vector<std::wstring> Describe(std::wstring_view text)
{
    std::vector<std::wstring> out;
    for (const MarkupToken& token : TokenizeMarkup(text)) {
        switch (token.kind) {
        case Kind::kText:
            out.push_back(L"T:" + std::wstring(text.substr(token.begin, token.length)));
            break;
        case Kind::kSpace:
            out.push_back(L"S");
            break;
        case Kind::kLineFeed:
            out.push_back(L"L");
            break;
        case Kind::kOpenTag:
            out.push_back(std::wstring(L"<") + token.letter + L":" + std::wstring(token.parameter));
            break;
        case Kind::kCloseTag:
            out.push_back(std::wstring(L"/") + (token.letter ? token.letter : L'?'));
            break;
        }
    }
    return out;
}

using Tokens = std::vector<std::wstring>;

TEST(TokenizeMarkup, TagsOfBothStylesWithTheirParameters)
{
    EXPECT_EQ(Describe(L"共<c #FF0000>12</c>项"), (Tokens{L"T:共", L"<c:#FF0000", L"T:12", L"/c", L"T:项"}));
    EXPECT_EQ(Describe(L"{b bold}x{/b}"), (Tokens{L"<b:bold", L"T:x", L"/b"}));
    EXPECT_EQ(Describe(L"<f   big  }x</f>"), (Tokens{L"<f:big", L"T:x", L"/f"})) << "blanks trimmed, styles mixed";
    EXPECT_EQ(Describe(L"a<n>b{p 5>c"), (Tokens{L"T:a", L"<n:", L"T:b", L"<p:5", L"T:c"}));
    EXPECT_EQ(Describe(L"<q whatever>x</q junk>"), (Tokens{L"<q:whatever", L"T:x", L"/q"})) << "unknown letters";
}

TEST(TokenizeMarkup, OpenersThatStartNoTagAreText)
{
    EXPECT_EQ(Describe(L"a < b"), (Tokens{L"T:a ", L"T:< b"}));
    EXPECT_EQ(Describe(L"<B x>"), (Tokens{L"T:<B x>"})) << "uppercase letter";
    EXPECT_EQ(Describe(L"<bx>"), (Tokens{L"T:<bx>"})) << "letter not followed by a blank or closer";
    EXPECT_EQ(Describe(L"1<2{3"), (Tokens{L"T:1", L"T:<2", L"T:{3"}));
}

TEST(TokenizeMarkup, EscapesSpacesAndLineFeeds)
{
    EXPECT_EQ(Describe(L"<{><}>{<}{>}"), (Tokens{L"T:{", L"T:}", L"T:<", L"T:>"}));
    EXPECT_EQ(Describe(L" a b"), (Tokens{L"S", L"T:a b"})) << "a space alone only where a run would start";
    EXPECT_EQ(Describe(L"a\r\nb\rc\nd"), (Tokens{L"T:a", L"L", L"T:b", L"L", L"T:c", L"L", L"T:d"}));
}

TEST(TokenizeMarkup, RawModeKeepsTagsAsTextUntilTheRawCloser)
{
    EXPECT_EQ(Describe(L"<r><b bold>x {n}</b>{/r}<b bold>"),
              (Tokens{L"<r:", L"T:<b bold>x {n}</b>", L"/r", L"<b:bold"}));
    EXPECT_EQ(Describe(L"<r>a\nb</r}c"), (Tokens{L"<r:", L"T:a", L"L", L"T:b", L"/r", L"T:c"}));
    EXPECT_EQ(Describe(L"<r> <x 5>"), (Tokens{L"<r:", L"T: <x 5>"})) << "unterminated raw text";
}

TEST(TokenizeMarkup, TagsCutOffByTheEndOfTheText)
{
    EXPECT_EQ(Describe(L"a<c #ff"), (Tokens{L"T:a", L"<c:#ff"}));
    EXPECT_EQ(Describe(L"a<b "), (Tokens{L"T:a", L"<b:"}));
    EXPECT_EQ(Describe(L"a</"), (Tokens{L"T:a", L"/?"}));
    EXPECT_EQ(Describe(L"a</c"), (Tokens{L"T:a", L"/c"}));
    EXPECT_EQ(Describe(L"a<"), (Tokens{L"T:a", L"T:<"}));
    EXPECT_EQ(Describe(L"<{"), (Tokens{L"T:<", L"T:{"}));
    EXPECT_TRUE(Describe(L"").empty());
}

// Whatever the input, tokens lie inside the text, in order, and the tokenizer ends.
TEST(TokenizeMarkup, RandomMarkupGivesOrderedTokensInsideTheText)
{
    const std::wstring alphabet = L"<>{}/ abcnrpsxy#0123456789\r\n中";
    std::mt19937 random(13);
    for (int round = 0; round < 20; ++round) {
        std::wstring text;
        for (int i = 0; i < 5000; ++i)
            text += alphabet[random() % alphabet.size()];
        long long previousBegin = -1;
        for (const MarkupToken& token : TokenizeMarkup(text)) {
            ASSERT_GT(static_cast<long long>(token.begin), previousBegin);
            ASSERT_LE(token.begin + token.length, text.size());
            if (token.kind == Kind::kText || token.kind == Kind::kSpace) {
                ASSERT_GT(token.length, 0u);
            }
            const wchar_t* data = text.data();
            ASSERT_TRUE(token.parameter.empty() || (token.parameter.data() >= data &&
                                                    token.parameter.data() + token.parameter.size() <= data + text.size()));
            previousBegin = static_cast<long long>(token.begin);
        }
    }
}

}  // namespace
