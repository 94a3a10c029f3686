#include "MarkupTokens.h"

namespace VXM {

namespace {

bool IsOpener(wchar_t c)
{
    return c == L'<' || c == L'{';
}

bool IsCloser(wchar_t c)
{
    return c == L'>' || c == L'}';
}

bool IsLowercase(wchar_t c)
{
    return c >= L'a' && c <= L'z';
}

bool IsLineFeed(wchar_t c)
{
    return c == L'\n' || c == L'\r';
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

class MarkupLexer {
public:
    explicit MarkupLexer(std::wstring_view text) : text_(text) {}

    std::vector<MarkupToken> Run()
    {
        while (at_ < text_.size())
            Step();
        return std::move(tokens_);
    }

private:
    // Past the end reads as 0, which is none of the characters asked about.
    wchar_t At(size_t i) const { return i < text_.size() ? text_[i] : L'\0'; }

    bool IsOpenTag(size_t i) const
    {
        return IsOpener(At(i)) && IsLowercase(At(i + 1)) && (At(i + 2) == L' ' || IsCloser(At(i + 2)));
    }
    bool IsCloseTag(size_t i) const { return IsOpener(At(i)) && At(i + 1) == L'/'; }
    bool IsRawCloser(size_t i) const { return IsCloseTag(i) && At(i + 2) == L'r' && IsCloser(At(i + 3)); }
    bool IsEscape(size_t i) const
    {
        const wchar_t inner = At(i + 1);
        if (At(i) == L'<' && At(i + 2) == L'>')
            return inner == L'{' || inner == L'}';
        if (At(i) == L'{' && At(i + 2) == L'}')
            return inner == L'<' || inner == L'>';
        return false;
    }

    // Just past the next closer at or after `from`, or the end of an unterminated tag.
    size_t AfterCloser(size_t from) const
    {
        const size_t closer = text_.find_first_of(L">}", from);
        return closer == std::wstring_view::npos ? text_.size() : closer + 1;
    }

    void Push(MarkupTokenKind kind, size_t begin, size_t length)
    {
        MarkupToken token;
        token.kind = kind;
        token.begin = begin;
        token.length = length;
        tokens_.push_back(token);
    }

    void Step()
    {
        const wchar_t c = text_[at_];
        if (IsLineFeed(c)) {
            Push(MarkupTokenKind::kLineFeed, at_, 1);
            at_ += c == L'\r' && At(at_ + 1) == L'\n' ? 2 : 1;
        } else if (raw_) {
            if (IsRawCloser(at_))
                ReadCloseTag();
            else
                ReadRun();
        } else if (IsOpenTag(at_)) {
            ReadOpenTag();
        } else if (IsCloseTag(at_)) {
            ReadCloseTag();
        } else if (IsEscape(at_)) {
            Push(MarkupTokenKind::kText, at_ + 1, 1);
            at_ += 3;
        } else if (c == L' ') {
            Push(MarkupTokenKind::kSpace, at_, 1);
            ++at_;
        } else {
            ReadRun();
        }
    }

    void ReadOpenTag()
    {
        MarkupToken token;
        token.kind = MarkupTokenKind::kOpenTag;
        token.begin = at_;
        token.letter = text_[at_ + 1];
        size_t from = at_ + 2;
        while (from < text_.size() && IsBlank(text_[from]))
            ++from;
        const size_t next = AfterCloser(from);
        size_t to = next == text_.size() && !IsCloser(At(next - 1)) ? next : next - 1;
        while (to > from && IsBlank(text_[to - 1]))
            --to;
        token.parameter = text_.substr(from, to > from ? to - from : 0);
        token.length = next - at_;
        tokens_.push_back(token);
        raw_ = token.letter == L'r';
        at_ = next;
    }

    void ReadCloseTag()
    {
        MarkupToken token;
        token.kind = MarkupTokenKind::kCloseTag;
        token.begin = at_;
        token.letter = IsLowercase(At(at_ + 2)) ? At(at_ + 2) : L'\0';
        const size_t next = AfterCloser(at_ + 2);
        token.length = next - at_;
        tokens_.push_back(token);
        if (token.letter == L'r')
            raw_ = false;
        at_ = next;
    }

    // A run takes its first character whatever it is (an opener that starts no tag is drawn),
    // then extends to the next opener (in raw mode: the raw closer) or line feed.
    void ReadRun()
    {
        size_t end = at_ + 1;
        while (end < text_.size() && !IsLineFeed(text_[end]) && !(raw_ ? IsRawCloser(end) : IsOpener(text_[end])))
            ++end;
        Push(MarkupTokenKind::kText, at_, end - at_);
        at_ = end;
    }

    std::wstring_view text_;
    size_t at_ = 0;
    bool raw_ = false;
    std::vector<MarkupToken> tokens_;
};

}  // namespace

std::vector<MarkupToken> TokenizeMarkup(std::wstring_view text)
{
    return MarkupLexer(text).Run();
}

}  // namespace VXM
