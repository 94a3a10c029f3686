#include "DetailLines.h"

#include "ChildControls.h"
#include "SkinWindow.h"
#include "VxDefines.h"

namespace app {
namespace {

constexpr int kDetailIconResource = 117;
constexpr int kDetailLineHeight = 50;

}  // namespace

DetailLines::DetailLines(const FindingDetails& details) : details_(details), ids_(details.SortedIds()) {}

int DetailLines::RowCount() const
{
    return static_cast<int>(ids_.size());
}

// The detail text beside a small icon in a rounded frame.
VXM::VxControl* DetailLines::MakeRow()
{
    auto* line = new VXM::VxControl;  // handed to the list
    for (UINT event : {VXM::kEventMouseWheel, VXM::kEventMouseLeave, VXM::kEventMouseEnter})
        line->SetControlDispatch(static_cast<int>(event), true);
    line->SetNormalBkImage(PngImage(kDetailIconResource, L"10,10,40,40"));
    line->SetTextStyle(DT_VCENTER | DT_SINGLELINE);
    line->SetNormalTextPadding(RECT{50, 0, 0, 0});
    line->SetFixedHeight(kDetailLineHeight);
    line->SetAttribute(L"normalbordercolor", L"#ffE6E6E6");
    line->SetAttribute(L"normalbordersize", L"2");
    line->SetRoundCorner(SIZE{5, 5});
    line->SetNormalFont(L"normal16");
    line->SetNormalTextColor(0xFF000000);
    return line;
}

void DetailLines::ShowRow(VXM::VxControl& row, int index)
{
    if (index >= 0 && index < RowCount())
        row.SetText(OneLine(details_.Detail(ids_[index])));
}

}  // namespace app
