// The UI library's ribbon tabs and groups (GUIDs, tags, the user's switches), the auto-popup of
// split buttons, and the control helpers the program's ribbon and bars use.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

class RibbonTab : public CXTPRibbonTab {
    DECLARE_DYNCREATE(RibbonTab)
public:
    RibbonTab() = default;

    const GUID& GetGuid() const { return guid_; }
    void SetGuid(const GUID& guid) { guid_ = guid; }
    bool IsDisabledByUser() const { return disabledByUser_; }
    void SetDisabledByUser(bool disabled) { disabledByUser_ = disabled; }
    // Tags: a comma-separated list; a tab that carries tags is shown by document keywords.
    void SetTags(const CString& tags);
    CString GetTagString() const { return tagString_; }
    bool CarriesTags() const { return !tags_.empty(); }
    bool HasTag(const CString& tag) const;
    // Set once the tab has been shown (laid out) the first time.
    bool WasShown() const { return shown_; }
    void SetShown() { shown_ = true; }
    // Whether the tab was defined by the default layout (it can be reset).
    bool HasDefaultDefinition() const { return defaultDefinition_; }
    void SetDefaultDefinition(bool has) { defaultDefinition_ = has; }

private:
    GUID guid_{};
    bool disabledByUser_ = false;
    CString tagString_;
    std::vector<CString> tags_;
    bool shown_ = false;
    bool defaultDefinition_ = false;
};

class RibbonGroup : public CXTPRibbonGroup {
    DECLARE_DYNCREATE(RibbonGroup)
public:
    RibbonGroup() = default;

    const GUID& GetGuid() const { return guid_; }
    void SetGuid(const GUID& guid) { guid_ = guid; }
    bool IsDisabledByUser() const { return disabledByUser_; }
    // A group the user switches off is hidden.
    void SetDisabledByUser(bool disabled);
    // Whether the user may switch the group off (groups with a GUID).
    bool CanBeSwitchedOff() const { return guid_ != GUID{}; }
    bool HasDefaultDefinition() const { return defaultDefinition_; }
    void SetDefaultDefinition(bool has) { defaultDefinition_ = has; }
    // Shows the option button when the group has an option command.
    void UpdateOptionButton();
    int GetOptionButtonUpdates() const { return optionUpdates_; }
    int GetOptionCommand() const { return optionCommand_; }
    void SetOptionCommand(int id) { optionCommand_ = id; }
    // The view-type bits the group needs to show (0: the group does not follow the view).
    DWORD GetViewTypes() const { return viewTypes_; }
    void SetViewTypes(DWORD bits) { viewTypes_ = bits; }
    // Adds the group's own entries to a context menu (none by default).
    virtual void GetContextMenu(CXTPPopupBar* popup) { (void)popup; }

private:
    GUID guid_{};
    bool disabledByUser_ = false;
    bool defaultDefinition_ = false;
    int optionCommand_ = 0;
    int optionUpdates_ = 0;
    DWORD viewTypes_ = 0;
};

// A split-button popup that can take over the face of the command last run from it.
class AutoPopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(AutoPopup)
public:
    AutoPopup() { SetType(xtpControlSplitButtonPopup); }
    bool GetFollowFlag() const { return follow_; }
    void SetFollowFlag(bool follow) { follow_ = follow; }
    bool GetTakeCaptionFlag() const { return takeCaption_; }
    void SetTakeCaptionFlag(bool take) { takeCaption_ = take; }
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    bool follow_ = true;
    bool takeCaption_ = false;
};

// Lowers the bar's redraw lock (raised by the caller) and redraws once it is free.
void UnlockRedraw(CXTPCommandBar* bar);

// Optional controls: a control the user may hide from the ribbon.
bool CanBeOptional(const CXTPControl* control);
bool IsOptionalControl(const CXTPControl* control);
void MakeControlOptional(CXTPControl* control, bool optional, bool relayout);

// Takes the control out of the collection that holds it and hands it back with a reference the
// caller now holds (null for a control of no collection).
CXTPControl* RemoveControl(CXTPControl* control);
// Puts a control of `type` in the control's place (a pop-up type gets an empty bar of its own,
// a plain button none), with the control's id, caption, icon, style and marks; the new control
// (its collection holds it), or null for a control of no collection.
CXTPControl* ChangeControlType(CXTPControl* control, XTPControlType type);

// Whether a control stands free in the ribbon (beside the tabs, outside every group): flag 1.
inline bool IsRibbonFreeControl(const CXTPControl* control) { return control && (control->GetFlags() & 1) != 0; }

// Keeps a window on its monitor's work area, moving it when needed.
void EnsureIsVisible(CWnd* window);

}  // namespace Korvo::UI
