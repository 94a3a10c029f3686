#include "WorkerThread.h"

#include <process.h>

#include <utility>

namespace base {

WorkerThread::~WorkerThread()
{
    Wait();
}

bool WorkerThread::Start(Entry entry)
{
    Wait();
    state_ = std::make_unique<State>();
    state_->entry = std::move(entry);
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, 0, &WorkerThread::ThreadProc, state_.get(), CREATE_SUSPENDED, &id);
    if (handle == 0)
        return false;
    thread_.Reset(reinterpret_cast<HANDLE>(handle));
    threadId_ = id;
    state_->running = true;
    if (ResumeThread(thread_.Get()) == static_cast<DWORD>(-1)) {
        // The thread never ran: drop its handle so no later wait blocks on it for ever.
        thread_.Reset();
        threadId_ = 0;
        state_->running = false;
        return false;
    }
    return true;
}

std::optional<DWORD> WorkerThread::Wait()
{
    if (thread_.Valid())
        WaitForSingleObject(thread_.Get(), INFINITE);
    return Release();
}

std::optional<DWORD> WorkerThread::WaitAnsweringSentMessages()
{
    const HANDLE thread = thread_.Get();
    while (thread_.Valid() &&
           MsgWaitForMultipleObjectsEx(1, &thread, INFINITE, QS_SENDMESSAGE, 0) == WAIT_OBJECT_0 + 1) {
        // Peeking delivers the sent messages; a posted one stays queued.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    // Also after a failed wait: the wait has no time limit.
    return Wait();
}

std::optional<DWORD> WorkerThread::Release()
{
    if (!thread_.Valid())
        return std::nullopt;
    DWORD exitCode = 0;
    GetExitCodeThread(thread_.Get(), &exitCode);
    thread_.Reset();
    return exitCode;
}

bool WorkerThread::Running() const
{
    return state_ && state_->running;
}

unsigned __stdcall WorkerThread::ThreadProc(void* parameter)
{
    State& state = *static_cast<State*>(parameter);
    state.running = true;
    try {
        state.entry();
    } catch (...) {
        state.running = false;
        return 1;
    }
    state.running = false;
    return 0;
}

}  // namespace base
