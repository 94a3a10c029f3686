#include "WorkerThread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace {

TEST(WorkerThread, RunsTheEntryOnAnotherThreadAndEndsWithCodeZero)
{
    base::WorkerThread worker;
    DWORD entryThread = 0;
    ASSERT_TRUE(worker.Start([&entryThread] { entryThread = GetCurrentThreadId(); }));
    EXPECT_NE(worker.ThreadId(), 0u);
    std::optional<DWORD> exitCode = worker.Wait();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_NE(entryThread, GetCurrentThreadId());
    EXPECT_EQ(entryThread, worker.ThreadId());
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.HoldsThread());
}

TEST(WorkerThread, AnEscapingExceptionEndsTheThreadWithCodeOne)
{
    base::WorkerThread worker;
    ASSERT_TRUE(worker.Start([] { throw std::runtime_error("check failed"); }));
    EXPECT_EQ(worker.Wait(), std::optional<DWORD>(1));
    EXPECT_FALSE(worker.Running());

    ASSERT_TRUE(worker.Start([] { throw 42; }));
    EXPECT_EQ(worker.Wait(), std::optional<DWORD>(1));
}

TEST(WorkerThread, IsRunningWhileTheEntryRuns)
{
    base::WorkerThread worker;
    KernelHandle started(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    KernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(worker.Start([&] {
        SetEvent(started.Get());
        WaitForSingleObject(release.Get(), INFINITE);
    }));
    ASSERT_EQ(WaitForSingleObject(started.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(worker.Running());
    EXPECT_TRUE(worker.HoldsThread());
    SetEvent(release.Get());
    worker.Wait();
    EXPECT_FALSE(worker.Running());
}

TEST(WorkerThread, StartWaitsForTheEarlierThreadBeforeTheNextOne)
{
    base::WorkerThread worker;
    std::atomic<int> active{0};
    std::atomic<int> maxActive{0};
    std::atomic<int> runs{0};
    auto entry = [&] {
        int now = ++active;
        if (now > maxActive)
            maxActive = now;
        Sleep(50);
        --active;
        ++runs;
    };
    ASSERT_TRUE(worker.Start(entry));
    ASSERT_TRUE(worker.Start(entry));
    ASSERT_TRUE(worker.Start(entry));
    worker.Wait();
    EXPECT_EQ(runs.load(), 3);
    EXPECT_EQ(maxActive.load(), 1);
}

TEST(WorkerThread, WaitWithoutAThreadReturnsAtOnce)
{
    base::WorkerThread worker;
    EXPECT_FALSE(worker.Wait().has_value());
    ASSERT_TRUE(worker.Start([] {}));
    worker.Wait();
    EXPECT_FALSE(worker.Wait().has_value());
}

TEST(WorkerThread, DestructionWaitsForTheThread)
{
    std::atomic<bool> finished{false};
    {
        base::WorkerThread worker;
        ASSERT_TRUE(worker.Start([&finished] {
            Sleep(100);
            finished = true;
        }));
    }
    EXPECT_TRUE(finished.load());
}

}  // namespace
