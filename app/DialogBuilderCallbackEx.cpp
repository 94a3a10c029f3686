#include "DialogBuilderCallbackEx.h"

#include <string_view>

#include "CheckResult.h"
#include "LeftOption.h"

namespace app {

VXM::VxControl* DialogBuilderCallbackEx::CreateCustomControl(const wchar_t* name)
{
    if (!name)
        return nullptr;
    const std::wstring_view element(name);
    // Handed to the builder's caller, which owns them from then on.
    if (element == L"CheckResult")
        return new CheckResult;
    if (element == L"LeftOption")
        return new LeftOption;
    return nullptr;
}

}  // namespace app
