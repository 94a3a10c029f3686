#include <algorithm>

#include "VxControl.h"
#include "VxPaintManager.h"

namespace VXM {

// The first control registered under a name or id keeps it.
VxControl* VxPaintManager::RegisterNameProc(VxControl* control, void* data)
{
    auto* manager = static_cast<VxPaintManager*>(data);
    const std::wstring& name = control->GetName();
    if (manager && !name.empty())
        manager->nameTable_.try_emplace(name, control);
    return nullptr;
}

VxControl* VxPaintManager::RegisterIdProc(VxControl* control, void* data)
{
    auto* manager = static_cast<VxPaintManager*>(data);
    if (manager && control->GetID() != 0)
        manager->idTable_.try_emplace(control->GetID(), control);
    return nullptr;
}

VxControl* VxPaintManager::FindControl(std::wstring_view name) const
{
    auto found = nameTable_.find(name);
    return found == nameTable_.end() ? nullptr : found->second;
}

VxControl* VxPaintManager::FindControl(UINT id) const
{
    if (!root_)
        return nullptr;
    auto found = idTable_.find(id);
    return found == idTable_.end() ? nullptr : found->second;
}

void VxPaintManager::AddDefaultAttributeList(std::wstring_view name, std::wstring_view list)
{
    defaultAttributes_.insert_or_assign(std::wstring(name), std::wstring(list));
}

std::wstring VxPaintManager::GetDefaultAttributeList(std::wstring_view name) const
{
    auto found = defaultAttributes_.find(name);
    return found == defaultAttributes_.end() ? std::wstring() : found->second;
}

bool VxPaintManager::RemoveDefaultAttributeList(std::wstring_view name)
{
    auto found = defaultAttributes_.find(name);
    if (found == defaultAttributes_.end())
        return false;
    defaultAttributes_.erase(found);
    return true;
}

void VxPaintManager::RemoveAllDefaultAttributeList()
{
    defaultAttributes_.clear();
}

// Group 0 is no group; a control is in a group at most once.
bool VxPaintManager::AddGroup(UINT group, VxControl* control)
{
    if (group == 0 || !control)
        return false;
    std::vector<VxControl*>& members = optionGroups_[group];
    if (std::find(members.begin(), members.end(), control) != members.end())
        return false;
    members.push_back(control);
    return true;
}

const std::vector<VxControl*>* VxPaintManager::GetGroup(UINT group) const
{
    auto found = optionGroups_.find(group);
    return found == optionGroups_.end() ? nullptr : &found->second;
}

// An option shows its selection in the selected bit of its state word.
VxControl* VxPaintManager::GetGroupSelected(UINT group) const
{
    const std::vector<VxControl*>* members = GetGroup(group);
    if (!members)
        return nullptr;
    for (VxControl* control : *members) {
        if (control->GetInterface(kClassOption) && (control->GetMouseState() & kStateSelected))
            return control;
    }
    return nullptr;
}

bool VxPaintManager::RemoveGroup(UINT group, VxControl* control)
{
    auto found = optionGroups_.find(group);
    if (found == optionGroups_.end())
        return false;
    std::vector<VxControl*>& members = found->second;
    auto at = std::find(members.begin(), members.end(), control);
    if (at == members.end())
        return false;
    members.erase(at);
    if (members.empty())
        optionGroups_.erase(found);
    return true;
}

void VxPaintManager::RemoveAllGroups()
{
    optionGroups_.clear();
}

}  // namespace VXM
