#include "RuntimeLibSource.h"

#include <system_error>
#include <thread>
#include <utility>

#include "WorkerMessages.h"

namespace app {

RuntimeLibSource::RuntimeLibSource(ServerEndpoint server, HWND window) : server_(std::move(server)), window_(window)
{
}

bool RuntimeLibSource::StartStartupCalls()
{
    try {
        std::thread([self = shared_from_this()] { self->RunStartupCalls(); }).detach();
        return true;
    } catch (const std::system_error&) {
        // No thread: the repair fetches the list itself.
        Publish({});
        return false;
    }
}

void RuntimeLibSource::RunStartupCalls()
{
    ReportUsageAction(L"page", L"start", server_);
    ReportUsageBackhaul(L"appstart", L"", server_);
    std::vector<RuntimeLibEntry> list;
    FetchRuntimeLibList(list, server_);
    Publish(std::move(list));
}

std::vector<RuntimeLibEntry> RuntimeLibSource::Current() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return list_;
}

std::vector<RuntimeLibEntry> RuntimeLibSource::ForRepair()
{
    {
        std::unique_lock<std::mutex> guard(lock_);
        startupFetchEnded_.wait(guard, [this] { return startupFetchDone_; });
        if (!list_.empty())
            return list_;
    }
    std::vector<RuntimeLibEntry> list;
    FetchRuntimeLibList(list, server_);
    if (!list.empty())
        Publish(list);
    return list;
}

void RuntimeLibSource::Publish(std::vector<RuntimeLibEntry> list)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        list_ = std::move(list);
        startupFetchDone_ = true;
        PostMessageW(window_, workers::kRuntimeLibListReady, 0, 0);
    }
    startupFetchEnded_.notify_all();
}

}  // namespace app
