#pragma once

#include "FindingSinks.h"
#include "QuietLabel.h"
#include "VxButton.h"

namespace app {

// One entry of the scan page's category panel: highlight bar, icon, title and count badge.
class LeftOption : public VXM::VxButton, public scan::ICategoryEntry {
public:
    LeftOption();

    UINT GetClass() const override;
    VXM::VxControl* GetInterface(UINT classCode) override;
    void OnLButtonDblClk(VXM::VxEventUI& event) override;
    bool Activate(VXM::VxEventUI& event) override;
    void Init() override;
    void DoPaint(HDC dc, const RECT& paint) override;

    // The badge shows the count; the entry is laid out again so the badge fits it.
    void SetCount(int count) override;
    // The highlight bar's colour shows the selection.
    void SetSelected(bool selected);
    void SetIconImage(std::wstring_view image);
    void SetTitle(std::wstring_view title);

    // Children, owned by this container; null before Init.
    VXM::VxControl* HighlightBar() const { return highlight_; }
    VXM::VxControl* Icon() const { return icon_; }
    VXM::VxControl* Title() const { return title_; }
    VXM::VxControl* CountBadge() const { return badge_; }

private:
    void MakeChildren();

    VXM::VxControl* highlight_ = nullptr;
    VXM::VxControl* icon_ = nullptr;
    VXM::VxControl* title_ = nullptr;
    QuietLabel* badge_ = nullptr;
    // The count changes with every finding: one repaint request until the entry is painted.
    bool repaintRequested_ = false;
};

}  // namespace app
