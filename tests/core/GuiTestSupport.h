#pragma once

#include <windows.h>

#include <functional>

namespace gui_test {

// Runs every waiting message of the thread through the framework's pre-message step and
// dispatches the rest, until the queue is empty.
void PumpMessages();

// Pumps until `done` holds or `timeoutMs` has passed; whether it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Pumps for `milliseconds`, for checks that something does not happen.
void PumpFor(DWORD milliseconds);

}  // namespace gui_test
