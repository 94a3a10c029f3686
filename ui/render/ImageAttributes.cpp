#include "ImageAttributes.h"

#include <algorithm>

#include "NumberText.h"

namespace VXM {

namespace {

// Far beyond any screen, and small enough that sums of a few coordinates cannot overflow.
constexpr int32_t kCoordinateLimit = 1 << 24;

int32_t Coordinate(int32_t value)
{
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

// The layouts' coordinate bound: a destination within it leaves room for the image's borders.
constexpr int64_t kDestinationLimit = 0x3FFFFFFF;

LONG Destination(int64_t value)
{
    return static_cast<LONG>(std::clamp(value, -kDestinationLimit, kDestinationLimit));
}

bool IsTrue(std::wstring_view value)
{
    return value == L"true";
}

RECT ReadRect(std::wstring_view value)
{
    int32_t numbers[4] = {};
    ParseIntList(value, numbers, 4);
    return RECT{Coordinate(numbers[0]), Coordinate(numbers[1]), Coordinate(numbers[2]), Coordinate(numbers[3])};
}

SIZE ReadSize(std::wstring_view value)
{
    int32_t numbers[2] = {};
    ParseIntList(value, numbers, 2);
    return SIZE{Coordinate(numbers[0]), Coordinate(numbers[1])};
}

void ApplyPiece(std::wstring_view key, std::wstring_view value, VxImageAttributes& attributes)
{
    if (key == L"file" || key == L"res")
        attributes.name = value;
    else if (key == L"restype")
        attributes.resourceType = value;
    else if (key == L"dest")
        attributes.dest = ReadRect(value);
    else if (key == L"layout")
        attributes.layout = value;
    else if (key == L"source")
        attributes.source = ReadRect(value);
    else if (key == L"corner")
        attributes.corner = ReadRect(value);
    else if (key == L"mask")
        attributes.mask = ParseColor(value);
    else if (key == L"fade")
        attributes.fade = static_cast<BYTE>(ParseInt(value));
    else if (key == L"hole")
        attributes.hole = IsTrue(value);
    else if (key == L"alphaClose")
        attributes.alphaClose = IsTrue(value);
    else if (key == L"encrypt")
        attributes.encrypt = IsTrue(value);
    else if (key == L"icon")
        attributes.icon = IsTrue(value);
    else if (key == L"iconsize")
        attributes.iconSize = ParseInt(value);
    else if (key == L"round")
        attributes.round = ReadSize(value);
    else if (key == L"reverse")
        attributes.reverse = IsTrue(value);
    else if (key == L"rotate")
        attributes.rotate = ParseReal(value);
    else if (key == L"rgnimage")
        attributes.regionImage = value;
    else if (key == L"rgnrestype")
        attributes.regionResourceType = value;
    else if (key == L"rgnmask")
        attributes.regionMask = ParseColor(value);
}

void ApplyString(std::wstring_view text, VxImageAttributes& attributes)
{
    ImagePieceReader reader(text);
    std::wstring_view key, value;
    while (reader.Next(key, value)) {
        if (!value.empty())
            ApplyPiece(key, value, attributes);
    }
}

bool Contains(std::wstring_view text, std::wstring_view word)
{
    return text.find(word) != std::wstring_view::npos;
}

}  // namespace

bool ImagePieceReader::Next(std::wstring_view& key, std::wstring_view& value)
{
    if (done_)
        return false;
    size_t equals = text_.find(L'=', pos_);
    if (equals == std::wstring_view::npos || equals + 1 >= text_.size() || text_[equals + 1] != L'\'') {
        done_ = true;
        return false;
    }
    size_t valueStart = equals + 2;
    size_t quote = valueStart;
    for (;; ++quote) {
        quote = text_.find(L'\'', quote);
        if (quote == std::wstring_view::npos) {
            done_ = true;
            return false;
        }
        if (quote + 1 == text_.size() || text_[quote + 1] == L' ')
            break;
    }
    key = text_.substr(pos_, equals - pos_);
    value = text_.substr(valueStart, quote - valueStart);
    pos_ = quote + 2;
    done_ = pos_ >= text_.size();
    return true;
}

VxImageAttributes ParseImageAttributes(std::wstring_view image, std::wstring_view modifier)
{
    VxImageAttributes attributes;
    attributes.name = image;
    ApplyString(image, attributes);
    ApplyString(modifier, attributes);
    return attributes;
}

RECT ComputeImageDestination(const RECT& control, const RECT& dest, std::wstring_view layout)
{
    // The control may span nearly the whole int range, so the sums are formed in 64 bits.
    const int64_t left = control.left, top = control.top, right = control.right, bottom = control.bottom;
    int64_t l = left, t = top, r = right, b = bottom;
    if (Contains(layout, L"vmiddle")) {
        l = left + dest.left;
        t = top + (bottom - top - dest.bottom) / 2 + dest.top;
        if (dest.right != 0)
            r = left + dest.right;
        if (dest.bottom != 0)
            b = t + dest.bottom;
    } else if (Contains(layout, L"hmiddle")) {
        t = top + dest.top;
        l = left + (right - left - dest.right) / 2 + dest.left;
        if (dest.right != 0)
            r = l + dest.right;
        if (dest.bottom != 0)
            b = top + dest.bottom;
    } else {
        if (Contains(layout, L"right")) {
            l = right - dest.right;
        } else {
            l = left + dest.left;
            if (dest.right != 0)
                r = left + dest.right;
        }
        if (Contains(layout, L"bottom")) {
            t = bottom - dest.bottom;
        } else {
            t = top + dest.top;
            if (dest.bottom != 0)
                b = top + dest.bottom;
        }
    }
    return RECT{Destination(l), Destination(t), Destination(r), Destination(b)};
}

}  // namespace VXM
