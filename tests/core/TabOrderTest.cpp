#include "TabOrder.h"

#include <gtest/gtest.h>

using namespace VXM;

namespace {

// 'T': Tab stop, '.': the current control that is no stop, '*': current Tab stop,
// 'x': a control in the walk that is no stop.
std::vector<TabWalkEntry> Walk(const char* pattern)
{
    std::vector<TabWalkEntry> walk;
    for (const char* at = pattern; *at; ++at)
        walk.push_back({*at == 'T' || *at == '*', *at == '*' || *at == '.'});
    return walk;
}

}  // namespace

TEST(TabOrder, ForwardGoesToTheNextStopAndWrapsToTheFirst)
{
    EXPECT_EQ(NextTabStop(Walk("T*xT"), true), 3);
    EXPECT_EQ(NextTabStop(Walk("TxT*"), true), 0);
    EXPECT_EQ(NextTabStop(Walk("xT*x"), true), 1);
}

TEST(TabOrder, BackwardGoesToThePreviousStopAndWrapsToTheLast)
{
    EXPECT_EQ(NextTabStop(Walk("TxT*"), false), 2);
    EXPECT_EQ(NextTabStop(Walk("*TxT"), false), 3);
    EXPECT_EQ(NextTabStop(Walk("x*Tx"), false), 2);
}

TEST(TabOrder, WithoutFocusForwardTakesTheFirstAndBackwardTheLast)
{
    EXPECT_EQ(NextTabStop(Walk("xTxTx"), true), 1);
    EXPECT_EQ(NextTabStop(Walk("xTxTx"), false), 3);
}

TEST(TabOrder, FocusOnAControlThatIsNoStopKeepsItsPlaceInTheWalk)
{
    EXPECT_EQ(NextTabStop(Walk("T.T"), true), 2);
    EXPECT_EQ(NextTabStop(Walk("T.T"), false), 0);
    EXPECT_EQ(NextTabStop(Walk("TT."), true), 0);
}

TEST(TabOrder, OneStopMovesOntoItselfAndNoStopGivesNothing)
{
    EXPECT_EQ(NextTabStop(Walk("*"), true), 0);
    EXPECT_EQ(NextTabStop(Walk("*"), false), 0);
    EXPECT_EQ(NextTabStop(Walk("x.x"), true), -1);
    EXPECT_EQ(NextTabStop(Walk(""), false), -1);
}

TEST(TabOrder, PrecedingStopDoesNotWrap)
{
    EXPECT_EQ(PrecedingTabStop(Walk("TxT.T")), 2);
    EXPECT_EQ(PrecedingTabStop(Walk("*TT")), -1);
    EXPECT_EQ(PrecedingTabStop(Walk("TTT")), -1);
}
