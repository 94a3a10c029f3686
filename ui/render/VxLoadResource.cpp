#include "VxLoadResource.h"

#include <algorithm>
#include <climits>

#include "DibSection.h"
#include "GostCipher.h"
#include "ImageDecoder.h"
#include "PathUtils.h"
#include "PixelConvert.h"
#include "UniqueHandle.h"

namespace VXM {

namespace {

constexpr size_t kFileCacheLimit = 1000;
constexpr int kStringBufferSize = 512;
constexpr size_t kFormatBufferSize = 1024;
constexpr int kFormatTries = 1024;
constexpr uint32_t kStringsPerBlock = 16;

bool ReadWholeFile(const std::wstring& path, DWORD shareMode, VxBuffer<uint8_t>& buffer)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > INT_MAX)
        return false;
    if (!buffer.Allocate(static_cast<size_t>(size.QuadPart)))
        return false;
    DWORD read = 0;
    return ReadFile(file.Get(), buffer.Data(), static_cast<DWORD>(buffer.Size()), &read, nullptr) &&
           read == buffer.Size();
}

// Resource names above 0xFFFF would be taken for string pointers.
bool IsResourceId(uint32_t id)
{
    return id != 0 && id <= 0xFFFF;
}

}  // namespace

VxLoadResource& VxLoadResource::Instance()
{
    static VxLoadResource instance;
    return instance;
}

VxLoadResource::~VxLoadResource()
{
    ClearSkinInfos();
    ClearFileResource();
    ClearRCResource();
}

VxImageInfo* VxLoadResource::LoadImageW(uint32_t id, DWORD mask, const std::wstring& resourceType)
{
    auto found = rcImages_.find(id);
    if (found != rcImages_.end())
        return found->second.get();
    std::unique_ptr<VxImageInfo> image;
    if (!ImageInfoFromRC(id, resourceType, image, mask))
        return nullptr;
    VxImageInfo* result = image.get();
    rcImages_[id] = std::move(image);
    return result;
}

VxImageInfo* VxLoadResource::LoadImageW(const std::wstring& path, DWORD mask, bool enciphered)
{
    auto found = fileImages_.find(path);
    if (found != fileImages_.end()) {
        TouchRecency(path);
        return found->second.get();
    }
    if (recency_.size() >= kFileCacheLimit)
        RemoveImage(std::wstring(recency_.front()));
    std::unique_ptr<VxImageInfo> image;
    if (!ImageInfoFromFile(path, image, mask, enciphered))
        return nullptr;
    VxImageInfo* result = image.get();
    fileImages_[path] = std::move(image);
    recency_.push_back(path);
    return result;
}

void VxLoadResource::TouchRecency(const std::wstring& key)
{
    // Repaints ask for recent images, so the search starts at the newest end.
    auto found = std::find(recency_.rbegin(), recency_.rend(), key);
    if (found != recency_.rend())
        recency_.erase(std::next(found).base());
    recency_.push_back(key);
}

bool VxLoadResource::ImageInfoFromBuffer(const VxBuffer<uint8_t>& buffer, std::unique_ptr<VxImageInfo>& image)
{
    image = DecodeImage(buffer.Data(), buffer.Size(), 0);
    return image != nullptr;
}

bool VxLoadResource::ImageInfoFromFile(const std::wstring& path, std::unique_ptr<VxImageInfo>& image, DWORD mask,
                                       bool enciphered) const
{
    std::wstring name = paths::StripQuotes(path);
    if (!paths::Exists(name))
        name = resourcePath_ + name;
    VxBuffer<uint8_t> bytes;
    DWORD share = enciphered ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    if (!ReadWholeFile(name, share, bytes))
        return false;
    if (enciphered && !ImageFileCipher().DecryptBuffer(bytes.Data(), bytes.Size()))
        return false;
    image = DecodeImage(bytes.Data(), bytes.Size(), mask);
    return image != nullptr;
}

