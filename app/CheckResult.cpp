#include "CheckResult.h"

#include <climits>
#include <memory>

#include "AppNotify.h"
#include "CheckResultItem.h"
#include "ChildControls.h"
#include "ResultRows.h"
#include "ScanUpdate.h"

using namespace VXM;

namespace app {
namespace {

constexpr DWORD kGreyText = 0xFF818181;
constexpr int kNoteIcon = 115;
constexpr RECT kHeadingPadding = {0, 15, 0, 0};

VxControl* MakeLabel(const TextLook& look)
{
    auto* label = new VxControl;  // handed to the list
    PassMouse(*label);
    ApplyTextLook(*label, look);
    return label;
}

// The skin's default bar, vertical only.
void AddScrollbar(VxContainer& list)
{
    list.SetAttribute(L"vscrollbar", L"VScrollBar1");
    list.EnableScrollBar(true, false);
}

void SetLabel(VxControl* label, std::wstring_view text, bool show)
{
    if (!label)
        return;
    label->SetText(text);
    if (show)
        label->SetVisible(true);
}

// Each UTF-16 unit upper-cased the same way whatever the user's locale; the length never
// changes, so only groups of equal length can share a key.
std::wstring GroupKey(std::wstring_view group)
{
    std::wstring key(group);
    if (key.empty() || key.size() > static_cast<size_t>(INT_MAX))
        return key;
    const int length = static_cast<int>(key.size());
    const int mapped = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, group.data(), length, key.data(), length,
                                     nullptr, nullptr, 0);
    return mapped == length ? key : std::wstring(group);
}

// FNV-1a over the key's units.
uint32_t HashOf(std::wstring_view key)
{
    uint32_t hash = 2166136261u;
    for (wchar_t unit : key)
        hash = (hash ^ static_cast<uint16_t>(unit)) * 16777619u;
    return hash;
}

}  // namespace

UINT CheckResult::GetClass() const
{
    return kClassCheckResult;
}

VxControl* CheckResult::GetInterface(UINT classCode)
{
    switch (classCode) {
    case kClassCheckResult:
    case kClassContainer:
    case kClassControl:
        return this;
    default:
        return nullptr;
    }
}

// The manager runs Init over the whole tree each time a listener is added: children once.
void CheckResult::Init()
{
    if (!title_)
        MakeChildren();
    VxVerticalLayout::Init();
}

void CheckResult::SetTitle(std::wstring_view text)
{
    SetLabel(title_, text, false);
}

void CheckResult::SetDescription(std::wstring_view text)
{
    SetLabel(description_, text, false);
}

void CheckResult::SetSecondDescription(std::wstring_view text)
{
    SetLabel(secondDescription_, text, false);
}

void CheckResult::SetThirdDescription(std::wstring_view text)
{
    SetLabel(thirdDescription_, text, true);
}

void CheckResult::SetReportHeading(std::wstring_view text)
{
    SetLabel(reportHeading_, text, true);
}

void CheckResult::SetScanHeading(std::wstring_view text)
{
    SetLabel(scanHeading_, text, true);
    if (listHeading_)
        listHeading_->SetVisible(false);
    if (noteBox_)
        noteBox_->SetVisible(true);
}

void CheckResult::SetListHeading(std::wstring_view text)
{
    SetLabel(listHeading_, text, false);
}

void CheckResult::AddFinding(std::wstring_view group, std::wstring_view description, int rowStyle,
                             std::wstring_view detail, std::wstring_view extra)
{
    if (!rowList_)
        return;
    const int index = RowOf(group, rowStyle);
    FindingRow& row = rows_[index];
    row.groupName = group;
    // A junk row's description is its file count.
    if (row.rowStyle != scan::kJunkRow)
        row.SetDescription(description);
    if (row.AddDetail(detail, extra))
        ++detailTotal_;
    ShowChange(index);
}

void CheckResult::AddNote(std::wstring_view text)
{
    if (!noteBox_)
        return;
    // Dressed before it is added: a control without a manager asks for no repaint.
    VxControl* note = MakeLabel({.font = L"normal16", .color = kGreyText, .height = 30});
    note->SetText(text);
    note->SetNormalTextPadding(RECT{35, 4, 0, 0});
    note->SetNormalBkImage(PngImage(kNoteIcon) + L" dest='3,3,27,27'");
    noteBox_->Add(note);
    RequestRepaint();  // one for every note and row added until the list is painted again
}

