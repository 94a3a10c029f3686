#pragma once

#include <windows.h>

#include "CheckResult.h"
#include "ExeModule.h"
#include "LeftOption.h"
#include "VxNotify.h"
#include "VxPaintManager.h"

// The skin window "Main" of Zentarium.exe built with the application's builder callback into
// the paint manager of a hidden plain window, registered as listener the way the main window
// does it (which runs Init over the tree).
class MainSkin : public VXM::INotify {
public:
    MainSkin();
    ~MainSkin() override;
    MainSkin(const MainSkin&) = delete;
    MainSkin& operator=(const MainSkin&) = delete;

    void Notify(VXM::VxNotify&) override {}

    VXM::VxControl* Root() const { return manager_.GetRootControl(); }
    VXM::VxPaintManager& Manager() { return manager_; }
    // Null when the id is missing or of another class.
    app::CheckResult* List(UINT id) const;
    app::LeftOption* Entry(UINT id) const;

private:
    ExeModule exe_;
    HWND window_ = nullptr;
    VXM::VxPaintManager manager_;
};
