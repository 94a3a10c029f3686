#pragma once

#include <string>
#include <unordered_map>

#include "FindingSinks.h"
#include "VxVerticalLayout.h"

namespace app {

class CheckResultItem;

// The result list of one scan category: headings, an optional note box and the finding rows.
class CheckResult : public VXM::VxVerticalLayout, public scan::IResultList {
public:
    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void Init() override;

    void SetTitle(std::wstring_view text);
    void SetDescription(std::wstring_view text);
    void SetSecondDescription(std::wstring_view text);
    // These show their label as well.
    void SetThirdDescription(std::wstring_view text);
    void SetReportHeading(std::wstring_view text);
    // Shows the scan heading and the note box instead of the list heading.
    void SetScanHeading(std::wstring_view text);
    void SetListHeading(std::wstring_view text);

    // Merges into the row whose group equals `group` ignoring case, or adds a row.
    void AddFinding(const std::wstring& group, const std::wstring& description, int rowStyle,
                    const std::wstring& detail, const std::wstring& extra) override;
    void AddNote(const std::wstring& text) override;
    int TotalCount() override;

    int RowCount() const;
    CheckResultItem* RowAt(int index) const;
    // Children, owned by this container; null before Init.
    VXM::VxVerticalLayout* NoteBox() const { return noteBox_; }
    VXM::VxVerticalLayout* RowList() const { return rowList_; }

private:
    void MakeChildren();
    // The row of that group ignoring case, made when missing.
    CheckResultItem* RowOf(const std::wstring& group, int rowStyle);
    CheckResultItem* AddRow(int rowStyle);

    VXM::VxControl* title_ = nullptr;
    VXM::VxControl* description_ = nullptr;
    VXM::VxControl* secondDescription_ = nullptr;
    VXM::VxControl* thirdDescription_ = nullptr;
    VXM::VxControl* listHeading_ = nullptr;
    VXM::VxControl* scanHeading_ = nullptr;
    VXM::VxVerticalLayout* noteBox_ = nullptr;
    VXM::VxControl* reportHeading_ = nullptr;
    VXM::VxVerticalLayout* rowList_ = nullptr;
    // Upper-cased group to its row, so merging stays cheap with many rows. Rows are never
    // removed, so the pointers (rows owned by rowList_) stay valid.
    std::unordered_map<std::wstring, CheckResultItem*> rowsByGroup_;
    std::wstring lastGroup_;             // as last given to RowOf
    CheckResultItem* lastRow_ = nullptr;  // its row, owned by rowList_
    int detailTotal_ = 0;  // kept by the rows (ShareDetailTotal)
};

}  // namespace app
