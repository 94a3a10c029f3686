#pragma once

#include "InternetHandle.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// What the WinINet calls of one download or ping work on. It lives on the helper thread's side:
// an abandoned call may still be using it after the caller has returned.
struct InternetCallState {
    InternetHandle session;
    InternetHandle reply;     // the URL as finally opened, after any redirects
    bool opened = false;
    uint32_t status = 0;      // of the final reply
    uint32_t contentLength = 0;
    bool lengthKnown = false;
    bool lengthQueryFailed = false;  // failed for another reason than a missing header
    std::vector<uint8_t> piece;      // the last read's bytes
    bool readOk = false;
};

// Runs WinINet's blocking calls on a helper thread, so that the caller can stop waiting for one.
// Under Wine neither WinINet's receive time-out options nor closing a handle end a read on a
// silent connection or the wait for the reply's headers. A call that overruns its limit is
// abandoned: the helper keeps the state and releases it whenever the call returns.
class InternetCallThread {
public:
    using Call = std::function<void(InternetCallState&)>;

    InternetCallThread();
    ~InternetCallThread();
    InternetCallThread(const InternetCallThread&) = delete;
    InternetCallThread& operator=(const InternetCallThread&) = delete;

    // False when the call did not end within limitMs (every later Run then fails at once) or
    // could not complete because memory ran out.
    bool Run(Call call, uint32_t limitMs);

    // The state between calls; only valid while the thread has not been abandoned.
    InternetCallState& State();

private:
    struct Shared;
    static void Serve(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    bool abandoned_ = false;
};
