#include "SkinFiles.h"

#include <tinyxml.h>
#include <windows.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "TinyXmlText.h"
#include "UniqueHandle.h"
#include "XmlNesting.h"

namespace VXM {

namespace {

constexpr DWORD kMaxXmlFileSize = 16 * 1024 * 1024;  // a description file is a few hundred bytes
constexpr int kMaxXmlNesting = 256;

void AppendLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

}  // namespace

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return std::string();
    const int length = static_cast<int>(text.size());
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), length);
    out.resize(static_cast<size_t>(length) - 1);
    return out;
}

bool LoadXmlFile(const std::wstring& path, TiXmlDocument& document)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxXmlFileSize)
        return false;
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) || read != text.size() ||
        !Utf8StepsFit(text) || !XmlNestingWithin(text, kMaxXmlNesting))
        return false;
    document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
    return !document.Error();
}

bool SaveXmlFile(const std::wstring& path, const TiXmlDocument& document)
{
    TiXmlPrinter printer;
    document.Accept(&printer);
    return WriteWholeFile(path, printer.Str());
}

std::string Encode24BitBmp(const PixelImage& image)
{
    if (image.Empty())
        return std::string();
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(image.height);
    const uint32_t headerBytes = 14 + 40;
    std::string out;
    out.reserve(headerBytes + pixelBytes);
    out += "BM";
    AppendLittleEndian(out, headerBytes + pixelBytes, 4);
    AppendLittleEndian(out, 0, 4);
    AppendLittleEndian(out, headerBytes, 4);
    AppendLittleEndian(out, 40, 4);
    AppendLittleEndian(out, static_cast<uint32_t>(image.width), 4);
    AppendLittleEndian(out, static_cast<uint32_t>(image.height), 4);
    AppendLittleEndian(out, 1, 2);
    AppendLittleEndian(out, 24, 2);
    AppendLittleEndian(out, BI_RGB, 4);
    AppendLittleEndian(out, pixelBytes, 4);
    AppendLittleEndian(out, 0, 16);  // resolution and palette counts
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x)
            AppendLittleEndian(out, image.At(x, y), 3);
        out.append(rowBytes - static_cast<uint32_t>(image.width) * 3, '\0');
    }
    return out;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::wstring ExeFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            return path.substr(0, path.find_last_of(L"\\/") + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace VXM
