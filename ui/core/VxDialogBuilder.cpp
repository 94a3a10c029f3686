#include "VxDialogBuilder.h"

#include <tinyxml.h>

#include <climits>

#include <string_view>
#include <utility>

#include "SkinFiles.h"
#include "TinyXmlText.h"
#include "UniqueHandle.h"
#include "VxContainer.h"
#include "VxControlFactory.h"
#include "VxLoadResource.h"
#include "VxPaintManager.h"
#include "XmlNesting.h"

namespace VXM {
namespace {

constexpr DWORD kMaxSkinFileSize = 16 * 1024 * 1024;  // the product's skin is about 20 KB
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsResourceElement(std::string_view name)
{
    return name == "Image" || name == "Font" || name == "Default";
}

std::wstring ToWide(std::string_view text, UINT codePage)
{
    if (text.empty() || text.size() > INT_MAX)
        return std::wstring();
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0)
        MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

bool ReadFileBytes(const wchar_t* path, std::string& bytes)
{
    UniqueHandle<FileHandleTraits> file(
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxSkinFileSize)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool ReadResourceBytes(const wchar_t* name, const wchar_t* type, std::string& bytes)
{
    const HMODULE module = VxLoadResource::Instance().GetResourceInstance();
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data)
        return false;
    bytes.assign(static_cast<const char*>(data), SizeofResource(module, info));
    return true;
}

// The skin's bytes are GBK whatever the system's code page, unless they say UTF-8.
UINT CodePageOf(std::string& bytes)
{
    if (std::string_view(bytes).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        bytes.erase(0, kUtf8Bom.size());
        return CP_UTF8;
    }
    const std::string_view head = std::string_view(bytes).substr(0, bytes.find("?>"));
    if (head.substr(0, 5) == "<?xml") {
        for (const char* spelling : {"encoding=\"UTF-8\"", "encoding=\"utf-8\"", "encoding='UTF-8'", "encoding='utf-8'"}) {
            if (head.find(spelling) != std::string_view::npos)
                return CP_UTF8;
        }
    }
    return 936;
}

}  // namespace

VxDialogBuilder::VxDialogBuilder() : document_(std::make_unique<TiXmlDocument>()) {}

VxDialogBuilder::~VxDialogBuilder() = default;

VxControl* VxDialogBuilder::Create(const wchar_t* xml, const char* windowName, UINT type, const wchar_t* resourceType,
                                   IDialogBuilderCallback* callback, VxPaintManager* manager)
{
    callback_ = callback;
    if (!Load(xml, type, resourceType))
        return nullptr;
    TiXmlElement* first = document_->RootElement();
    if (!first)
        return nullptr;
    if (!windowName || std::string_view(first->Value()) != "Root")
        return ParseWnd(first, manager);
    const std::wstring wanted = ToWide(windowName, CP_ACP);
    for (TiXmlElement* window = first->FirstChildElement("Window"); window;
         window = window->NextSiblingElement("Window")) {
        const char* name = window->Attribute("name");
        if (name && Wide(name) == wanted)
            return ParseWnd(window, manager);
    }
    return nullptr;
}

bool VxDialogBuilder::Load(const wchar_t* xml, UINT type, const wchar_t* resourceType)
{
    std::string bytes;
    switch (type) {
    case kXmlText:
        // Through UTF-8, so no character of the wide text is lost to a narrow code page.
        codePage_ = CP_UTF8;
        return xml && ParseBytes(ToUtf8(xml));
    case kXmlFile:
        if (!xml || !ReadFileBytes(xml, bytes))
            return false;
        break;
    case kXmlResource:
        if (!xml || !resourceType || !ReadResourceBytes(xml, resourceType, bytes))
            return false;
        break;
    default:
        return false;
    }
    codePage_ = CodePageOf(bytes);
    return ParseBytes(std::move(bytes));
}

bool VxDialogBuilder::ParseBytes(std::string bytes)
{
    if ((codePage_ == CP_UTF8 && !Utf8StepsFit(bytes)) || !XmlNestingWithin(bytes, kMaxNesting))
        return false;
    document_->Clear();
    document_->Parse(bytes.c_str(), nullptr, codePage_ == CP_UTF8 ? TIXML_ENCODING_UTF8 : TIXML_ENCODING_LEGACY);
    return !document_->Error();
}

VxControl* VxDialogBuilder::Parse(TiXmlElement* element, VxControl* parent, VxPaintManager* manager)
{
    VxControl* first = nullptr;
    VxContainer* container = nullptr;
    for (TiXmlElement* child = element->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (IsResourceElement(child->Value()))
            continue;
        const std::wstring name = Wide(child->Value());
        VxControl* control = CreateControl(name);
        if (!control)
            continue;
        if (parent) {
            if (!container)
                container = static_cast<VxContainer*>(parent->GetInterface(kClassContainer));
            if (!container) {
                delete control;
                return first;
            }
            if (!container->Add(control)) {
                delete control;
                continue;
            }
        }
        Configure(control, child, name, manager);
        if (child->FirstChildElement())
            Parse(child, control, manager);
        if (!first)
            first = control;
        if (!parent)
            break;  // only the first top-level control becomes the root; nothing would own the rest
    }
    return first;
}

VxControl* VxDialogBuilder::CreateControl(const std::wstring& name)
{
    if (VxControl* control = CreateFrameworkControl(name))
        return control;
    return callback_ ? callback_->CreateCustomControl(name.c_str()) : nullptr;
}

void VxDialogBuilder::Configure(VxControl* control, TiXmlElement* element, const std::wstring& name,
                                VxPaintManager* manager)
{
    if (manager) {
        control->SetManager(manager);
        const std::wstring defaults = manager->GetDefaultAttributeList(name);
        if (!defaults.empty())
            control->ApplyAttributeList(defaults);
    }
    for (TiXmlAttribute* attribute = element->FirstAttribute(); attribute; attribute = attribute->Next())
        control->SetAttribute(Wide(attribute->Name()), Wide(attribute->Value()));
}

std::wstring VxDialogBuilder::Wide(const char* text) const
{
    return text ? ToWide(text, codePage_) : std::wstring();
}

}  // namespace VXM
