#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "VxBuffer.h"
#include "VxImageInfo.h"
#include "VxSkinInfo.h"

namespace VXM {

// The framework's one source of images and strings: the module's resources, image files and
// the optional catalogue of skins in the folder "skin" beside the exe. UI thread only.
class VxLoadResource {
public:
    static VxLoadResource& Instance();

    VxLoadResource(const VxLoadResource&) = delete;
    VxLoadResource& operator=(const VxLoadResource&) = delete;

    HINSTANCE GetResourceInstance() const { return instance_; }
    void SetResourceInstance(HINSTANCE instance) { instance_ = instance; }
    const std::wstring& GetResourcePath() const { return resourcePath_; }
    // Relative image file names are appended to it as they are, so it should end with "\".
    void SetResourcePath(const std::wstring& path) { resourcePath_ = path; }

    // Images stay owned by the loader. A file image pointer is valid only until 1000 further
    // distinct files have been loaded: use it within the paint that obtained it.
    VxImageInfo* LoadImageW(uint32_t id, DWORD mask, const std::wstring& resourceType);
    VxImageInfo* LoadImageW(const std::wstring& path, DWORD mask, bool enciphered);
    static bool ImageInfoFromBuffer(const VxBuffer<uint8_t>& buffer, std::unique_ptr<VxImageInfo>& image);

    uint32_t AddImageInfo(uint32_t id, std::unique_ptr<VxImageInfo> image);
    std::wstring AddImageInfo(const std::wstring& key, std::unique_ptr<VxImageInfo> image);
    void RemoveImage(const std::wstring& key);
    void RemoveImage(uint32_t id);
    void ClearFileResource();
    void ClearRCResource();

    std::wstring LoadStr(uint32_t id) const;
    std::wstring LoadFormatStr(uint32_t id, ...) const;
    // Named apart: as an overload, a char* or nullptr argument would pick this form.
    std::wstring LoadFormatStrV(uint32_t id, va_list arguments) const;

    void EnumSkin(const std::wstring& defaultImage, const std::wstring& folder, const std::wstring& fileName);
    void EnumAddSkin(const std::wstring& folder, const std::wstring& fileName);
    const std::vector<std::unique_ptr<VxSkinInfo>>& GetSkinInfos() const { return skinInfos_; }
    std::wstring GetCurrentSkinName();
    bool SetCurrentSkinName(const std::wstring& name);
    uint32_t GetCurrentSkinIndex();
    std::wstring GetCurrentSkinImage();
    DWORD GetCurrentBkColor();
    bool AddSkinXml(const std::wstring& descriptionPath, const std::wstring& skinName, const std::wstring& imageName,
                    DWORD color);
    bool IsExistSkinFile(uint32_t index) const;

private:
    VxLoadResource() = default;
    ~VxLoadResource();

    bool ImageInfoFromFile(const std::wstring& path, std::unique_ptr<VxImageInfo>& image, DWORD mask,
                           bool enciphered) const;
    bool ImageInfoFromRC(uint32_t id, const std::wstring& resourceType, std::unique_ptr<VxImageInfo>& image,
                         DWORD mask) const;
    bool BitmapInfoFromRC(uint32_t id, std::unique_ptr<VxImageInfo>& image, DWORD mask) const;
    void TouchRecency(const std::wstring& key);

    bool CheckSkinValid(const std::wstring& path);
    void EnumParseSkinFile(const std::wstring& folder, const std::wstring& fileName, int depth, bool skipKnown);
    bool CheckSkinConfigFile() const;
    std::wstring GetSkinFullPath() const;
    std::wstring GetSkinConfilgFullPath() const;
    void ClearSkinInfos();
    VxImageInfo* LoadFromSkinFolder(const std::wstring& imageName);
    VxImageInfo* LoadDefaultSkinImage(const std::wstring& imageString);
    void LoadCurrentSkinBackground();
    bool IsKnownSkinFile(const std::wstring& path) const;

    std::vector<std::unique_ptr<VxSkinInfo>> skinInfos_;
    uint32_t currentSkin_ = 0;
    std::wstring resourcePath_;
    std::map<uint32_t, std::unique_ptr<VxImageInfo>> rcImages_;
    std::map<std::wstring, std::unique_ptr<VxImageInfo>> fileImages_;
    int32_t nextKey_ = 0;  // generated keys of both AddImageInfo forms
    HINSTANCE instance_ = nullptr;
    std::vector<std::wstring> recency_;  // keys of file images, oldest first
};

}  // namespace VXM
