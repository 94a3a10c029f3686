#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "IDialogBuilderCallback.h"
#include "NestingDepth.h"

class TiXmlElement;
class TiXmlDocument;

namespace VXM {

class VxControl;
class VxPaintManager;

// Turns one window of a skin document into a control tree. Lives for one window's creation.
class VxDialogBuilder {
public:
    // Where Create finds the document.
    enum SourceType : UINT { kXmlText = 1, kXmlFile = 2, kXmlResource = 3 };
    // Deeper skins are refused: the parser recurses once per level, and the control tree
    // would not lay out, paint or search below this depth anyway.
    static constexpr int kMaxNesting = kMaxNestingDepth;

    VxDialogBuilder();
    VxDialogBuilder(const VxDialogBuilder&) = delete;
    VxDialogBuilder& operator=(const VxDialogBuilder&) = delete;
    ~VxDialogBuilder();

    // xml is the document text, a file path, or a resource name or MAKEINTRESOURCEW id,
    // by `type`. Builds the `Window` named `windowName` under a `Root`, or the document's
    // first element. Returns the root control (owned by the caller) or null.
    VxControl* Create(const wchar_t* xml, const char* windowName, UINT type, const wchar_t* resourceType,
                      IDialogBuilderCallback* callback, VxPaintManager* manager);

private:
    bool Load(const wchar_t* xml, UINT type, const wchar_t* resourceType);
    bool ParseBytes(std::string bytes);
    VxControl* ParseWnd(TiXmlElement* window, VxPaintManager* manager);
    void RegisterResources(TiXmlElement* window, VxPaintManager& manager);
    void ApplyWindowAttributes(TiXmlElement* window, VxPaintManager& manager);
    VxControl* Parse(TiXmlElement* element, VxControl* parent, VxPaintManager* manager);
    VxControl* CreateControl(const std::wstring& name);
    void Configure(VxControl* control, TiXmlElement* element, const std::wstring& name, VxPaintManager* manager);
    std::wstring Wide(const char* text) const;

    std::unique_ptr<TiXmlDocument> document_;
    UINT codePage_ = 936;  // of the document's bytes
    IDialogBuilderCallback* callback_ = nullptr;  // not owned
};

}  // namespace VXM
