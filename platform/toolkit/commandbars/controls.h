// The toolkit's controls and control collections. Controls are reference counted: a collection
// holds one reference on each of its controls, and a control removed from its collection lives on
// while anyone else (a registry of controls, a clone source) still holds one.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/messages.h"

class CXTPCommandBar;
class CXTPControls;
class CXTPControlEditCtrl;
class CXTPImageManagerIcon;

// The icon id that makes the toolkit ask the control itself for its image (GetImage).
inline constexpr int xtpIconIdOwnImage = 0x7FFFFFFF;

// Control flags.
inline constexpr DWORD xtpFlagHideWrap = 1;
inline constexpr DWORD xtpFlagSkipFocus = 2;
inline constexpr DWORD xtpFlagManualUpdate = 8;
// On an item of a popup bar: clicking it leaves the menu open (the command runs at once and the
// menu shows its new state).
inline constexpr DWORD xtpFlagNoMovable = 16;
inline constexpr DWORD xtpFlagControlStretched = 32;

// Why a control is hidden (any reason hides it).
inline constexpr DWORD xtpHideGeneric = 1;
inline constexpr DWORD xtpHideCustomize = 4;

// A command's state shared by every control bound to it: such a control defers its check mark
// to the action.
class CXTPControlAction : public CCmdTarget {
public:
    explicit CXTPControlAction(int id = 0) : id_(id) {}
    int GetID() const { return id_; }
    BOOL GetChecked() const { return checked_; }
    void SetChecked(BOOL checked) { checked_ = checked; }

private:
    int id_;
    BOOL checked_ = FALSE;
};

class CXTPControl : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPControl)
public:
    CXTPControl() = default;
    explicit CXTPControl(XTPControlType type) : type_(type) {}
    ~CXTPControl() override;

    XTPControlType GetType() const { return type_; }
    void SetType(XTPControlType type) { type_ = type; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }
    CString GetCaption() const { return caption_; }
    void SetCaption(LPCWSTR caption);
    CString GetDescription() const { return description_; }
    void SetDescription(LPCWSTR text) { description_ = text; }
    CString GetTooltip() const { return tooltip_; }
    void SetTooltip(LPCWSTR text) { tooltip_ = text; }
    CString GetParameter() const { return parameter_; }
    void SetParameter(LPCWSTR text) { parameter_ = text; }
    const CString& GetCategory() const { return category_; }
    void SetCategory(LPCWSTR text) { category_ = text; }
    // The shortcut shown beside the caption ("Ctrl+S") and the key tip shown while keyboard
    // tips are on.
    CString GetShortcutText() const { return shortcutText_; }
    void SetShortcutText(LPCWSTR text) { shortcutText_ = text; }
    CString GetKeyboardTip() const { return keyboardTip_; }
    void SetKeyboardTip(LPCWSTR text) { keyboardTip_ = text; }
    // The action the control is bound to, or null; the control holds one reference on it.
    CXTPControlAction* GetAction() const { return action_; }
    void SetAction(CXTPControlAction* action);
    XTPButtonStyle GetStyle() const { return style_; }
    void SetStyle(XTPButtonStyle style) { style_ = style; }
    DWORD GetFlags() const { return flags_; }
    void SetFlags(DWORD flags) { flags_ = flags; }
    // An item of a popup bar whose click leaves the menu open (xtpFlagNoMovable).
    bool KeepsPopupOpen() const;
    DWORD_PTR GetTag() const { return tag_; }
    void SetTag(DWORD_PTR tag) { tag_ = tag; }
    int GetIconId() const { return iconId_ ? iconId_ : id_; }
    void SetIconId(int id) { iconId_ = id; }
    // The control's own image at `width` pixels, asked for when its icon id is xtpIconIdOwnImage;
    // the control keeps it. None by default.
    virtual CXTPImageManagerIcon* GetImage(int width) {
        (void)width;
        return nullptr;
    }
    // The image the toolkit shows for the control at `width` pixels: its own for the icon id
    // xtpIconIdOwnImage, else its icon id's in the image manager of its bar's command bars.
    CXTPImageManagerIcon* GetShownImage(int width);
    BOOL GetBeginGroup() const { return beginGroup_; }
    void SetBeginGroup(BOOL begin) { beginGroup_ = begin; }
    // The control's own height and icon size in pixels; 0 (or an empty size): the bar's.
    int GetHeight() const { return height_; }
    void SetHeight(int height) { height_ = height; }
    SIZE GetIconSize() const { return iconSize_; }
    void SetIconSize(SIZE size) { iconSize_ = size; }

    BOOL IsVisible() const { return hideFlags_ == 0; }
    void SetVisible(BOOL visible) { SetHideFlag(xtpHideGeneric, !visible); }
    DWORD GetHideFlags() const { return hideFlags_; }
    void SetHideFlag(DWORD flag, BOOL hide) { hideFlags_ = hide ? (hideFlags_ | flag) : (hideFlags_ & ~flag); }
    BOOL GetEnabled() const { return enabled_; }
    virtual void SetEnabled(BOOL enabled) { enabled_ = enabled; }
    BOOL GetChecked() const { return checked_; }
    virtual void SetChecked(BOOL checked) { checked_ = checked; }

    // The collection that holds the control, or null; and that collection's bar.
    CXTPControls* GetControls() const { return parent_; }
    CXTPCommandBar* GetParent() const;
    // The bar the control opens (popups, split buttons, galleries), or null. The control holds
    // one reference on it.
    CXTPCommandBar* GetCommandBar() const { return commandBar_; }
    void SetCommandBar(CXTPCommandBar* bar);

    // The user (or the harness) executed the control: the site hears of it first
    // (XTPWM_CONTROLNOTIFY, CBN_XTP_EXECUTE); when it does not handle it, WM_COMMAND with the
    // control's id is posted to the site. Disabled or hidden controls do nothing.
    virtual void OnExecute();
    // Each update pass of a bar that shows the control, before its command state is asked.
    virtual void OnIdleUpdate() {}
    // The right mouse button went up over the control (its bar's screen point); the toolkit's
    // controls do nothing of their own.
    virtual void OnRButtonUp(POINT /*point*/) {}
    // A popup opens (TRUE) or closes.
    virtual void OnSetPopup(BOOL popup) { popup_ = popup; }
    BOOL GetPopuped() const { return popup_; }
    virtual void OnCaptionChanged() {}
    // The control's size on its bar in pixels (`dc` is a device context of the bar's window): a
    // button is the bar's button size, as high as its own height when it has one.
    virtual SIZE GetSize(CDC* dc);
    // Draws the control in `rect` of its bar's window when the bar paints. The stand-in keeps no
    // pixels of bars, so the toolkit's own drawing is nothing to see.
    virtual void Draw(CDC* dc, RECT rect) { (void)dc, (void)rect; }
    // Copies the other control's state (not its reference count or collection).
    virtual void Copy(CXTPControl* source, BOOL recursive = FALSE);
    // A new control of the same run-time class with this one's state; the caller holds its
    // reference.
    CXTPControl* Clone(BOOL recursive = FALSE);

