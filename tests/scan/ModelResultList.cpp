#include "ModelResultList.h"

#include <cwctype>

namespace scan_testing {

namespace {

bool SameGroup(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    }
    return true;
}

}  // namespace

void ModelResultList::AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                                 std::wstring_view detail, std::wstring_view extra)
{
    if (keepLog_) {
        log.push_back(L"finding|" + std::wstring(group) + L"|" + std::wstring(description) + L"|" +
                      std::to_wstring(rowStyle) + L"|" + std::wstring(detail) + L"|" + std::wstring(extra));
    }
    ModelRow* row = nullptr;
    for (ModelRow& candidate : rows) {
        if (SameGroup(candidate.group, group)) {
            row = &candidate;
            break;
        }
    }
    if (!row) {
        rows.push_back(ModelRow{rowStyle, std::wstring(group), {}, {}});
        row = &rows.back();
    }
    row->group = group;
    row->description = description;
    row->details.emplace(std::wstring(detail), std::wstring(extra));
}

void ModelResultList::AddNote(std::wstring_view text)
{
    if (keepLog_)
        log.push_back(L"note|" + std::wstring(text));
    notes.emplace_back(text);
}

int ModelResultList::TotalCount()
{
    int total = 0;
    for (const ModelRow& row : rows)
        total += static_cast<int>(row.details.size());
    return total;
}

}  // namespace scan_testing
