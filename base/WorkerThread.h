#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "UniqueHandle.h"

namespace base {

// One worker thread at a time for a given job (the scan, the repair). The entry runs inside a
// catch-all: an escaping exception ends the thread with exit code 1 instead of the process.
class WorkerThread {
public:
    using Entry = std::function<void()>;

    WorkerThread() = default;
    ~WorkerThread();  // waits for a running thread
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Waits for the thread of an earlier Start, then runs entry on a new thread (created
    // suspended, then resumed). False when no thread runs.
    bool Start(Entry entry);

    // Waits without a time limit and releases the thread; its exit code, or nothing when no
    // thread was held.
    std::optional<DWORD> Wait();
    // The same, and meanwhile handles the messages other threads send to this thread's windows
    // (no input, nothing posted).
    std::optional<DWORD> WaitAnsweringSentMessages();

    bool Running() const;
    DWORD ThreadId() const { return threadId_; }
    bool HoldsThread() const { return thread_.Valid(); }

private:
    struct State {
        Entry entry;
        std::atomic<bool> running{false};
    };
    static unsigned __stdcall ThreadProc(void* parameter);
    std::optional<DWORD> Release();

    std::unique_ptr<State> state_;  // read by the thread until it ends
    KernelHandle thread_;
    DWORD threadId_ = 0;
};

}  // namespace base
