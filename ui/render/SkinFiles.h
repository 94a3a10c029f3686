#pragma once

#include <string>
#include <string_view>

#include "PixelImage.h"

class TiXmlDocument;

// File helpers of the skin catalogue. Paths are wide throughout, so skins may live under
// folders with Chinese names.
namespace VXM {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(const char* text);

bool LoadXmlFile(const std::wstring& path, TiXmlDocument& document);
bool SaveXmlFile(const std::wstring& path, const TiXmlDocument& document);

// A 24-bit BMP file (bottom-up rows padded to 4 bytes); alpha is dropped.
std::string Encode24BitBmp(const PixelImage& image);
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// The folder of the running exe, ending with "\".
std::wstring ExeFolder();

}  // namespace VXM
