#pragma once

#include <gtest/gtest.h>

#include <new>

// A test exe that compiles AllocationFailure.cpp gets its own global operator new, which can be
// told to fail one allocation: the hostile input "memory runs out here" for code that must turn
// an allocation failure into its ordinary failure.
namespace allocation_failure {

enum class Threads {
    Calling,  // allocations of the thread that armed the failure
    Others,   // allocations of every other thread
};

// While it lives, the nth allocation (from 1) of the chosen threads throws std::bad_alloc, once.
class ScopedFailure {
public:
    explicit ScopedFailure(int nth, Threads threads = Threads::Calling);
    ~ScopedFailure();
    ScopedFailure(const ScopedFailure&) = delete;
    ScopedFailure& operator=(const ScopedFailure&) = delete;

    bool Fired() const;  // the failure happened
};

// For the first, second, third ... allocation in turn: prepare() unarmed, then call() with that
// allocation failing, then check() unarmed; until a call makes fewer allocations than the one
// that was to fail. A std::bad_alloc that leaves call() fails the test. Returns the number of
// runs in which an allocation failed.
template <typename Prepare, typename Call, typename Check>
int FailEachAllocationInTurn(Prepare prepare, Call call, Check check, Threads threads = Threads::Calling)
{
    for (int nth = 1;; ++nth) {
        prepare();
        bool escaped = false;
        bool fired = false;
        {
            ScopedFailure failure(nth, threads);
            try {
                call();
            } catch (const std::bad_alloc&) {
                escaped = true;
            }
            fired = failure.Fired();
        }
        EXPECT_FALSE(escaped) << "std::bad_alloc of allocation " << nth << " escaped";
        check();
        if (!fired)
            return nth - 1;
    }
}

}  // namespace allocation_failure
