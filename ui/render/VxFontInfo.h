#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "GdiHandles.h"

namespace VXM {

// One font of a window's font table, with its metrics measured in the window's DC.
struct VxFontInfo {
    GdiFont font;
    std::wstring faceName;
    int size = 0;  // character height in pixels
    bool bold = false;
    bool underline = false;
    bool italic = false;
    TEXTMETRICW metrics = {};
};

// Where the text functions get their fonts: the paint manager implements it, so the drawing
// code needs nothing of the control tree and the libraries stay free of a cycle.
class IVxFontSource {
public:
    virtual ~IVxFontSource() = default;
    // An empty or unknown id gives the default font; null only when no font can be made.
    virtual VxFontInfo* GetFont(std::wstring_view id) = 0;
    virtual VxFontInfo* GetDefaultFont() = 0;
    // Null when the id is unknown (mark-up tags must not fall back to the default).
    virtual VxFontInfo* FindFont(std::wstring_view id) = 0;
};

}  // namespace VXM
