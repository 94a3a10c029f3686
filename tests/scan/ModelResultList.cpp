#include "ModelResultList.h"

#include <cwctype>

namespace scan_testing {

namespace {

bool SameGroup(const std::wstring& a, const std::wstring& b)
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

void ModelResultList::AddFinding(const std::wstring& group, const std::wstring& description, int rowStyle,
                                 const std::wstring& detail, const std::wstring& extra)
{
    if (keepLog_) {
        log.push_back(L"finding|" + group + L"|" + description + L"|" + std::to_wstring(rowStyle) + L"|" + detail +
                      L"|" + extra);
    }
    ModelRow* row = nullptr;
    for (ModelRow& candidate : rows) {
        if (SameGroup(candidate.group, group)) {
            row = &candidate;
            break;
        }
    }
    if (!row) {
        rows.push_back(ModelRow{rowStyle, group, {}, {}});
        row = &rows.back();
    }
    row->group = group;
    row->description = description;
    row->details.emplace(detail, extra);
}

void ModelResultList::AddNote(const std::wstring& text)
{
    if (keepLog_)
        log.push_back(L"note|" + text);
    notes.push_back(text);
}

int ModelResultList::TotalCount()
{
    int total = 0;
    for (const ModelRow& row : rows)
        total += static_cast<int>(row.details.size());
    return total;
}

}  // namespace scan_testing
