#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AppServices.h"
#include "RuntimeLibEntry.h"
#include "ScanHost.h"
#include "UpdateQueue.h"
#include "VxWindowImplBase.h"
#include "WorkerThread.h"

namespace VXM {
class VxContainer;
}

namespace app {

class CheckResult;
class CheckResultItem;
class RuntimeLibItem;
class RuntimeLibSource;

// The program's only top-level window: four pages (home, scan, repairing, done), the scan and
// repair workers, the report and customer-service windows, and the orderly close. Made with new by
// the start-up routine; it deletes itself after its window's last message.
class ZentariumWnd : public VXM::VxWindowImplBase, public scan::IScanHost {
public:
    explicit ZentariumWnd(AppServices services = {});
    ~ZentariumWnd() override;

    const wchar_t* GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    LRESULT VxHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND window) override;
    LRESULT VxOnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnCreate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcActivate(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcCalcSize(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnNcPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnSysCommand(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnClose(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT VxOnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void Notify(VXM::VxNotify& notify) override;

    // The repairing page with one row per runtime package, and the repair worker. Also started by
    // the report window's "修复" buttons.
    void StartRepair();
    // Shows the list of that category entry (117 to 120) and highlights the entry.
    void ShowCategory(int entryId);

    // scan::IScanHost, asked on the UI thread when a scan starts.
    HWND ScanWindow() override;
    scan::IResultList* FindList(int listId) override;
    scan::ICategoryEntry* FindEntry(int entryId) override;
    scan::UpdateQueue& Updates() override;
    const std::atomic<uint32_t>& LastRepairTime() override;

private:
    // Worker messages, one handler each.
    LRESULT OnScanFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnRuntimeItemDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnRepairFinished(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowCategoryRequest(WPARAM wParam, LPARAM lParam);
    LRESULT OnRuntimeLibListReady(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);

    // Notifications.
    void OnWindowInit();
    void OnClick(VXM::VxControl& sender);
    void OnReportRequested(VXM::VxControl& sender);

    // Window-init texts.
    void InitCategoryEntries();
    void InitResultLists();

    // Clicks.
    void Minimise();
    void CloseProcedure();
    void OpenCustomerService();
    void StartScan();
    void ShowHomePage();
    void ShowSymptomPicture(UINT linkId);

    // Scan progress.
    void ProgressTick();
    int TotalFindings();

    // Repair.
    struct RepairTally {
        int packages = 0;
        int repaired = 0;
        bool Complete() const { return packages > 0 && repaired == packages; }
    };
    VXM::VxContainer* RepairRows();
    void AddRepairRows();
    RuntimeLibItem* RepairRowOf(size_t packageIndex);
    // The rows not repaired show the failure; how many packages there were and were repaired.
    RepairTally FinishRepairRows();
    void ShowDonePage(const RepairTally& tally);

    // Hides the window and waits, without a time limit, for the repair and then the scan worker,
    // answering sent messages meanwhile. False, at once, for a close that comes during the wait:
    // the waiting one goes on to destroy the window.
    bool WaitForWorkers();
    void ShowPage(UINT pageToShow, UINT pageToHide);
    void SetVisible(UINT id, bool visible);
    void SetText(UINT id, const std::wstring& text);
    CheckResult* ListById(UINT id);

    AppServices services_;
    std::wstring workDirectory_;
    std::atomic<uint32_t> lastRepairTime_{0};  // read by the scan worker
    // The one runtime-library list, shared with the start-up calls and the repair.
    std::shared_ptr<RuntimeLibSource> runtimeLibSource_;
    scan::UpdateQueue updates_;
    int tickCount_ = 0;
    bool repairStarted_ = false;
    bool waitingForWorkers_ = false;
    base::WorkerThread scanWorker_;
    base::WorkerThread repairWorker_;
};

}  // namespace app
