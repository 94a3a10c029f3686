#include <gtest/gtest.h>

#include <vector>

#include "NestingDepth.h"
#include "ProbeControl.h"
#include "TestCanvas.h"
#include "VxPaintManager.h"
#include "VxVerticalLayout.h"

namespace {

using namespace VXM;

constexpr int kDeep = 10000;

VxControl* ReturnNamed(VxControl* control, void* name)
{
    return control->GetName() == static_cast<const wchar_t*>(name) ? control : nullptr;
}

// A chain of vertical layouts kDeep levels deep, each one inset by nothing, with a probe leaf.
struct Chain {
    explicit Chain(int* destroyed = nullptr)
    {
        levels.push_back(new VxVerticalLayout());
        for (int i = 1; i < kDeep; ++i) {
            auto* level = new VxVerticalLayout();
            levels.back()->Add(level);
            levels.push_back(level);
        }
        leaf = new ProbeControl(destroyed);
        leaf->SetName(L"leaf");
        leaf->SetNormalBkColor(0xFFFF0000);
        levels.back()->Add(leaf);
        levels[kMaxNestingDepth - 1]->SetName(L"deepest reached");
    }
    ~Chain() { delete levels.front(); }
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    VxVerticalLayout* Root() const { return levels.front(); }

    std::vector<VxVerticalLayout*> levels;  // the first owns the others
    ProbeControl* leaf = nullptr;
};

TEST(VxContainerDepth, ADeepTreeIsLaidOutPaintedAndSearchedDownToTheLimitOnly)
{
    Chain chain;
    chain.Root()->SetPos(RECT{0, 0, 100, 100});
    const RECT& reached = chain.levels[kMaxNestingDepth - 1]->GetPos();
    EXPECT_EQ(reached.right, 100) << "levels within the limit are laid out";
    EXPECT_EQ(reached.bottom, 100);
    const RECT& below = chain.levels[kMaxNestingDepth]->GetPos();
    EXPECT_EQ(below.right - below.left, 100) << "the last level reached is placed by its parent";
    EXPECT_EQ(chain.leaf->GetPos().right, 0) << "past the limit nothing is laid out";

    TestCanvas canvas(100, 100, 0xFFFFFFFF);
    chain.Root()->DoPaint(canvas.Dc(), canvas.Bounds());
    EXPECT_EQ(chain.leaf->paints, 0);

    wchar_t reachable[] = L"deepest reached";
    EXPECT_EQ(chain.Root()->FindControl(ReturnNamed, reachable, 0), chain.levels[kMaxNestingDepth - 1]);
    wchar_t leaf[] = L"leaf";
    EXPECT_EQ(chain.Root()->FindControl(ReturnNamed, leaf, 0), nullptr);
    POINT point = {50, 50};
    EXPECT_NE(chain.Root()->FindControl([](VxControl* c, void*) { return c; }, &point, kFindHitTest | kFindTopFirst),
              nullptr);
}

TEST(VxContainerDepth, ADeepTreeTakesAManagerAndVisibilityAndIsDestroyedWhole)
{
    int destroyed = 0;
    {
        VxPaintManager manager;
        Chain chain(&destroyed);
        chain.Root()->SetManager(&manager);
        chain.Root()->SetVisible(false);
        chain.Root()->SetVisible(true);
        chain.Root()->Init();
        EXPECT_EQ(chain.levels[kMaxNestingDepth - 1]->GetManager(), &manager);
        chain.Root()->Add(new ProbeControl(&destroyed));
    }
    EXPECT_EQ(destroyed, 2);
}

}  // namespace
