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
    RECT d = control;
    if (Contains(layout, L"vmiddle")) {
        d.left = control.left + dest.left;
        d.top = control.top + (control.bottom - control.top - dest.bottom) / 2 + dest.top;
        if (dest.right != 0)
            d.right = control.left + dest.right;
        if (dest.bottom != 0)
            d.bottom = d.top + dest.bottom;
        return d;
    }
    if (Contains(layout, L"hmiddle")) {
        d.top = control.top + dest.top;
        d.left = control.left + (control.right - control.left - dest.right) / 2 + dest.left;
        if (dest.right != 0)
            d.right = d.left + dest.right;
        if (dest.bottom != 0)
            d.bottom = control.top + dest.bottom;
        return d;
    }
    if (Contains(layout, L"right")) {
        d.left = control.right - dest.right;
        if (dest.right != 0)
            d.right = control.right;
    } else {
        d.left = control.left + dest.left;
        if (dest.right != 0)
            d.right = control.left + dest.right;
    }
    if (Contains(layout, L"bottom")) {
        d.top = control.bottom - dest.bottom;
        if (dest.bottom != 0)
            d.bottom = control.bottom;
    } else {
        d.top = control.top + dest.top;
        if (dest.bottom != 0)
            d.bottom = control.top + dest.bottom;
    }
    return d;
}

}  // namespace VXM
