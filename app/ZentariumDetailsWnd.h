#pragma once

#include <windows.h>

#include "VxWindowImplBase.h"

namespace VXM {
class VxContainer;
}

namespace app {

class CheckResultItem;
struct FindingRow;
class ZentariumWnd;

// The id of the result list that holds a finding row (the row sits in the list's row list):
// 121 to 124, or 0 when the row is not in a list.
UINT ReportCategory(const VXM::VxControl& row);

// Application crashes, system errors and junk files: the reports that list the row's details.
bool IsListReport(UINT category);

// The report of one finding row ("日志报告"), shown modally over the main window; its "修复"
// buttons start the repair there. Lives for one ShowModal. It shows the record the row showed
// when the report was asked for, whatever the row control shows afterwards.
class ZentariumDetailsWnd : public VXM::VxWindowImplBase {
public:
    ZentariumDetailsWnd(ZentariumWnd& mainWindow, CheckResultItem& row);

    const wchar_t* GetWindowClassName() const override;
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(VXM::VxNotify& notify) override;

private:
    void OnWindowInit();
    void OnClick(UINT id);
    void FillListReport(UINT category);
    void AddDetailLines(VXM::VxContainer& list);
    void SetText(UINT id, const std::wstring& text);

    ZentariumWnd& mainWindow_;  // not owned, outlives this
    const FindingRow& row_;     // not owned, lives as long as the main window
    UINT category_ = 0;         // the id of the list holding the row
};

}  // namespace app
