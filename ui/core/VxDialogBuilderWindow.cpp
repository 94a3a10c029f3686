#include <tinyxml.h>

#include <string_view>

#include "AttributeValues.h"
#include "VxDialogBuilder.h"
#include "VxPaintManager.h"

// The window level of a skin: fonts and attribute defaults, then the window's own properties.
namespace VXM {
namespace {

constexpr int kDefaultFontSize = 12;

bool IsTrue(const char* value)
{
    return value && std::string_view(value) == "true";
}

struct WindowAttribute {
    std::string_view name;
    void (*apply)(VxPaintManager& manager, std::wstring_view value);
};

// Applied in document order, so a later attribute of the same kind wins.
constexpr WindowAttribute kWindowAttributes[] = {
    {"size", [](VxPaintManager& m, std::wstring_view v) {
         const SIZE size = attributes::ParseSize(v);
         m.SetInitSize(size.cx, size.cy);
     }},
    {"caption", [](VxPaintManager& m, std::wstring_view v) { m.SetCaptionRect(attributes::ParseRect(v)); }},
    {"roundcorner", [](VxPaintManager& m, std::wstring_view v) {
         const SIZE size = attributes::ParseSize(v);
         m.SetRoundCorner(size.cx, size.cy);
     }},
    {"roundcornerimage", [](VxPaintManager& m, std::wstring_view v) { m.SetRoundCornerImage(v); }},
    {"sizebox", [](VxPaintManager& m, std::wstring_view v) {
         int numbers[5] = {};
         attributes::ParseNumbers(v, numbers, 5);
         m.SetSizeBox(RECT{numbers[0], numbers[1], numbers[2], numbers[3]});
         m.SetSizeBoxRounder(numbers[4]);
     }},
    {"mininfo", [](VxPaintManager& m, std::wstring_view v) {
         const SIZE size = attributes::ParseSize(v);
         m.SetMinWindow(size.cx, size.cy);
     }},
    {"maxinfo", [](VxPaintManager& m, std::wstring_view v) {
         const SIZE size = attributes::ParseSize(v);
         m.SetMaxWindow(size.cx, size.cy);
     }},
    {"layeredwindow", [](VxPaintManager& m, std::wstring_view v) { m.SetLayeredWindow(attributes::ParseBool(v)); }},
    {"layeredwindowalpha",
     [](VxPaintManager& m, std::wstring_view v) { m.SetLayeredWindowAlpha(attributes::ParseInt(v)); }},
    {"focus", [](VxPaintManager& m, std::wstring_view v) { m.SetWindowFocus(attributes::ParseBool(v)); }},
    {"usedefaultfocusborder",
     [](VxPaintManager& m, std::wstring_view v) { m.SetUseDefaultFocusBorder(attributes::ParseBool(v)); }},
    // Spelled so in the skins.
    {"controlspaceretrun",
     [](VxPaintManager& m, std::wstring_view v) { m.SetControlSpaceReturn(attributes::ParseBool(v)); }},
};

}  // namespace

VxControl* VxDialogBuilder::ParseWnd(TiXmlElement* window, VxPaintManager* manager)
{
    if (manager && std::string_view(window->Value()) == "Window") {
        RegisterResources(window, *manager);
        if (manager->GetPaintWindow())
            ApplyWindowAttributes(window, *manager);
    }
    return Parse(window, nullptr, manager);
}

// Fonts and defaults come first, wherever they stand, so every control can refer to them.
void VxDialogBuilder::RegisterResources(TiXmlElement* window, VxPaintManager& manager)
{
    for (TiXmlElement* element = window->FirstChildElement(); element; element = element->NextSiblingElement()) {
        const std::string_view kind = element->Value();
        if (kind == "Font") {
            const char* face = element->Attribute("name");
            if (!face)
                continue;
            const char* size = element->Attribute("size");
            VxFontInfo* font = manager.AddFont(Wide(element->Attribute("font")), Wide(face),
                                               size ? attributes::ParseInt(Wide(size)) : kDefaultFontSize,
                                               IsTrue(element->Attribute("bold")), IsTrue(element->Attribute("underline")),
                                               IsTrue(element->Attribute("italic")),
                                               IsTrue(element->Attribute("strikeout")));
            if (!font)
                continue;
            if (IsTrue(element->Attribute("default")))
                manager.SetDefaultFont(font);
            if (IsTrue(element->Attribute("defaultbold")))
                manager.SetDefaultBoldFont(font);
            if (IsTrue(element->Attribute("defaultlink")))
                manager.SetDefaultLinkFont(font);
        } else if (kind == "Default") {
            if (const char* name = element->Attribute("name"))
                manager.AddDefaultAttributeList(Wide(name), Wide(element->Attribute("value")));
        }
    }
}

void VxDialogBuilder::ApplyWindowAttributes(TiXmlElement* window, VxPaintManager& manager)
{
    for (TiXmlAttribute* attribute = window->FirstAttribute(); attribute; attribute = attribute->Next()) {
        for (const WindowAttribute& known : kWindowAttributes) {
            if (known.name == attribute->Name()) {
                known.apply(manager, Wide(attribute->Value()));
                break;
            }
        }
    }
}

}  // namespace VXM
