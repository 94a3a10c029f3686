// Window-init: the texts and icons the skin leaves empty on the scan page.

#include "ZentariumWnd.h"

#include "AppNotify.h"
#include "CheckResult.h"
#include "ControlLookup.h"
#include "LeftOption.h"
#include "ScanCategories.h"
#include "SkinWindow.h"

namespace app {

namespace {

struct EntryText {
    int entryId = 0;
    int iconResource = 0;
    const wchar_t* title = L"";
};

constexpr EntryText kEntries[] = {
    {scan::kApplicationCrashes.entry, 112, L"应用程序崩溃扫描"},
    {scan::kSystemErrors.entry, 120, L"系统错误扫描"},
    {scan::kJunkFiles.entry, 121, L"垃圾文件扫描"},
    {scan::kSystemDlls.entry, 118, L"系统DLL扫描"},
};

struct ListText {
    int listId = 0;
    const wchar_t* title = L"";
    const wchar_t* description = L"";
    const wchar_t* secondDescription = L"";
    const wchar_t* heading = L"";
};

constexpr ListText kFindingLists[] = {
    {scan::kApplicationCrashes.list, L"崩溃的应用程序", L"发现Windows系统中存在运行不稳定的应用程序",
     L"以下为最近4个月发现崩溃的应用程序清单", L"第三方应用程序"},
    {scan::kSystemErrors.list, L"Windows系统错误", L"Windows系统长时间运行过程中产生各种错误",
     L"以下为最近4个月的系统错误", L"内置Windows系统程序"},
    {scan::kJunkFiles.list, L"系统垃圾文件", L"检测系统C盘所存储的临时文件，无效的缓存文件，清理后可提升电脑运行速度",
     L"以下为最近电脑产生的系统垃圾文件，请及时清理", L"临时文件"},
};

}  // namespace

void ZentariumWnd::OnWindowInit()
{
    InitCategoryEntries();
    InitResultLists();
    paintManager_.Invalidate();
}

void ZentariumWnd::InitCategoryEntries()
{
    for (const EntryText& text : kEntries) {
        auto* entry = FindControlAs<LeftOption>(paintManager_, static_cast<UINT>(text.entryId), kClassLeftOption);
        if (!entry)
            continue;
        entry->SetIconImage(PngImage(text.iconResource));
        entry->SetTitle(text.title);
        entry->SetCount(0);
        // The first category shows as selected; its list is the one the skin shows.
        entry->SetSelected(text.entryId == scan::kApplicationCrashes.entry);
    }
}

void ZentariumWnd::InitResultLists()
{
    for (const ListText& text : kFindingLists) {
        CheckResult* list = ListById(static_cast<UINT>(text.listId));
        if (!list)
            continue;
        list->SetTitle(text.title);
        list->SetDescription(text.description);
        list->SetSecondDescription(text.secondDescription);
        list->SetListHeading(text.heading);
    }
    CheckResult* dlls = ListById(static_cast<UINT>(scan::kSystemDlls.list));
    if (!dlls)
        return;
    dlls->SetTitle(L"DLL异常扫描");
    dlls->SetDescription(L"软件将自动扫描系统内所有的关键DLL文件");
    dlls->SetSecondDescription(L"第三方软件在安装或运行期间可能会替换或删除系统原有的DLL，导致应用程序无法加载正确版本");
    dlls->SetThirdDescription(L"的DLL，而产生一系列的崩溃报错情况。");
    dlls->SetScanHeading(L"正在扫描以下DLL");
    dlls->SetReportHeading(L"DLL异常错误报告");
}

}  // namespace app
