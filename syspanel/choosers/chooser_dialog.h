// The window of a panel chooser: a modeless pop-up made from a dialog template each time its
// control is clicked, owned by the control's command bar and dropped at the control's left edge.
// It closes its chooser when another window becomes active, and on Esc.
#pragma once

#include <optional>

#include "platform/toolkit.h"
#include "syspanel/choosers/panel_chooser.h"

// The control's rectangle on the screen (empty where its bar shows it nowhere).
RECT ControlScreenRect(const CXTPControl* control);

class ChooserDialog : public CDialog, public PanelChooser {
public:
    explicit ChooserDialog(UINT templateId) : CDialog(templateId) {}

    // Makes the window anew (an existing one goes first) as a pop-up of the control's bar, at the
    // control's left edge `gap` pixels below it, `size` large (none: the template's), and shows
    // it. False, nothing shown, when it cannot be made.
    bool CreateBelow(const CXTPControl& control, int gap, std::optional<SIZE> size);
    // The window goes, if there is one.
    void DestroyChooserWindow();
    HWND GetChooserWindow() const override { return GetSafeHwnd(); }
    // The window's size (zero without one).
    SIZE GetWindowSize() const;
    bool IsOpen() const { return m_open; }
    HWND GetFrameWindow() const override { return m_frame; }

protected:
    // The opening for main frame `frame` begins: no close is under way.
    void BeginOpen(HWND frame) {
        m_frame = frame;
        m_closing = false;
    }
    // The window is made (CreateBelow) and shown as the open chooser; false when it cannot be.
    bool FinishOpenBelow(const CXTPControl& control, int gap, std::optional<SIZE> size);
    // It is the open chooser now, its window shown.
    void FinishOpen();
    // The close begins: false when it is not open (nothing to close); else it is no longer the
    // open chooser and its window's own deactivation cannot close it again.
    bool BeginClose();
    // The size the user left the window at, when it has one.
    std::optional<SIZE> GetShownSize() const;
    // The place of placeholder control `id` in the window's client area, `extraHeight` taller; the
    // placeholder goes (its list takes the place). Empty without a placeholder.
    RECT TakePlaceholder(int id, int extraHeight = 0);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Esc closes as clicking elsewhere does.
    void OnCancel() override { Deactivate(); }

    // Every chooser is open between its Open and its Close, for one main frame; closing guards
    // against the window's own deactivation re-entering the close.
    bool m_open = false;
    bool m_closing = false;
    HWND m_frame = nullptr;
};
