// The skin catalogue of VxLoadResource: description files under the folder "skin" beside the
// exe, and the setting file "skin.xml" there that names the current skin.

#include <tinyxml.h>

#include <algorithm>
#include <climits>

#include "DibSection.h"
#include "NumberText.h"
#include "PathUtils.h"
#include "SkinFiles.h"
#include "UniqueHandle.h"
#include "VxImageString.h"
#include "VxLoadResource.h"
#include "VxRenderUtils.h"

namespace VXM {

namespace {

constexpr int kPreviewWidth = 100;
constexpr int kPreviewHeight = 65;
constexpr int kScanDepth = 1;

bool StartsWithOverShorter(const std::wstring& fileName, const std::wstring& prefix)
{
    const size_t length = std::min(fileName.size(), prefix.size());
    return CompareStringOrdinal(fileName.c_str(), static_cast<int>(length), prefix.c_str(), static_cast<int>(length),
                                TRUE) == CSTR_EQUAL;
}

std::wstring WithTrailingSeparator(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    return folder;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

// "color" skips leading control characters and blanks and one "#".
DWORD ReadSkinColor(const std::wstring& text)
{
    size_t start = 0;
    while (start < text.size() && text[start] < L'!')
        ++start;
    return ParseColor(std::wstring_view(text).substr(start));
}

std::wstring Attribute(const TiXmlElement* element, const char* name, bool* present = nullptr)
{
    const char* value = element->Attribute(name);
    if (present)
        *present = value != nullptr;
    return FromUtf8(value);
}

TiXmlDocument NewSettingDocument(const std::wstring& name)
{
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "utf-8", ""));  // the document owns its nodes
    auto* setting = new TiXmlElement("SkinSetting");
    setting->SetAttribute("name", ToUtf8(name));
    document.LinkEndChild(setting);
    return document;
}

}  // namespace

std::wstring VxLoadResource::GetSkinFullPath() const
{
    return ExeFolder() + L"skin\\";
}

std::wstring VxLoadResource::GetSkinConfilgFullPath() const
{
    return GetSkinFullPath() + L"skin.xml";
}

bool VxLoadResource::CheckSkinConfigFile() const
{
    if (!paths::CreateFolderWithParents(GetSkinFullPath()))
        return false;
    const std::wstring setting = GetSkinConfilgFullPath();
    return paths::Exists(setting) || SaveXmlFile(setting, NewSettingDocument(std::wstring()));
}

void VxLoadResource::ClearSkinInfos()
{
    for (const auto& skin : skinInfos_) {
        if (!skin->backgroundKey.empty())
            RemoveImage(skin->backgroundKey);
    }
    skinInfos_.clear();
    currentSkin_ = 0;
}

void VxLoadResource::EnumSkin(const std::wstring& defaultImage, const std::wstring& folder,
                              const std::wstring& fileName)
{
    ClearSkinInfos();
    auto builtIn = std::make_unique<VxSkinInfo>();
    builtIn->image = defaultImage;
    builtIn->preview = defaultImage;
    builtIn->index = 0;
    skinInfos_.push_back(std::move(builtIn));
    EnumParseSkinFile(WithTrailingSeparator(paths::Join(GetSkinFullPath(), folder)), fileName, kScanDepth, false);
    const int unsorted = static_cast<int>(skinInfos_.size()) + 1;
    for (const auto& skin : skinInfos_) {
        if (skin->index < 0)
            skin->index = unsorted;
    }
    std::stable_sort(skinInfos_.begin(), skinInfos_.end(),
                     [](const auto& a, const auto& b) { return a->index < b->index; });
    GetCurrentSkinName();
}

void VxLoadResource::EnumAddSkin(const std::wstring& folder, const std::wstring& fileName)
{
    EnumParseSkinFile(WithTrailingSeparator(paths::Join(GetSkinFullPath(), folder)), fileName, kScanDepth, true);
}

