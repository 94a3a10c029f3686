// The message loop shared by every window of the thread: each message is first offered to
// the paint managers' pre-message step (Tab navigation, listeners' filters).

#include "VxPaintManager.h"

namespace VXM {

void VxPaintManager::MessageLoop()
{
    MSG message = {};
    // GetMessageW gives 0 for WM_QUIT and -1 on failure; both end the loop.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateMessage(&message)) {
            ::TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

bool VxPaintManager::TranslateMessage(const MSG* message)
{
    if (!message)
        return false;
    MSG copy = *message;
    // By index: a handler may open or close a window, which adds or removes a manager.
    std::vector<VxPaintManager*>& managers = PreMessageList();
    for (size_t i = 0; i < managers.size(); ++i) {
        if (managers[i]->PreMessageHandler(&copy))
            return true;
    }
    return false;
}

}  // namespace VXM
