#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace VXM {

// Reads the key='value' pieces of an image attribute string in order. A value ends at the
// first quote followed by a blank or by the end of the text; pieces are separated by exactly
// one blank. Reading stops at the end or at the first malformed piece.
class ImagePieceReader {
public:
    explicit ImagePieceReader(std::wstring_view text) : text_(text) {}
    bool Next(std::wstring_view& key, std::wstring_view& value);

private:
    std::wstring_view text_;
    size_t pos_ = 0;
    bool done_ = false;
};

// Everything DrawImageString reads from an image string and its modifier string.
struct VxImageAttributes {
    std::wstring name;  // file path, or a decimal resource id when resourceType is set
    std::wstring resourceType;
    RECT dest = {};
    std::wstring layout;
    RECT source = {};
    RECT corner = {};
    DWORD mask = 0;
    BYTE fade = 255;
    bool hole = false;
    bool alphaClose = false;
    bool encrypt = false;
    bool icon = false;
    int iconSize = 0;
    SIZE round = {};
    bool reverse = false;
    double rotate = 0.0;
    std::wstring regionImage;
    std::wstring regionResourceType;
    DWORD regionMask = 0;
};

// The image string, then the modifier string over it; the name defaults to the whole image
// string, so a bare file name needs no key.
VxImageAttributes ParseImageAttributes(std::wstring_view image, std::wstring_view modifier = {});

// Where the image goes inside the control rectangle: dest holds offsets from the control's
// top-left corner, a zero right or bottom keeps the control's edge, and the layout words
// "vmiddle", "hmiddle", "right" and "bottom" centre or anchor it.
RECT ComputeImageDestination(const RECT& control, const RECT& dest, std::wstring_view layout);

}  // namespace VXM
