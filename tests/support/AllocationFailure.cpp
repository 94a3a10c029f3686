#include "AllocationFailure.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace allocation_failure {

namespace {

std::atomic<bool> g_armed{false};
std::atomic<int> g_countdown{0};
std::atomic<bool> g_fired{false};
std::atomic<DWORD> g_thread{0};
std::atomic<bool> g_otherThreads{false};

bool Counts()
{
    const bool calling = GetCurrentThreadId() == g_thread.load();
    return g_otherThreads.load() ? !calling : calling;
}

void MaybeFail()
{
    if (g_armed.load() && Counts() && g_countdown.fetch_sub(1) == 1) {
        g_fired = true;
        throw std::bad_alloc();
    }
}

}  // namespace

ScopedFailure::ScopedFailure(int nth, Threads threads)
{
    g_fired = false;
    g_countdown = nth;
    g_thread = GetCurrentThreadId();
    g_otherThreads = threads == Threads::Others;
    g_armed = true;
}

ScopedFailure::~ScopedFailure()
{
    g_armed = false;
}

bool ScopedFailure::Fired() const
{
    return g_fired.load();
}

}  // namespace allocation_failure

void* operator new(std::size_t size)
{
    allocation_failure::MaybeFail();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return operator new(size, std::nothrow);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
