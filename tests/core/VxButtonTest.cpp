#include "VxButton.h"

#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "VxPaintManager.h"

using namespace VXM;

namespace {

constexpr POINT kInside = {20, 20};

// A parent that records the double clicks its children forward to it.
class DoubleClickParent : public VxControl {
public:
    void OnLButtonDblClk(VxEventUI& event) override
    {
        ++received;
        dispatcher = event.dispatcher;
    }
    int received = 0;
    VxControl* dispatcher = nullptr;
};

struct ButtonFixture : ::testing::Test {
    void SetUp() override
    {
        manager.AddNotifier(&log);
        button.SetManager(&manager);
        button.SetParent(&parent);
        button.SetPos(RECT{10, 10, 50, 40});
    }
    void Send(UINT type)
    {
        VxEventUI event = MakeEvent(type, kInside, &button);
        button.Event(event);
    }

    VxPaintManager manager;
    NotifyLog log;
    DoubleClickParent parent;
    VxButton button;
};

}  // namespace

TEST(VxButton, ReportsClicksAndIsATabStopFromConstruction)
{
    VxButton button;
    EXPECT_EQ(button.GetClass(), UINT{kClassButton});
    for (UINT code : {kClassButton, kClassLabel, kClassContainer, kClassControl})
        EXPECT_EQ(button.GetInterface(code), &button) << code;
    EXPECT_EQ(button.GetInterface(kClassOption), nullptr);
    EXPECT_TRUE(button.GetControlNotify(kNotifyClick));
    EXPECT_TRUE(button.GetControlFlags(kFlagTabStop));
    EXPECT_FALSE(button.GetControlFlags(kFlagSetCursor));
    EXPECT_FALSE(button.IsTextAntialias());
}

TEST_F(ButtonFixture, ADoubleClickPressesTheButtonAgainAndClicksTwice)
{
    Send(kEventLButtonDown);
    Send(kEventLButtonUp);
    Send(kEventLButtonDblClk);
    EXPECT_EQ(button.GetMouseState() & (kStatePushed | kStateCaptured), UINT{kStatePushed | kStateCaptured});
    Send(kEventLButtonUp);
    EXPECT_EQ(log.Count(kNotifyClick), 2);
    EXPECT_EQ(parent.received, 0) << "no dispatch setting: the parent hears nothing";
}

TEST_F(ButtonFixture, ADoubleClickGoesToTheParentWhenDispatched)
{
    button.SetAttribute(L"dispatch", L"lbuttondblclk");
    Send(kEventLButtonDblClk);
    EXPECT_EQ(parent.received, 1);
    EXPECT_EQ(parent.dispatcher, &button);
    button.SetEnabled(false);
    Send(kEventLButtonDblClk);
    EXPECT_EQ(parent.received, 1) << "a disabled button passes nothing on";
    EXPECT_EQ(button.GetMouseState() & kStatePushed, 0u);
}

TEST_F(ButtonFixture, TheCursorOverAButtonIsTheHand)
{
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    Send(kEventSetCursor);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}
