#include "InternetCallThread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

struct InternetCallThread::Shared {
    std::mutex lock;
    std::condition_variable changed;
    Call call;           // guarded by lock; set while a call waits to run or runs
    bool pending = false;
    bool threw = false;
    bool quit = false;
    InternetCallState state;  // the helper's while a call runs, the caller's in between
};

InternetCallThread::InternetCallThread() : shared_(std::make_shared<Shared>())
{
    thread_ = std::thread([shared = shared_] { Serve(shared); });
}

InternetCallThread::~InternetCallThread()
{
    if (abandoned_) {
        thread_.detach();
        return;
    }
    {
        std::lock_guard guard(shared_->lock);
        shared_->quit = true;
    }
    shared_->changed.notify_all();
    thread_.join();
}

bool InternetCallThread::Run(Call call, uint32_t limitMs)
{
    if (abandoned_)
        return false;
    std::unique_lock guard(shared_->lock);
    shared_->call = std::move(call);
    shared_->pending = true;
    shared_->threw = false;
    shared_->changed.notify_all();
    const bool ended = shared_->changed.wait_for(guard, std::chrono::milliseconds(limitMs),
                                                 [this] { return !shared_->pending; });
    if (!ended) {
        // The helper finishes the call on its own and then ends; it holds its own reference.
        shared_->quit = true;
        abandoned_ = true;
    }
    return ended && !shared_->threw;
}

InternetCallState& InternetCallThread::State()
{
    return shared_->state;
}

void InternetCallThread::Serve(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock guard(shared->lock);
    for (;;) {
        shared->changed.wait(guard, [&] { return shared->pending || shared->quit; });
        if (!shared->pending)
            return;
        Call call = std::move(shared->call);
        guard.unlock();
        bool threw = false;
        try {
            call(shared->state);
        } catch (const std::exception&) {
            threw = true;  // memory ran out inside the call
        }
        call = nullptr;
        guard.lock();
        shared->threw = threw;
        shared->pending = false;
        shared->changed.notify_all();
        if (shared->quit)
            return;
    }
}