private:
    friend class CXTPControls;
    XTPControlType type_ = xtpControlButton;
    int id_ = 0;
    CString caption_, description_, tooltip_, parameter_, category_, shortcutText_, keyboardTip_;
    CXTPControlAction* action_ = nullptr;
    XTPButtonStyle style_ = xtpButtonAutomatic;
    DWORD flags_ = 0;
    DWORD_PTR tag_ = 0;
    int iconId_ = 0;
    BOOL beginGroup_ = FALSE;
    DWORD hideFlags_ = 0;
    BOOL enabled_ = TRUE;
    BOOL checked_ = FALSE;
    BOOL popup_ = FALSE;
    int height_ = 0;
    SIZE iconSize_{};
    CXTPControls* parent_ = nullptr;
    CXTPCommandBar* commandBar_ = nullptr;
};

// The controls of the program's usual kinds; each differs only in its type.
#define KORVO_XTP_CONTROL_KIND(name, type)      \
    class name : public CXTPControl {             \
        DECLARE_DYNCREATE(name)                   \
    public:                                       \
        name() : CXTPControl(type) {}             \
    };
KORVO_XTP_CONTROL_KIND(CXTPControlButton, xtpControlButton)
KORVO_XTP_CONTROL_KIND(CXTPControlLabel, xtpControlLabel)
KORVO_XTP_CONTROL_KIND(CXTPControlCheckBox, xtpControlCheckBox)
#undef KORVO_XTP_CONTROL_KIND

// A popup: executing it opens its bar as a tracked menu (a split button runs its face command).
class CXTPControlPopup : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlPopup)
public:
    CXTPControlPopup() : CXTPControl(xtpControlPopup) {}
    void OnExecute() override;
    // The arrow of a split button (the whole of a plain popup): the bar opens as a tracked menu.
    void OpenPopup();
};

