#include <vector>

#include "LayoutGeometry.h"
#include "NestingDepth.h"
#include "VxContainer.h"
#include "VxRenderClip.h"
#include "VxScrollbar.h"

namespace VXM {
namespace {

bool IsFloating(const VxControl& control)
{
    return control.IsFloat() || control.IsRelFloat() || control.IsAbsFloat();
}

RECT Intersection(const RECT& a, const RECT& b)
{
    RECT result = {};
    IntersectRect(&result, &a, &b);
    return result;
}

// Paints the children of a container that meet the paint rectangle, topmost ones last. The DC
// is clipped to the child area; floating children paint under the container's own clip, as
// they may overlap the inset.
class ChildPainter {
public:
    ChildPainter(HDC dc, const RECT& paint, const RECT& item, const RECT& childArea, const VxRenderClip& areaClip)
        : dc_(dc), paint_(paint), item_(item), childArea_(childArea), areaClip_(areaClip)
    {
    }

    void PaintAll(const std::vector<VxControl*>& children)
    {
        std::vector<VxControl*> topmost;  // rare, so made only when needed
        for (VxControl* child : children) {
            if (!child->IsVisible() || !layout::Meets(child->GetPos(), paint_))
                continue;
            if (child->GetFormat() & kFormatTopmost)
                topmost.push_back(child);
            else
                Paint(*child);
        }
        for (VxControl* child : topmost)
            Paint(*child);
    }

private:
    void Paint(VxControl& child)
    {
        if (!IsFloating(child)) {
            if (layout::Meets(child.GetPos(), childArea_))
                child.DoPaint(dc_, Intersection(paint_, childArea_));
            return;
        }
        if (!layout::Meets(child.GetPos(), item_))
            return;
        VxRenderClip::UseOldClipBegin(dc_, areaClip_);
        child.DoPaint(dc_, Intersection(paint_, item_));
        VxRenderClip::UseOldClipEnd(dc_, areaClip_);
    }

    HDC dc_ = nullptr;
    RECT paint_ = {};
    RECT item_ = {};
    RECT childArea_ = {};
    const VxRenderClip& areaClip_;
};

// Outside the child area only floating children can show, in the container's clip.
void PaintFloating(HDC dc, const RECT& paint, const RECT& item, const std::vector<VxControl*>& children)
{
    const RECT area = Intersection(paint, item);
    std::vector<VxControl*> topmost;
    for (VxControl* child : children) {
        if (!child->IsVisible() || !IsFloating(*child) || !layout::Meets(child->GetPos(), area))
            continue;
        if (child->GetFormat() & kFormatTopmost)
            topmost.push_back(child);
        else
            child->DoPaint(dc, area);
    }
    for (VxControl* child : topmost)
        child->DoPaint(dc, area);
}

}  // namespace

void VxContainer::DoPaint(HDC dc, const RECT& paint)
{
    repaintRequested_ = false;
    if (!IsVisible() || !layout::Meets(paint, itemRect_))
        return;
    const RECT own = Intersection(paint, itemRect_);
    VxRenderClip clip;
    VxRenderClip::GenerateClip(dc, own, clip);
    VxControl::DoPaint(dc, paint);

    NestingScope nesting;
    if (!items_.empty() && nesting.Allowed()) {
        const RECT childArea = InnerRect();
        if (layout::Meets(paint, childArea)) {
            VxRenderClip areaClip;
            VxRenderClip::GenerateClip(dc, Intersection(paint, childArea), areaClip);
            ChildPainter(dc, paint, itemRect_, childArea, areaClip).PaintAll(items_);
        } else {
            PaintFloating(dc, paint, itemRect_, items_);
        }
    }
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (bar && bar->IsVisible() && layout::Meets(bar->GetPos(), paint))
            bar->DoPaint(dc, paint);
    }
}

VxControl* VxContainer::FindControl(FindControlProc proc, void* data, UINT flags)
{
    if ((flags & kFindVisible) && !IsVisible())
        return nullptr;
    if ((flags & kFindEnabled) && !IsEnabled())
        return nullptr;
    const bool hitTest = (flags & kFindHitTest) != 0;
    const POINT point = hitTest ? *static_cast<const POINT*>(data) : POINT{};
    if (hitTest && !layout::Contains(itemRect_, point))
        return nullptr;
    for (VxScrollbar* bar : {verticalScrollbar_, horizontalScrollbar_}) {
        if (!bar)
            continue;
        if (VxControl* found = bar->FindControl(proc, data, flags))
            return found;
    }
    if (flags & kFindMeFirst) {
        if (VxControl* found = proc(this, data))
            return found;
    }
    NestingScope nesting;
    if (nesting.Allowed() && (!hitTest || layout::Contains(layout::Shrunk(itemRect_, inset_), point))) {
        if (flags & kFindTopFirst) {
            for (auto child = items_.rbegin(); child != items_.rend(); ++child) {
                if (VxControl* found = (*child)->FindControl(proc, data, flags))
                    return found;
            }
        } else {
            for (VxControl* child : items_) {
                if (VxControl* found = child->FindControl(proc, data, flags))
                    return found;
            }
        }
    }
    return VxControl::FindControl(proc, data, flags);
}

}  // namespace VXM
