#include "VxControlFactory.h"

#include "VxButton.h"
#include "VxHorizontalLayout.h"
#include "VxLabel.h"
#include "VxOption.h"
#include "VxProgress.h"
#include "VxVerticalLayout.h"

namespace VXM {

// Switched on the length first, so most names cost one comparison.
VxControl* CreateFrameworkControl(std::wstring_view name)
{
    switch (name.size()) {
    case 5:
        if (name == L"Label")
            return new VxLabel;
        break;
    case 6:
        if (name == L"Button")
            return new VxButton;
        if (name == L"Option")
            return new VxOption;
        break;
    case 7:
        if (name == L"Control")
            return new VxControl;
        break;
    case 8:
        if (name == L"Progress")
            return new VxProgress;
        break;
    case 9:
        if (name == L"Container")
            return new VxContainer;
        break;
    case 14:
        if (name == L"VerticalLayout")
            return new VxVerticalLayout;
        break;
    case 16:
        if (name == L"HorizontalLayout")
            return new VxHorizontalLayout;
        break;
    default:
        break;
    }
    return nullptr;
}

}  // namespace VXM