// An edit field. While a visible bar with a window shows the control it has an edit window (a
// CXTPControlEditCtrl, see edit_ctrl.h) that holds the text, the selection, the modification flag
// (EM_GETMODIFY, EM_SETMODIFY) and the undo step; hidden or removed, the window goes and the text
// stays with the control.
class CXTPControlEdit : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlEdit)
public:
    CXTPControlEdit();
    ~CXTPControlEdit() override;
    // The window's text while there is one, else the control's.
    CString GetEditText() const;
    // Sets the text as the program does (not a change by the user: the window's modification
    // flag is cleared, and OnEditChanged does not run).
    void SetEditText(LPCWSTR text);
    BOOL GetReadOnly() const { return readOnly_; }
    void SetReadOnly(BOOL readOnly);
    // The edit window's own style bits (ES_...), kept for the window the control makes.
    DWORD GetEditStyle() const { return editStyle_; }
    void SetEditStyle(DWORD style) { editStyle_ = style; }
    void SetEnabled(BOOL enabled) override;
    // As wide as its width (the toolkit's 100 pixels at 96 dpi when it has none) and as high as
    // a button of its bar.
    SIZE GetSize(CDC* dc) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

    BOOL IsFocused() const { return focused_; }
    // The edit window's modification flag; FALSE (and nothing to set) without a window.
    BOOL GetModify() const;
    void SetModify(BOOL modified);
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    BOOL IsSpinButtons() const { return spinButtons_; }
    void ShowSpinButtons(BOOL show) { spinButtons_ = show; }
    // Whether the control is the bar's selected (hot) control.
    BOOL GetSelected() const { return selected_; }

    // The edit window, or null while the control has none.
    CXTPControlEditCtrl* GetEditCtrl() const;
    // Creates the window (when the control's bar shows it and it has none) or destroys it; TRUE
    // when the window exists afterwards.
    BOOL ShowEditWindow(BOOL show);
    // Whether the control's bar shows it now (see CXTPCommandBar::IsControlShown).
    BOOL IsShown() const;
    // Makes the window follow whether the bar shows the control.
    void SyncEditWindow() { ShowEditWindow(IsShown()); }

    // What the user does, in the order a user does it: the control becomes selected, the edit
    // takes the focus, the text changes, keys are pressed, the spin buttons are clicked, the focus
    // leaves, the control is no longer selected.
    virtual void OnSetSelected(BOOL selected) { selected_ = selected; }
    virtual void OnSetFocus() { focused_ = TRUE; }
    virtual void OnKillFocus() { focused_ = FALSE; }
    // The user changed the text in the window (typing, pasting, undo, a replacement with undo).
    virtual void OnEditChanged() {}
    // A key in the edit window; true when the control took it. The toolkit's own: Enter and Esc
    // give the focus back to the bar's site.
    virtual BOOL OnEditKeyDown(UINT virtualKey, bool control);
    // The spin buttons: `delta` times `direction` is the signed count of steps.
    virtual void NotifySpinChanged(int delta, int direction) { (void)delta, (void)direction; }
    // A command reaching the edit window (WM_COMMAND: a choice of its context menu); TRUE when
    // the edit ran it. The toolkit's own edit runs none.
    virtual BOOL OnEditCommand(UINT id) { (void)id; return FALSE; }

    // The window's text changed by the user; the control keeps it and hears OnEditChanged.
    void OnEditWindowChanged(const CString& text);

protected:
    // The window object a new edit window is made of (the program's own class, say).
    virtual std::unique_ptr<CXTPControlEditCtrl> CreateEditControl();

private:
    void destroyEditWindow();
    // Where the edit window stands on `bar`: at the control's place in the bar's layout.
    RECT editWindowRect(const CXTPCommandBar& bar) const;

    CString text_;
    DWORD editStyle_ = 0;
    BOOL readOnly_ = FALSE;
    BOOL focused_ = FALSE;
    BOOL spinButtons_ = FALSE;
    BOOL selected_ = FALSE;
    int width_ = 0;
    std::unique_ptr<CXTPControlEditCtrl> edit_;
    // Where the window was last put in its bar: only the control moves it, and every idle pass
    // checks whether the bar's layout moved the control since.
    POINT placed_{};
};

