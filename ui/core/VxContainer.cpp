#include "VxContainer.h"

#include <algorithm>

#include "AttributeValues.h"
#include "NestingDepth.h"
#include "VxPaintManager.h"
#include "VxScrollbar.h"

namespace VXM {
namespace {

// The position `index` means for an insertion into a list of `size`: before it, clamped to the
// list's ends.
size_t InsertionPoint(int index, size_t size)
{
    return index <= 0 ? 0 : std::min(static_cast<size_t>(index), size);
}

}  // namespace

VxContainer::VxContainer() = default;

VxContainer::~VxContainer()
{
    RemoveAll();
    delete verticalScrollbar_;
    delete horizontalScrollbar_;
}

UINT VxContainer::GetClass() const
{
    return kClassContainer;
}

VxControl* VxContainer::GetInterface(UINT classCode)
{
    return classCode == kClassContainer ? this : VxControl::GetInterface(classCode);
}

VxControl* VxContainer::GetItemAt(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < items_.size() ? items_[index] : nullptr;
}

int VxContainer::GetItemIndex(VxControl* control) const
{
    const auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int VxContainer::GetCount() const
{
    return static_cast<int>(items_.size());
}

bool VxContainer::Add(VxControl* control)
{
    return AddAt(control, GetCount());
}

bool VxContainer::AddAt(VxControl* control, int index)
{
    // A control listed twice would be destroyed twice.
    if (!control || (control->GetParent() == this && GetItemIndex(control) >= 0))
        return false;
    Adopt(control);
    items_.insert(items_.begin() + InsertionPoint(index, items_.size()), control);
    ForgetLayout();
    NeedUpdate();
    return true;
}

bool VxContainer::SetIndexItem(int index, VxControl* control)
{
    VxControl* old = GetItemAt(index);
    if (!old || !control)
        return false;
    if (old == control)
        return true;
    if (control->GetParent() == this && GetItemIndex(control) >= 0)
        return false;
    Adopt(control);
    items_[index] = control;
    ForgetLayout();
    DestroyChild(old);
    NeedUpdate();
    return true;
}

bool VxContainer::SetItemIndex(VxControl* control, int index)
{
    const int from = GetItemIndex(control);
    if (from < 0)
        return false;
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + InsertionPoint(index, items_.size()), control);
    ForgetLayout();
    NeedUpdate();
    return true;
}

bool VxContainer::Remove(VxControl* control)
{
    const int index = GetItemIndex(control);
    if (index < 0)
        return false;
    items_.erase(items_.begin() + index);
    ForgetLayout();
    DestroyChild(control);
    NeedUpdate();
    return true;
}

bool VxContainer::RemoveAt(int index)
{
    VxControl* control = GetItemAt(index);
    return control && Remove(control);
}

void VxContainer::RemoveAll()
{
    std::vector<VxControl*> children = std::move(items_);
    items_.clear();
    ForgetLayout();
    if (autoDestroy_) {
        DestroyTree(std::move(children));
        return;
    }
    for (VxControl* child : children)
        child->VxControl::SetParent(nullptr);
}

bool VxContainer::IsAutoDestroy() const
{
    return autoDestroy_;
}

void VxContainer::SetAutoDestroy(bool autoDestroy)
{
    autoDestroy_ = autoDestroy;
}

RECT VxContainer::GetInset() const
{
    return inset_;
}

void VxContainer::SetInset(const RECT& inset)
{
    inset_ = inset;
    ForgetLayout();
}

int VxContainer::GetChildPadding() const
{
    return childPadding_;
}

void VxContainer::SetChildPadding(int padding)
{
    childPadding_ = padding;
    ForgetLayout();
}

void VxContainer::SetLayoutType(int type)
{
    layoutType_ = type;
    ForgetLayout();
}

int VxContainer::GetLayoutType() const
{
    return layoutType_;
}

void VxContainer::ForgetLayout()
{
    laidOut_ = false;
    flowChildren_.clear();
    floatingChildren_.clear();
}

void VxContainer::Adopt(VxControl* control)
{
    control->SetParent(this);
    if (!manager_)
        return;
    control->SetManager(manager_);
    control->FindControl(VxPaintManager::RegisterNameProc, manager_, 0);
    control->FindControl(VxPaintManager::RegisterIdProc, manager_, 0);
}

void VxContainer::DestroyChild(VxControl* control)
{
    if (autoDestroy_)
        DestroyTree({control});
    else
        control->VxControl::SetParent(nullptr);  // it may outlive this container
}

void VxContainer::DestroyTree(std::vector<VxControl*> controls)
{
    while (!controls.empty()) {
        VxControl* control = controls.back();
        controls.pop_back();
        // Its children are taken out before it dies, so a deep tree never recurses here; they
        // forget their parent, which goes first.
        auto* container = static_cast<VxContainer*>(control->GetInterface(kClassContainer));
        if (container && container->autoDestroy_) {
            for (VxControl* child : container->items_)
                child->VxControl::SetParent(nullptr);
            controls.insert(controls.end(), container->items_.begin(), container->items_.end());
            container->items_.clear();
        }
        delete control;
    }
}

void VxContainer::SetVisible(bool visible)
{
    VxControl::SetVisible(visible);
    SetInsetVisible(visible);
}

void VxContainer::SetInsetVisible(bool visible)
{
    VxControl::SetInsetVisible(visible);
    NestingScope nesting;
    if (!nesting.Allowed())
        return;
    const bool shown = IsVisible();
    for (VxControl* child : items_)
        child->SetInsetVisible(shown);
}

void VxContainer::SetManager(VxPaintManager* manager)
{
    NestingScope nesting;
    if (nesting.Allowed()) {
        for (VxControl* child : items_)
            child->SetManager(manager);
    }
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (bar)
            bar->SetManager(manager);
    }
    VxControl::SetManager(manager);
}

