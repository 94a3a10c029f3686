#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "VxControl.h"

namespace VXM {

class VxScrollbar;

// A control holding an ordered list of children, placed overlaid (layout type 0), side by
// side (1) or stacked (2), clipped to it when painted, and scrollable by optional bars.
class VxContainer : public VxControl {
public:
    enum LayoutType { kLayoutOverlaid = 0, kLayoutHorizontal = 1, kLayoutVertical = 2 };

    VxContainer();
    ~VxContainer() override;

    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    VxControl* FindControl(FindControlProc proc, void* data, UINT flags) override;
    void OnMouseWheel(VxEventUI& event) override;
    void OnKeyDown(VxEventUI& event) override;
    void DoPaint(HDC dc, const RECT& paint) override;
    void SetPos(RECT rect) override;
    void SetVisible(bool visible = true) override;
    void SetInsetVisible(bool visible = true) override;
    void SetParent(VxControl* parent) override;
    void SetManager(VxPaintManager* manager) override;
    void Init() override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

    virtual VxControl* GetItemAt(int index) const;
    virtual int GetItemIndex(VxControl* control) const;
    virtual bool SetItemIndex(VxControl* control, int index);
    virtual bool SetIndexItem(int index, VxControl* control);
    virtual int GetCount() const;
    // Takes ownership of `control` (destroyed with this container while auto-destroy is on).
    virtual bool Add(VxControl* control);
    virtual bool AddAt(VxControl* control, int index);
    virtual bool Remove(VxControl* control);
    virtual bool RemoveAt(int index);
    virtual void RemoveAll();
    virtual bool IsAutoDestroy() const;
    virtual void SetAutoDestroy(bool autoDestroy);
    virtual RECT GetInset() const;
    virtual void SetInset(const RECT& inset);
    virtual int GetChildPadding() const;
    virtual void EnableScrollBar(bool vertical = true, bool horizontal = false);
    virtual void SetChildPadding(int padding);
    virtual VxScrollbar* GetVerticalScrollbar() const;
    virtual VxScrollbar* GetHorizontalScrollbar() const;
    // cx: horizontal, cy: vertical; 0 for a hidden bar.
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE position);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    virtual void SetLayoutType(int type);
    virtual int GetLayoutType() const;
    virtual void SetFloatPos(VxControl* child, const RECT& rect);
    virtual void ProcessScrollbar(const RECT& inner, int neededWidth, int neededHeight);

    bool IsAlwaysShowVScrollbar() const { return alwaysShowVScroll_; }
    void SetAlwayShowVScrollbar(bool show) { alwaysShowVScroll_ = show; }

protected:
    // The item rectangle minus the inset and the visible bars.
    RECT InnerRect() const;
    // Registers the child with this container's parent, manager and name/id tables.
    void Adopt(VxControl* control);
    // Destroys the child and, without recursion, its owned subtree.
    void DestroyChild(VxControl* control);
    // The SetPos of every layout: stores the rectangle and places the children as layout type
    // `layoutType` does.
    void SetPosAs(RECT rect, int layoutType);
    // Moves the visible flowing children by (dx, dy) without laying this container out again.
    void MoveChildren(int dx, int dy);

    std::vector<VxControl*> items_;  // owned while autoDestroy_ is set
    bool autoDestroy_ = true;
    RECT inset_ = {};
    int layoutType_ = kLayoutOverlaid;
    int childPadding_ = 0;
    VxScrollbar* verticalScrollbar_ = nullptr;  // owned
    bool alwaysShowVScroll_ = false;
    VxScrollbar* horizontalScrollbar_ = nullptr;  // owned
    std::wstring verticalScrollbarStyle_;
    std::wstring horizontalScrollbarStyle_;

private:
    // Destroys the controls and every subtree they own, parents before their children.
    static void DestroyTree(std::vector<VxControl*> controls);
    // Lays the children out in the inner rectangle; returns the size the content needs.
    SIZE LayOutChildren(int layoutType, const RECT& inner, int level);
    // Moves a subtree whose layout is current along with this container's new rectangle.
    void MoveSubtree(int dx, int dy, int layoutType);
    void ScrollBy(int dx, int dy);
    // Page Up/Down and the like for a virtual key; false when no visible, enabled bar takes it.
    bool ScrollByKey(WORD key);
    VxScrollbar* MakeScrollbar(bool horizontal, const std::wstring& style);

    // Forgets the last layout: the children are to be laid out again before they are moved.
    void ForgetLayout();
    // Starts fetching the memory a layout (or only a move) will read of `child`.
    void Prefetch(const VxControl* child, bool forLayout) const;

    bool laidOut_ = false;  // the children stand where a layout of the current inputs puts them
    // The visible children of the last layout, in the flow and floating; valid while laidOut_.
    std::vector<VxControl*> flowChildren_;      // not owned
    std::vector<VxControl*> floatingChildren_;  // not owned
    int relayouts_ = 0;  // nested layouts started by a scroll bar that appeared or vanished
};

}  // namespace VXM