// A combo box: a list of texts and the current selection (-1: none).
class CXTPControlComboBox : public CXTPControl {
    DECLARE_DYNCREATE(CXTPControlComboBox)
public:
    CXTPControlComboBox() : CXTPControl(xtpControlComboBox) {}
    int AddString(LPCWSTR text);
    // Inserts before `index` (past the end or -1: at the end); the index it got.
    int InsertString(int index, LPCWSTR text);
    int GetCount() const { return static_cast<int>(items_.size()); }
    void ResetContent();
    int GetCurSel() const { return selection_; }
    // -1 or an index of the list; anything else is refused (FALSE).
    BOOL SetCurSel(int index);
    // The text of the item at `index`; empty outside the list.
    CString GetLBText(int index) const;
    CString GetEditText() const { return text_; }
    void SetEditText(LPCWSTR text) { text_ = text; }
    // The user changed the edit text (CBN_EDITCHANGE); the control's owner reacts.
    virtual void OnEditChanged() {}
    // A drop-down combo has an edit field the user types into; a drop-down list has none.
    BOOL IsEditable() const { return editable_; }
    void SetEditable(BOOL editable) { editable_ = editable; }
    // The edit field took the focus, or lost it.
    virtual void OnSetFocus() { focused_ = TRUE; }
    virtual void OnKillFocus() { focused_ = FALSE; }
    BOOL IsFocused() const { return focused_; }
    // The user picked an entry of the list: it is the selection and the edit's text.
    virtual void OnSelChanged() {}
    // The user opens the list (the edit takes the focus first) and picks an entry or dismisses
    // it, answered as a menu whose items are the entries (ids 1, 2, ...).
    void DropDownList();
    // The user typed `text` over the edit's text and pressed Enter: the combo executes.
    void TypeAndEnter(const CString& text);
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    // As an edit: its width (or the toolkit's) by a button's height.
    SIZE GetSize(CDC* dc) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    int width_ = 0;
    std::vector<CString> items_;
    int selection_ = -1;
    CString text_;
    BOOL editable_ = FALSE;
    BOOL focused_ = FALSE;
};

// The controls of one command bar (or popup), in order. Subclasses (the system panel's) learn of
// each control added and removed.
class CXTPControls : public CCmdTarget {
    DECLARE_DYNCREATE(CXTPControls)
public:
    CXTPControls() = default;
    ~CXTPControls() override;

    // Adds a new control of `type` (of the usual run-time class for that type) with `id` before
    // the control at `before` (-1 or past the end: at the end).
    CXTPControl* Add(XTPControlType type, int id, LPCWSTR parameter = nullptr, int before = -1,
                     BOOL temporary = FALSE);
    // Adds `control`, taking over the reference the caller gives with it.
    CXTPControl* Add(CXTPControl* control, int id, LPCWSTR parameter = nullptr, int before = -1,
                     BOOL temporary = FALSE);
    // Adds a copy of `control` (the caller keeps its own reference).
    CXTPControl* AddClone(CXTPControl* control, int before = -1, BOOL recursive = FALSE);
    int GetCount() const { return static_cast<int>(controls_.size()); }
    // Null outside 0 .. GetCount() - 1.
    CXTPControl* GetAt(int index) const;
    int IndexOf(const CXTPControl* control) const;
    // The first control with the id (and the type unless it is xtpControlError), visible ones only
    // with `visible`; with `recursive`, also inside the controls' own bars.
    CXTPControl* FindControl(XTPControlType type, int id, BOOL visible, BOOL recursive) const;
    CXTPControl* FindControl(int id) const { return FindControl(xtpControlError, id, FALSE, FALSE); }
    // Removes the control, giving back the collection's reference.
    void Remove(CXTPControl* control);
    void Remove(int index) { Remove(GetAt(index)); }
    void RemoveAll();
    // Whether any control here has an edit window to keep in place: most lists have none.
    bool HasEdits() const { return edits_ > 0; }

    // The bar these controls belong to (null for a free collection).
    CXTPCommandBar* GetParent() const { return parent_; }
    void SetParent(CXTPCommandBar* bar) { parent_ = bar; }

    // Records the present controls as the set a reset of the bar returns to.
    void CreateOriginalControls();
    bool HasOriginalControls() const { return hasOriginal_; }
    // The ids of the recorded set, in order.
    const std::vector<int>& GetOriginalIds() const { return originalIds_; }

protected:
    virtual void OnControlAdded(CXTPControl*) {}
    virtual void OnControlRemoved(CXTPControl*) {}

private:
    CXTPControl* insert(CXTPControl* control, int id, LPCWSTR parameter, int before);

    std::vector<CXTPControl*> controls_;
    int edits_ = 0;
    CXTPCommandBar* parent_ = nullptr;
    bool hasOriginal_ = false;
    std::vector<int> originalIds_;
};