bool VxLoadResource::IsKnownSkinFile(const std::wstring& path) const
{
    for (size_t i = 1; i < skinInfos_.size(); ++i) {
        if (skinInfos_[i]->path == path)
            return true;
    }
    return false;
}

void VxLoadResource::EnumParseSkinFile(const std::wstring& folder, const std::wstring& fileName, int depth,
                                       bool skipKnown)
{
    WIN32_FIND_DATAW entry = {};
    FindHandle find(FindFirstFileW((folder + L"*").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L".." && depth > 0)
                EnumParseSkinFile(folder + name + L"\\", fileName, depth - 1, skipKnown);
            continue;
        }
        if (!StartsWithOverShorter(name, fileName))
            continue;
        const std::wstring path = folder + name;
        if (skipKnown && IsKnownSkinFile(path))
            continue;
        CheckSkinValid(path);
    } while (FindNextFileW(find.Get(), &entry));
}

bool VxLoadResource::CheckSkinValid(const std::wstring& path)
{
    TiXmlDocument document;
    if (!LoadXmlFile(path, document))
        return false;
    const TiXmlElement* root = document.FirstChildElement();
    if (!root || root->ValueStr() != "Root")
        return false;
    const std::wstring skinFolder = GetSkinFullPath();
    auto skin = std::make_unique<VxSkinInfo>();
    skin->path = path;
    bool present = false;
    skin->image = Attribute(root, "image", &present);
    if (present && !paths::Exists(skinFolder + skin->image))
        return false;
    skin->name = Attribute(root, "name", &present);
    if (present && skin->name.empty())
        return false;
    skin->preview = Attribute(root, "preview", &present);
    if (present && !paths::Exists(skinFolder + skin->preview))
        return false;
    const std::wstring color = Attribute(root, "color", &present);
    if (present)
        skin->color = ReadSkinColor(color);
    const std::wstring index = Attribute(root, "index", &present);
    if (present)
        skin->index = ParseInt(index);
    // The largest int (also what a longer number saturates to) leaves no room for the index of
    // a skin added after it.
    if (skin->index == INT_MAX)
        return false;
    skin->user = Attribute(root, "user") == L"true";
    skinInfos_.push_back(std::move(skin));
    return true;
}

// Image names of skins are relative to the skin folder.
VxImageInfo* VxLoadResource::LoadFromSkinFolder(const std::wstring& imageName)
{
    const std::wstring saved = resourcePath_;
    resourcePath_ = GetSkinFullPath();
    VxImageInfo* image = LoadImageW(imageName, 0, false);
    resourcePath_ = saved;
    return image;
}

// The built-in skin names its background by an image string: a PNG resource, or a file.
VxImageInfo* VxLoadResource::LoadDefaultSkinImage(const std::wstring& imageString)
{
    const VxImageString text(imageString);
    int res = 0;
    if (text.GetRes(res))
        return LoadImageW(static_cast<uint32_t>(res), 0, L"PNG");
    std::wstring file = imageString;
    text.GetImageFile(file);
    return LoadImageW(file, 0, false);
}

void VxLoadResource::LoadCurrentSkinBackground()
{
    if (skinInfos_.empty())
        return;
    VxImageInfo* image = nullptr;
    if (currentSkin_ != 0)
        image = LoadFromSkinFolder(skinInfos_[currentSkin_]->image);
    if (!image) {
        currentSkin_ = 0;
        image = LoadDefaultSkinImage(skinInfos_[0]->image);
    }
    VxSkinInfo& skin = *skinInfos_[currentSkin_];
    if (!image || !skin.backgroundKey.empty())
        return;
    DWORD average = 0;
    // The background must cover a window as large as the screen.
    std::unique_ptr<VxImageInfo> background = VxRenderUtils::GenerationBGMapInfo(
        image, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), average);
    if (background)
        skin.backgroundKey = AddImageInfo(std::wstring(), std::move(background));
}

