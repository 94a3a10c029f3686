#pragma once

#include "FindingSinks.h"
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
    // Its text changes with every finding: the entry asks once for a repaint (RequestRepaint).
    VXM::VxControl* badge_ = nullptr;
};

}  // namespace app
