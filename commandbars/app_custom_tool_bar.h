// A tool bar that an add-on application makes for its commands. It is listed in the tool-bars
// menu (in a group after the program's own bars) only once its application has made it active.
#pragma once

#include "platform/korvoui.h"

class CKVAppCustomToolBar : public Korvo::UI::FixableToolBar {
    DECLARE_DYNCREATE(CKVAppCustomToolBar)
public:
    CKVAppCustomToolBar() { EnableCustomization(FALSE); }

    // Two texts of the owning application (what they hold is the application manager's).
    const CString& GetFirstText() const { return firstText_; }
    const CString& GetSecondText() const { return secondText_; }
    void SetTexts(const CString& first, const CString& second) {
        firstText_ = first;
        secondText_ = second;
    }
    // The visibility saved with the layout; -1 when none was saved.
    int GetSavedVisibility() const { return savedVisibility_; }
    void SetSavedVisibility(int visibility) { savedVisibility_ = visibility; }
    // Where the bar's own saved layout docked it (an XTPBarPosition); -1 when it gave no place.
    int GetSavedPosition() const { return savedPosition_; }
    void SetSavedPosition(int position) { savedPosition_ = position; }
    // Whether the owning application has made the bar active (enables its listing).
    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }

private:
    CString firstText_;
    CString secondText_;
    int savedVisibility_ = -1;
    int savedPosition_ = -1;
    bool active_ = false;
};
