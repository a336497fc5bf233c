// The window of the diagnostics pane (1005): it hosts the UI library's diagnostics dialog of the
// active document, carries out the dialog's commands, keeps the pane's icon in step with the
// messages and brings the pane forward by itself, once per dialog, when new errors arrive.
#pragma once

#include <string>

#include "platform/korvoui.h"

class ErrorWindow : public Korvo::UI::ErrorWindowBase, public Korvo::UI::DockingPaneChild {
public:
    static constexpr UINT kPaneId = 1005;
    // Posted to itself: the pane comes forward after the caller's update has finished.
    static constexpr UINT kShowPaneMessage = WM_USER + 369;

    ErrorWindow() = default;

    // The pane layout keeps the automatic showing ("ErrorWnd_AutoShow").
    BOOL DoPropExchange(CXTPPropExchange* px) override;
    void SetActiveWnd(kvpf::CKVDiagnosticsDialog* dialog) override;
    void OnErrorsChanged(int newErrors, bool mayShow) override;

    bool IsAutoShow() const { return m_autoShow; }
    void SetAutoShow(bool on) { m_autoShow = on; }
    // The icon state last applied: 0 none, 1 no errors, 2 errors while shown, 3 new errors.
    UINT GetIconState() const { return m_iconState; }
    // The pane's icon for a state, from what the messages and the hidden list are now.
    UINT ChooseIcon(UINT state) const;
    // What the console's dump of the pane shows of this window.
    std::wstring Outline() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The pane's commands, from its tool bar or sent to the window.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

private:
    void UpdatePaneIcon(UINT state);
    void FitDialog(bool show);
    void OnShowWindow();
    void OnHideMessages();
    void OnHiddenMessages();
    void RunCommand(UINT id);

    UINT m_iconState = 0;
    bool m_autoShow = true;
};

// Pane icons of the kernel's icons library.
inline constexpr UINT kErrorIconAttention = 4152;
inline constexpr UINT kErrorIconShown = 784;
inline constexpr UINT kErrorIconNone = 4153;

// The icon rule as a table: `state` (1 to 3), whether messages are hidden for good, and whether
// the attached dialog's messages are all blocked or its drawing marks them.
UINT ChooseErrorPaneIcon(UINT state, bool hiddenMessages, bool blockedOrMarked);
