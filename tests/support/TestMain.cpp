// The entry of every test exe: GoogleTest plus a watchdog. A test that hangs under Wine would
// otherwise run into CTest's timeout for the whole exe, which kills it with its output still in
// the C runtime's buffer: nobody learns which test hung. The watchdog names it and ends the exe.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr auto kTestLimit = std::chrono::minutes(5);

class Watchdog : public testing::EmptyTestEventListener {
public:
    Watchdog() : thread_([this] { Watch(); }) {}

    ~Watchdog() override
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_one();
        thread_.join();
    }

    void OnTestStart(const testing::TestInfo& test) override
    {
        std::lock_guard lock(mutex_);
        name_ = std::string(test.test_suite_name()) + "." + test.name();
        deadline_ = std::chrono::steady_clock::now() + kTestLimit;
        running_ = true;
        changed_.notify_one();
    }

    void OnTestEnd(const testing::TestInfo&) override
    {
        std::lock_guard lock(mutex_);
        running_ = false;
        changed_.notify_one();
    }

private:
    void Watch()
    {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            if (!running_) {
                changed_.wait(lock);
                continue;
            }
            if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && running_ &&
                std::chrono::steady_clock::now() >= deadline_) {
                std::fprintf(stderr, "[  HUNG   ] %s still runs after %d minutes; ending the test exe\n",
                             name_.c_str(), static_cast<int>(kTestLimit.count()));
                std::fflush(stdout);
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::string name_;
    std::chrono::steady_clock::time_point deadline_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv)
{
    // Unbuffered, so that what a test printed survives an abrupt end of the process.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    auto* watchdog = new Watchdog;  // the listener list owns and deletes it
    testing::UnitTest::GetInstance()->listeners().Append(watchdog);
    return RUN_ALL_TESTS();
}
