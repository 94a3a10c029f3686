#pragma once

namespace VXM {

class VxControl;

// Makes the controls of element names the framework does not know.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    // A new control, owned by the caller from then on, or null for an unknown name.
    virtual VxControl* CreateCustomControl(const wchar_t* name) = 0;
};

}  // namespace VXM