bool VxLoadResource::ImageInfoFromRC(uint32_t id, const std::wstring& resourceType,
                                     std::unique_ptr<VxImageInfo>& image, DWORD mask) const
{
    if (!IsResourceId(id))
        return false;
    if (resourceType == L"BMP")
        return BitmapInfoFromRC(id, image, mask);
    HRSRC info = FindResourceW(instance_, MAKEINTRESOURCEW(id), resourceType.c_str());
    DWORD size = info ? SizeofResource(instance_, info) : 0;
    HGLOBAL data = size ? LoadResource(instance_, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return false;
    VxBuffer<uint8_t> copy(static_cast<const uint8_t*>(bytes), size);
    FreeResource(data);
    image = DecodeImage(copy.Data(), copy.Size(), mask);
    return image != nullptr;
}

// Bitmap resources become a 32-bit DIB section like every other image, so the drawing code and
// the transforms can read their pixels whatever the display depth.
bool VxLoadResource::BitmapInfoFromRC(uint32_t id, std::unique_ptr<VxImageInfo>& image, DWORD mask) const
{
    GdiBitmap loaded(LoadBitmapW(instance_, MAKEINTRESOURCEW(id)));
    PixelImage pixels = ReadPixels(loaded.Get());
    if (pixels.Empty())
        return false;
    bool masked = MakeOpaqueAndMask(pixels.pixels.data(), pixels.pixels.size(), mask);
    GdiBitmap bitmap = BitmapFromPixels(pixels);
    if (!bitmap)
        return false;
    image = std::make_unique<VxImageInfo>(bitmap.Detach(), pixels.width, pixels.height, masked);
    return true;
}

uint32_t VxLoadResource::AddImageInfo(uint32_t id, std::unique_ptr<VxImageInfo> image)
{
    if (!image)
        return 0;
    if (id == 0) {
        // A generated id never takes the place of an image already cached.
        do
            id = static_cast<uint32_t>(nextKey_++);
        while (rcImages_.count(id));
    }
    rcImages_[id] = std::move(image);
    return id;
}

std::wstring VxLoadResource::AddImageInfo(const std::wstring& key, std::unique_ptr<VxImageInfo> image)
{
    if (!image)
        return std::wstring();
    std::wstring used = key;
    while (used.empty() || (key.empty() && fileImages_.count(used)))
        used = std::to_wstring(nextKey_++);
    fileImages_[used] = std::move(image);
    return used;
}

void VxLoadResource::RemoveImage(const std::wstring& key)
{
    fileImages_.erase(key);
    recency_.erase(std::remove(recency_.begin(), recency_.end(), key), recency_.end());
}

void VxLoadResource::RemoveImage(uint32_t id)
{
    rcImages_.erase(id);
}

void VxLoadResource::ClearFileResource()
{
    fileImages_.clear();
    recency_.clear();
}

void VxLoadResource::ClearRCResource()
{
    rcImages_.clear();
}

std::wstring VxLoadResource::LoadStr(uint32_t id) const
{
    if (id == 0)
        return std::wstring();
    wchar_t buffer[kStringBufferSize] = {};
    int length = LoadStringW(instance_, id, buffer, kStringBufferSize - 1);
    buffer[kStringBufferSize - 1] = L'\0';
    if (length > 0)
        return buffer;
    // An empty slot of an existing block reads as empty; a missing string shows its id.
    if (FindResourceW(instance_, MAKEINTRESOURCEW((id & 0xFFFF) / kStringsPerBlock + 1), RT_STRING))
        return std::wstring();
    return std::to_wstring(id);
}

std::wstring VxLoadResource::LoadFormatStr(uint32_t id, ...) const
{
    va_list arguments;
    va_start(arguments, id);
    std::wstring text = LoadFormatStrV(id, arguments);
    va_end(arguments);
    return text;
}

std::wstring VxLoadResource::LoadFormatStrV(uint32_t id, va_list arguments) const
{
    std::wstring format = LoadStr(id);
    if (format.empty())
        return std::wstring();
    va_list measure;
    va_copy(measure, arguments);
    int needed = _vscwprintf(format.c_str(), measure);
    va_end(measure);
    if (needed < 0)
        return std::wstring();
    size_t size = kFormatBufferSize;
    for (int tries = 1; tries < kFormatTries && size <= static_cast<size_t>(needed); ++tries)
        size *= 2;
    if (size <= static_cast<size_t>(needed))
        return std::wstring();
    std::wstring text(size, L'\0');
    int written = _vsnwprintf_s(text.data(), size, _TRUNCATE, format.c_str(), arguments);
    if (written < 0)
        return std::wstring();
    text.resize(static_cast<size_t>(written));
    return text;
}

}  // namespace VXM
