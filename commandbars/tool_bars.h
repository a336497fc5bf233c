// The program's classic bars: the tool bar, the main menu bar, the buttons of tool-bar button
// sets.
#pragma once

#include "platform/korvoui.h"

class CKVToolBar : public Korvo::UI::FixableToolBar {
    DECLARE_DYNCREATE(CKVToolBar)
public:
    CKVToolBar() = default;
    // The bar's controls are saved with the layout while its frame has not been shown yet; later
    // the toolkit decides.
    BOOL ShouldSerializeBar() override;
    // The gripper (when shown, or while the bar floats), then each control the bar shows in
    // `clip` on a transparent text ground, a separator before each that begins a group (not
    // before the first drawn), and the triangle of each that opens a popup.
    void DrawCommandBar(CDC* dc, const RECT& clip) override;
};

class CKVMenuBar : public Korvo::UI::GenericFixableToolBar<CXTPMenuBar> {
    DECLARE_DYNCREATE(CKVMenuBar)
public:
    CKVMenuBar() = default;
    // The update pass runs under the redraw lock and redraws once.
    void OnIdleUpdateCmdUI() override;

    // A message of the frame the bar hooks: size, position and MDI changes refresh the MDI
    // system buttons when the frame has an active child; other messages are the toolkit's.
    BOOL OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
};

// A button of a tool-bar button set: a snap toggles without becoming the set's face; 1202 turns
// the set into single buttons; any other command becomes the face of its split button.
class CKVControlButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CKVControlButton)
public:
    CKVControlButton() = default;
    void OnExecute() override;

    // The commands that expand a set and that take their snaps for the moment.
    static constexpr int kExpandSetCommand = 1202;
    static constexpr int kTemporarySnapsCommand = 1811;
    static bool IsSnapCommand(int id);
};
