#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "VxControl.h"
#include "VxNotify.h"

// A plain hidden top-level window for the manager tests; WM_TIMER goes to `onTimer`.
class TestWindow {
public:
    TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND Get() const { return window_; }
    std::function<void(UINT_PTR id)> onTimer;

private:
    HWND window_ = nullptr;
};

// Dispatches the thread's messages for about `milliseconds`.
void PumpMessages(DWORD milliseconds);

// Every notification a listener received, in order.
class NotifyLog : public VXM::INotify {
public:
    struct Entry {
        UINT type = 0;
        VXM::VxControl* sender = nullptr;
        DWORD timestamp = 0;
        POINT mouse = {};
        WPARAM wParam = 0;
    };
    void Notify(VXM::VxNotify& notify) override;
    // How many notifications of that type arrived.
    int Count(UINT type) const;

    std::vector<Entry> entries;
    std::function<void()> onNotify;
};

VXM::VxEventUI MakeEvent(UINT type, POINT mouse, VXM::VxControl* sender = nullptr);

// A control that tells when it is destroyed and counts its Init calls.
class TracedControl : public VXM::VxControl {
public:
    explicit TracedControl(bool* destroyed = nullptr) : destroyed_(destroyed) {}
    ~TracedControl() override
    {
        if (destroyed_)
            *destroyed_ = true;
    }
    void Init() override { ++initCalls; }

    int initCalls = 0;

private:
    bool* destroyed_ = nullptr;
};
