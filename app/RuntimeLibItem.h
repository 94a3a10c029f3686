#pragma once

#include <cstddef>
#include <string>

#include "VxHorizontalLayout.h"

namespace app {

// One row of the repair list: a runtime package of the repair's list, named by its index there;
// "修复中..." until the repair either repaired it ("已完成") or ended without ("修复失败").
class RuntimeLibItem : public VXM::VxHorizontalLayout {
public:
    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void Init() override;

    const std::wstring& GetName() const { return name_; }
    // The row's name and its label's text (after Init).
    void SetName(std::wstring_view name);
    void SetPackageIndex(size_t index) { packageIndex_ = index; }
    size_t PackageIndex() const { return packageIndex_; }
    void MarkDone();
    // Only a row still repairing: a repaired package stays repaired.
    void MarkFailed();
    bool IsDone() const { return state_ == State::kDone; }
    bool IsFailed() const { return state_ == State::kFailed; }

    VXM::VxControl* Icon() const { return icon_; }
    VXM::VxControl* NameLabel() const { return nameLabel_; }
    VXM::VxControl* StatusLabel() const { return statusLabel_; }

private:
    enum class State { kRepairing, kDone, kFailed };

    void MakeChildren();
    void ShowState();

    std::wstring name_;
    size_t packageIndex_ = 0;
    State state_ = State::kRepairing;
    VXM::VxControl* icon_ = nullptr;
    VXM::VxControl* nameLabel_ = nullptr;
    VXM::VxControl* statusLabel_ = nullptr;
};

}  // namespace app
