#pragma once

#include <windows.h>

#include <string>

namespace VXM {

// One skin of the catalogue; entry 0 is the built-in default skin.
struct VxSkinInfo {
    static constexpr DWORD kDefaultColor = 0xFF005BB1;

    std::wstring path;           // full path of the description file
    std::wstring name;
    std::wstring preview;        // relative to the skin folder
    std::wstring image;          // relative to the skin folder; the default skin's image string
    std::wstring backgroundKey;  // file-cache key of the generated background, empty until made
    DWORD color = kDefaultColor;
    bool user = false;  // added through AddSkinXml
    int index = -1;     // sort position, -1 until read
};

}  // namespace VXM