void VxContainer::SetParent(VxControl* parent)
{
    NestingScope nesting;
    if (nesting.Allowed()) {
        for (VxControl* child : items_)
            child->SetParent(this);
    }
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (bar)
            bar->SetParent(this);
    }
    VxControl::SetParent(parent);
}

void VxContainer::Init()
{
    NestingScope nesting;
    if (!nesting.Allowed())
        return;
    for (VxControl* child : items_)
        child->Init();
}

void VxContainer::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    struct Row {
        std::wstring_view name;
        void (*apply)(VxContainer& container, std::wstring_view value);
    };
    static const Row kRows[] = {
        {L"inset", [](VxContainer& c, std::wstring_view v) { c.SetInset(attributes::ParseRect(v)); }},
        {L"layouttype",
         [](VxContainer& c, std::wstring_view v) {
             if (v.find(L"horizontal") != std::wstring_view::npos)
                 c.SetLayoutType(kLayoutHorizontal);
             else if (v.find(L"vertical") != std::wstring_view::npos)
                 c.SetLayoutType(kLayoutVertical);
         }},
        {L"vscrollbar",
         [](VxContainer& c, std::wstring_view v) {
             c.verticalScrollbarStyle_ = v;
             const bool listed = c.manager_ && !c.manager_->GetDefaultAttributeList(v).empty();
             c.EnableScrollBar(listed, c.horizontalScrollbar_ != nullptr);
         }},
        {L"hscrollbar",
         [](VxContainer& c, std::wstring_view v) {
             c.horizontalScrollbarStyle_ = v;
             const bool listed = c.manager_ && !c.manager_->GetDefaultAttributeList(v).empty();
             c.EnableScrollBar(c.verticalScrollbar_ != nullptr, listed);
         }},
        {L"vscrollbarstyle",
         [](VxContainer& c, std::wstring_view v) {
             c.EnableScrollBar(true, c.horizontalScrollbar_ != nullptr);
             c.verticalScrollbar_->ApplyAttributeList(v);
         }},
        {L"hscrollbarstyle",
         [](VxContainer& c, std::wstring_view v) {
             c.EnableScrollBar(c.verticalScrollbar_ != nullptr, true);
             c.horizontalScrollbar_->ApplyAttributeList(v);
         }},
        {L"autodestroy", [](VxContainer& c, std::wstring_view v) { c.SetAutoDestroy(attributes::ParseBool(v)); }},
        {L"childpadding", [](VxContainer& c, std::wstring_view v) { c.SetChildPadding(attributes::ParseInt(v)); }},
        {L"alwayshowvscroll",
         [](VxContainer& c, std::wstring_view v) { c.SetAlwayShowVScrollbar(attributes::ParseBool(v)); }},
    };
    for (const Row& row : kRows) {
        if (row.name == name) {
            row.apply(*this, value);
            return;
        }
    }
    VxControl::SetAttribute(name, value);
}

}  // namespace VXM