int CheckResult::TotalCount()
{
    return detailTotal_;
}

int CheckResult::RowCount() const
{
    return static_cast<int>(rows_.size());
}

const FindingRow* CheckResult::RecordAt(int index) const
{
    return index >= 0 && index < RowCount() ? &rows_[index] : nullptr;
}

CheckResultItem* CheckResult::ShownRow(int index) const
{
    VxControl* control = rowList_ ? rowList_->ControlOfRow(index) : nullptr;
    return control ? static_cast<CheckResultItem*>(control->GetInterface(kClassCheckResultItem)) : nullptr;
}

void CheckResult::MakeChildren()
{
    PassMouse(*this);
    title_ = AddChild(*this, MakeLabel({.font = L"bold24", .height = 50}));
    description_ = AddChild(*this, MakeLabel({.font = L"normal16", .color = kGreyText, .height = 30}));
    secondDescription_ = AddChild(*this, MakeLabel({.font = L"normal16", .color = kGreyText, .height = 25}));
    thirdDescription_ = AddChild(*this, MakeLabel({.font = L"normal16", .color = 0xFF949494, .height = 25}));
    thirdDescription_->SetVisible(false);
    listHeading_ = AddChild(*this, MakeLabel({.font = L"normal22", .color = 0xFF363636, .height = 40,
                                              .padding = kHeadingPadding}));
    scanHeading_ = AddChild(*this, MakeLabel({.font = L"normal16", .color = kGreyText, .height = 30,
                                              .padding = kHeadingPadding}));
    scanHeading_->SetVisible(false);

    noteBox_ = AddChild(*this, new VxVerticalLayout);
    PassMouse(*noteBox_);
    noteBox_->SetAttribute(L"normalbordercolor", L"#FFEFEFEF");
    noteBox_->SetAttribute(L"normalbordersize", L"2");
    noteBox_->SetRoundCorner(SIZE{5, 5});
    noteBox_->SetNormalBkColor(0xFFF5F5F5);
    noteBox_->SetFixedHeight(175);
    noteBox_->SetInset(RECT{15, 10, 0, 10});
    AddScrollbar(*noteBox_);
    noteBox_->SetVisible(false);

    reportHeading_ = AddChild(*this, MakeLabel({.font = L"normal16", .color = kGreyText, .height = 30,
                                                .padding = kHeadingPadding}));
    reportHeading_->SetVisible(false);

    rowList_ = AddChild(*this, new VxVirtualList);
    PassMouse(*rowList_);
    AddScrollbar(*rowList_);
    rowList_->SetRows(std::make_unique<ResultRows>(rows_, detailTotal_));
}

// The junk check reports a folder's files one after another: the same spelling as last time
// needs no key.
int CheckResult::RowOf(std::wstring_view group, int rowStyle)
{
    if (lastRow_ >= 0 && rows_[lastRow_].groupName == group)
        return lastRow_;
    const std::wstring key = GroupKey(group);
    const uint32_t hash = HashOf(key);
    int index = rowsByGroup_.Find(hash, [&](int candidate) { return GroupKey(rows_[candidate].groupName) == key; });
    if (index < 0)
        index = AddRow(rowStyle, hash);
    lastRow_ = index;
    return index;
}

// Only the list's bar and the rows in view follow: no other row is laid out or visited.
int CheckResult::AddRow(int rowStyle, uint32_t keyHash)
{
    const int index = RowCount();
    rows_.emplace_back().rowStyle = rowStyle;
    rowsByGroup_.Insert(keyHash, index);
    rowList_->NeedUpdate();
    RequestRepaint();
    return index;
}

void CheckResult::ShowChange(int index)
{
    // A control keeps its row while out of view until another row needs it: the one that may
    // show this row is known without a search, and a stale binding never shows on scrolling back.
    const int slots = rowList_->GetCount();
    if (slots == 0)
        return;
    VxControl* control = rowList_->GetItemAt(VXM::virtual_list::SlotOf(index, slots));
    auto* row = control ? static_cast<CheckResultItem*>(control->GetInterface(kClassCheckResultItem)) : nullptr;
    if (row && &row->Record() == &rows_[index])
        row->Refresh();
}

}  // namespace app
