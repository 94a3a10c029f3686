#pragma once

#include <windows.h>

#include <string>

#include "VxControl.h"

namespace VXM {

class VxContainer;

// A skinnable scroll bar: background, two arrow buttons, a thumb and a rail grip. With an
// owner container it drives the owner's scrolling; without one it keeps its own position.
class VxScrollbar : public VxControl {
public:
    VxScrollbar();

    UINT GetClass() const override;
    VxControl* GetInterface(UINT classCode) override;
    void SetEnabled(bool enabled = true) override;
    void SetFocus() override;
    void SetPos(RECT rect) override;
    void OnLButtonDown(VxEventUI& event) override;
    void OnLButtonUp(VxEventUI& event) override;
    void OnMouseMove(VxEventUI& event) override;
    void OnTimer(VxEventUI& event) override;
    void OnMouseEnter(VxEventUI& event) override;
    void OnMouseLeave(VxEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoPaint(HDC dc, const RECT& paint) override;

    VxContainer* GetOwner() const { return owner_; }
    void SetOwner(VxContainer* owner) { owner_ = owner; }
    bool IsHorizontal() const { return horizontal_; }
    void SetHorizontal(bool horizontal = true);
    void SetInset(const RECT& inset);
    int GetScrollRange() const { return range_; }
    void SetScrollRange(int range);
    int GetScrollPos() const { return position_; }
    void SetScrollPos(int position);
    int GetLineSize() const { return lineSize_; }
    void SetLineSize(int size) { lineSize_ = size; }
    bool GetShowButton1() const { return showButton1_; }
    void SetShowButton1(bool show);
    bool GetShowButton2() const { return showButton2_; }
    void SetShowButton2(bool show);

    const RECT& GetButton1Rect() const { return button1_; }
    const RECT& GetButton2Rect() const { return button2_; }
    const RECT& GetThumbRect() const { return thumb_; }

    // The accessors of the twenty element images follow the pattern of these.
    const std::wstring& GetThumbNormalImage() const;
    void SetThumbNormalImage(std::wstring_view image);

    void PaintBk(HDC dc);
    void PaintButton1(HDC dc);
    void PaintButton2(HDC dc);
    void PaintThumb(HDC dc);
    void PaintRail(HDC dc);

private:
    enum ElementState { kNormal, kHot, kPushed, kDisabled, kElementStateCount };
    using ElementImages = std::wstring[kElementStateCount];

    bool horizontal_ = false;
    int range_ = 100;
    int position_ = 0;
    int lineSize_ = 8;
    VxContainer* owner_ = nullptr;  // not owned, outlives this
    POINT pressPoint_ = {};
    int pressPosition_ = 0;
    int dragOffset_ = 0;
    int repeatTicks_ = 0;
    ElementImages bkImages_;
    bool showButton1_ = true;
    UINT button1State_ = 0;
    ElementImages button1Images_;
    bool showButton2_ = true;
    UINT button2State_ = 0;
    ElementImages button2Images_;
    UINT thumbState_ = 0;
    ElementImages thumbImages_;
    ElementImages railImages_;
    RECT button1_ = {};
    RECT button2_ = {};
    RECT thumb_ = {};
    RECT inset_ = {};
};

}  // namespace VXM