std::wstring VxLoadResource::GetCurrentSkinName()
{
    std::wstring name;
    TiXmlDocument document;
    if (CheckSkinConfigFile() && LoadXmlFile(GetSkinConfilgFullPath(), document)) {
        if (const TiXmlElement* setting = document.FirstChildElement())
            name = Attribute(setting, "name");
    }
    currentSkin_ = 0;
    for (size_t i = 1; !name.empty() && i < skinInfos_.size(); ++i) {
        if (skinInfos_[i]->name == name) {
            currentSkin_ = static_cast<uint32_t>(i);
            break;
        }
    }
    LoadCurrentSkinBackground();
    return name;
}

bool VxLoadResource::SetCurrentSkinName(const std::wstring& name)
{
    if (!CheckSkinConfigFile())
        return false;
    const std::wstring path = GetSkinConfilgFullPath();
    TiXmlDocument document;
    TiXmlElement* setting = LoadXmlFile(path, document) ? document.FirstChildElement() : nullptr;
    if (!setting)  // an unreadable setting file is ours to replace
        return SaveXmlFile(path, NewSettingDocument(name));
    setting->SetAttribute("name", ToUtf8(name));
    return SaveXmlFile(path, document);
}

uint32_t VxLoadResource::GetCurrentSkinIndex()
{
    GetCurrentSkinName();
    return currentSkin_;
}

std::wstring VxLoadResource::GetCurrentSkinImage()
{
    GetCurrentSkinName();
    if (currentSkin_ >= skinInfos_.size() || skinInfos_[currentSkin_]->backgroundKey.empty())
        return std::wstring();
    return L"file='" + skinInfos_[currentSkin_]->backgroundKey + L"'";
}

DWORD VxLoadResource::GetCurrentBkColor()
{
    GetCurrentSkinName();
    return currentSkin_ < skinInfos_.size() ? skinInfos_[currentSkin_]->color : 0;
}

bool VxLoadResource::AddSkinXml(const std::wstring& descriptionPath, const std::wstring& skinName,
                                const std::wstring& imageName, DWORD color)
{
    const VxImageInfo* image = LoadFromSkinFolder(imageName);
    GdiBitmap preview = VxRenderUtils::GetZoom(image, kPreviewWidth, kPreviewHeight);
    if (!preview)
        return false;
    // The preview goes where CheckSkinValid looks for it: under the skin folder.
    const std::wstring previewName = skinName + L"\\preview.png";
    const std::wstring skinFolder = GetSkinFullPath();
    if (!paths::CreateFolderWithParents(skinFolder + skinName) ||
        !WriteWholeFile(skinFolder + previewName, Encode24BitBmp(ReadPixels(preview.Get()))))
        return false;
    const std::wstring descriptionFolder = FolderOf(descriptionPath);
    if (!descriptionFolder.empty() && !paths::CreateFolderWithParents(descriptionFolder))
        return false;
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "utf-8", ""));  // the document owns its nodes
    auto* root = new TiXmlElement("Root");
    root->SetAttribute("image", ToUtf8(imageName));
    root->SetAttribute("name", ToUtf8(skinName));
    root->SetAttribute("user", "true");
    root->SetAttribute("index", (skinInfos_.empty() ? 0 : skinInfos_.back()->index) + 1);
    root->SetAttribute("preview", ToUtf8(previewName));
    wchar_t colorText[16] = {};
    swprintf(colorText, _countof(colorText), L"#%08X", static_cast<unsigned>(color));
    root->SetAttribute("color", ToUtf8(colorText));
    document.LinkEndChild(root);
    return SaveXmlFile(descriptionPath, document) && CheckSkinValid(descriptionPath);
}

bool VxLoadResource::IsExistSkinFile(uint32_t index) const
{
    if (index == 0)
        return true;
    if (index >= skinInfos_.size())
        return false;
    const VxSkinInfo& skin = *skinInfos_[index];
    return paths::Exists(skin.path) && paths::Exists(GetSkinFullPath() + skin.image);
}

}  // namespace VXM
