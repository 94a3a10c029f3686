#include "VxOption.h"

#include <vector>

#include "AttributeValues.h"
#include "VxPaintManager.h"

namespace VXM {

namespace {

struct OptionAttribute {
    std::wstring_view name;
    void (*apply)(VxOption& option, std::wstring_view value);
};

const OptionAttribute kOptionAttributes[] = {
    {L"group", [](VxOption& o, std::wstring_view v) { o.SetGroup(static_cast<UINT>(attributes::ParseInt(v))); }},
    {L"selected", [](VxOption& o, std::wstring_view v) { o.Selected(attributes::ParseBool(v)); }},
};

}  // namespace

UINT VxOption::GetClass() const
{
    return kClassOption;
}

VxControl* VxOption::GetInterface(UINT classCode)
{
    return classCode == kClassOption ? this : VxButton::GetInterface(classCode);
}

void VxOption::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    for (const OptionAttribute& attribute : kOptionAttributes) {
        if (attribute.name == name) {
            attribute.apply(*this, value);
            return;
        }
    }
    VxButton::SetAttribute(name, value);
}

// The builder sets the group before the option has a manager: it joins the group when it gets
// one, and a selected option then deselects the others there.
void VxOption::SetManager(VxPaintManager* manager)
{
    const bool moved = manager != manager_ && group_ != 0;
    if (moved && manager_)
        manager_->RemoveGroup(group_, this);
    VxButton::SetManager(manager);
    if (moved && manager_) {
        manager_->AddGroup(group_, this);
        if (selected_)
            DeselectOthers();
    }
}

bool VxOption::Activate(VxEventUI& event)
{
    if (!VxButton::Activate(event))
        return false;
    Selected(group_ != 0 ? true : !selected_);  // a radio option stays selected, a check box toggles
    return true;
}

void VxOption::PaintBkImage(HDC dc)
{
    state_ &= ~kStatePushed;
    std::wstring& image = bkImages_[kImageSelected];
    if (selected_ && !image.empty()) {
        if (DrawImage(dc, image))
            return;
        image.clear();  // not tried again on every paint
    }
    VxButton::PaintBkImage(dc);
}

void VxOption::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled_)
        state_ = selected_ ? UINT{kStateSelected} : 0u;
    Invalidate();
}

void VxOption::SetGroup(UINT group)
{
    if (group == group_)
        return;
    if (manager_) {
        if (group_ != 0)
            manager_->RemoveGroup(group_, this);
        if (group != 0)
            manager_->AddGroup(group, this);
    }
    group_ = group;
    if (selected_)
        DeselectOthers();
}

UINT VxOption::GetGroup() const
{
    return group_;
}

bool VxOption::IsSelected() const
{
    return selected_;
}

void VxOption::Selected(bool selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    state_ = selected_ ? state_ | kStateSelected : state_ & ~kStateSelected;
    if (manager_) {
        if (selected_)
            DeselectOthers();
        manager_->SendNotify(this, kNotifySelectChanged, selected_ ? 1 : 0);
    }
    Invalidate();
}

void VxOption::DeselectOthers()
{
    const std::vector<VxControl*>* members = manager_ && group_ != 0 ? manager_->GetGroup(group_) : nullptr;
    if (!members)
        return;
    const std::vector<VxControl*> others = *members;  // listeners of the notifications may regroup
    for (VxControl* other : others) {
        VxControl* option = other != this ? other->GetInterface(kClassOption) : nullptr;
        if (option)
            static_cast<VxOption*>(option)->Selected(false);
    }
}

}  // namespace VXM
