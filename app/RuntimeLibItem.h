#pragma once

#include <string>

#include "VxHorizontalLayout.h"

namespace app {

// One row of the repair list: a runtime package, "修复中..." until its package was handled.
class RuntimeLibItem : public VXM::VxHorizontalLayout {
public:
    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void Init() override;

    const std::wstring& GetName() const { return name_; }
    // The row's name and its label's text (after Init).
    void SetName(std::wstring_view name);
    void MarkDone();
    bool IsDone() const { return done_; }

    VXM::VxControl* Icon() const { return icon_; }
    VXM::VxControl* NameLabel() const { return nameLabel_; }
    VXM::VxControl* StatusLabel() const { return statusLabel_; }

private:
    void MakeChildren();

    std::wstring name_;
    bool done_ = false;
    VXM::VxControl* icon_ = nullptr;
    VXM::VxControl* nameLabel_ = nullptr;
    VXM::VxControl* statusLabel_ = nullptr;
};

}  // namespace app
