#pragma once

#include <windows.h>

#include <string>
#include <string_view>

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
    void OnLButtonDblClk(VxEventUI& event) override;
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
    // State words (VxState bits) of the elements.
    UINT GetButton1State() const { return button1State_; }
    UINT GetButton2State() const { return button2State_; }
    UINT GetThumbState() const { return thumbState_; }

    // Image strings of the five elements in their four states; a change repaints.
    const std::wstring& GetButton1NormalImage() const { return button1Images_[kNormal]; }
    void SetButton1NormalImage(std::wstring_view image) { SetImage(button1Images_[kNormal], image); }
    const std::wstring& GetButton1HotImage() const { return button1Images_[kHot]; }
    void SetButton1HotImage(std::wstring_view image) { SetImage(button1Images_[kHot], image); }
    const std::wstring& GetButton1PushedImage() const { return button1Images_[kPushed]; }
    void SetButton1PushedImage(std::wstring_view image) { SetImage(button1Images_[kPushed], image); }
    const std::wstring& GetButton1DisabledImage() const { return button1Images_[kDisabled]; }
    void SetButton1DisabledImage(std::wstring_view image) { SetImage(button1Images_[kDisabled], image); }
    const std::wstring& GetButton2NormalImage() const { return button2Images_[kNormal]; }
    void SetButton2NormalImage(std::wstring_view image) { SetImage(button2Images_[kNormal], image); }
    const std::wstring& GetButton2HotImage() const { return button2Images_[kHot]; }
    void SetButton2HotImage(std::wstring_view image) { SetImage(button2Images_[kHot], image); }
    const std::wstring& GetButton2PushedImage() const { return button2Images_[kPushed]; }
    void SetButton2PushedImage(std::wstring_view image) { SetImage(button2Images_[kPushed], image); }
    const std::wstring& GetButton2DisabledImage() const { return button2Images_[kDisabled]; }
    void SetButton2DisabledImage(std::wstring_view image) { SetImage(button2Images_[kDisabled], image); }
    const std::wstring& GetThumbNormalImage() const { return thumbImages_[kNormal]; }
    void SetThumbNormalImage(std::wstring_view image) { SetImage(thumbImages_[kNormal], image); }
    const std::wstring& GetThumbHotImage() const { return thumbImages_[kHot]; }
    void SetThumbHotImage(std::wstring_view image) { SetImage(thumbImages_[kHot], image); }
    const std::wstring& GetThumbPushedImage() const { return thumbImages_[kPushed]; }
    void SetThumbPushedImage(std::wstring_view image) { SetImage(thumbImages_[kPushed], image); }
    const std::wstring& GetThumbDisabledImage() const { return thumbImages_[kDisabled]; }
    void SetThumbDisabledImage(std::wstring_view image) { SetImage(thumbImages_[kDisabled], image); }
    const std::wstring& GetRailNormalImage() const { return railImages_[kNormal]; }
    void SetRailNormalImage(std::wstring_view image) { SetImage(railImages_[kNormal], image); }
    const std::wstring& GetRailHotImage() const { return railImages_[kHot]; }
    void SetRailHotImage(std::wstring_view image) { SetImage(railImages_[kHot], image); }
    const std::wstring& GetRailPushedImage() const { return railImages_[kPushed]; }
    void SetRailPushedImage(std::wstring_view image) { SetImage(railImages_[kPushed], image); }
    const std::wstring& GetRailDisabledImage() const { return railImages_[kDisabled]; }
    void SetRailDisabledImage(std::wstring_view image) { SetImage(railImages_[kDisabled], image); }
    const std::wstring& GetBkNormalImage() const { return bkImages_[kNormal]; }
    void SetBkNormalImage(std::wstring_view image) { SetImage(bkImages_[kNormal], image); }
    const std::wstring& GetBkHotImage() const { return bkImages_[kHot]; }
    void SetBkHotImage(std::wstring_view image) { SetImage(bkImages_[kHot], image); }
    const std::wstring& GetBkPushedImage() const { return bkImages_[kPushed]; }
    void SetBkPushedImage(std::wstring_view image) { SetImage(bkImages_[kPushed], image); }
    const std::wstring& GetBkDisabledImage() const { return bkImages_[kDisabled]; }
    void SetBkDisabledImage(std::wstring_view image) { SetImage(bkImages_[kDisabled], image); }

    void PaintBk(HDC dc);
    void PaintButton1(HDC dc);
    void PaintButton2(HDC dc);
    void PaintThumb(HDC dc);
    void PaintRail(HDC dc);

private:
    enum ElementState { kNormal, kHot, kPushed, kDisabled, kElementStateCount };
    using ElementImages = std::wstring[kElementStateCount];
    struct AttributeRow;

    static const AttributeRow* FindAttribute(std::wstring_view name);
    void SetImage(std::wstring& slot, std::wstring_view image);
    // Lays the parts out again in the current rectangle.
    void Relayout();
    // Asks whoever places this bar (owner, parent or manager) for a new layout.
    void NeedOwnerLayout();
    // One line or page towards the start (-1) or the end (+1), through the owner when there is one.
    void LineStep(int direction);
    void PageStep(int direction);
    // The press on a button, the thumb or the track; starts the repeat timer.
    void PressAt(POINT point);
    void SetScrollPosFromDrag();
    // Continues a track press while the cursor is still beyond the thumb in the pressed direction.
    void RepeatPage();
    void StopRepeat();
    LONG Along(POINT point) const { return horizontal_ ? point.x : point.y; }
    // -1 before the thumb, +1 after it, 0 level with it.
    int SideOfThumb(POINT point) const;
    // The image of the element's state, else its normal image; false when none draws. Images that
    // fail are cleared for good.
    bool DrawElement(HDC dc, UINT state, ElementImages& images, std::wstring_view modifier);
    bool DrawOrDrop(HDC dc, std::wstring& image, std::wstring_view modifier);
    void UpdateDisabledBit(UINT& state) const;

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
    int trackDirection_ = 0;  // the direction of the page step that a track press started
};

}  // namespace VXM
