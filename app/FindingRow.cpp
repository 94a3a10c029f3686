#include "FindingRow.h"

#include "ScanUpdate.h"

namespace app {

bool FindingRow::AddDetail(std::wstring_view detail, std::wstring_view extra)
{
    const bool added = details.Add(detail, extra);
    if (rowStyle == scan::kJunkRow)
        countShownAsDescription = descriptionShown = true;
    return added;
}

void FindingRow::SetDescription(std::wstring_view text)
{
    description = text;
    countShownAsDescription = false;
    descriptionShown = descriptionShown || !text.empty();
}

std::wstring FindingRow::Description() const
{
    if (countShownAsDescription)
        return L"垃圾文件：" + std::to_wstring(Count()) + L"项";
    return description;
}

std::wstring FindingRow::CountText() const
{
    switch (rowStyle) {
    case scan::kEventRow:
        return L"崩溃次数：" + std::to_wstring(Count());
    case scan::kErrorRow:
        return L"错误";
    case scan::kJunkRow:
        return L"可清理：" + std::to_wstring(Count());
    case scan::kDllRow:
        return L"异常";
    default:
        return {};
    }
}

}  // namespace app
