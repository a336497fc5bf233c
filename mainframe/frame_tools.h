// What a main frame asks of its frame tools engine and its system panel, which are built in their
// own files. A frame gets its engine from the maker the engine registers; until one is
// registered, a frame has none: the system-panel forwarders then do nothing (or answer false or
// -1), prompts come from the framework, and the pane commands find no pane.
#pragma once

#include <memory>

#include "platform/korvoui.h"

class CMainFrame;
class IDataExchange;

// The system panel's operations that the frame forwards.
class SysPanelAccess {
public:
    virtual ~SysPanelAccess() = default;

    virtual void BeginSelectionFilterConfiguration() = 0;
    virtual void SetSelectionFilterSet(int set) = 0;
    virtual void ShowSelectionFilterButton(int id, bool show) = 0;
    virtual void HideAllSelectionFilterButtons() = 0;
    virtual void SetSelectionFilterButtonIconAndToolTip(int id, int icon, LPCWSTR tooltip) = 0;
    virtual void SetSelectionFilterButtonIconAndToolTip(int id, LPCWSTR iconPath, LPCWSTR tooltip) = 0;
    virtual void SetSelectionFilterButtonState(int id, int state) = 0;
    virtual void SetSelectionFilterButtonState(LPCWSTR name, int state) = 0;
    virtual void SetSelectionFilterButtonProperties(int id, DWORD properties) = 0;
    virtual void SetSelectionFilterButtonProperties(LPCWSTR name, DWORD properties) = 0;
    virtual void EndSelectionFilterConfiguration() = 0;

    virtual bool GetSyspanelControlState(int id, bool& checked, bool& disabled) = 0;
    virtual bool GetSyspanelControlIntValue(int id, int& value) = 0;
    virtual bool UnpackSyspanelDoubleVar(int id, double& value) = 0;
    virtual bool UnpackSyspanelIntVar(int id, int& value) = 0;
    virtual int GetSyspanelCurrentId() = 0;
    virtual IDataExchange* GetSyspanelControlData(int id) = 0;
    virtual void DisableSyspanelControls() = 0;
    virtual void EnableSyspanelControl(int id, bool enable) = 0;
    // The panel's control of the id (its bar's or a registered one), or null.
    virtual CXTPControl* FindControl(int id) = 0;
    // The control for a create-control request of the panel's bar (null: a plain button).
    virtual CXTPControl* CreateControlForId(UINT id) = 0;
    // The panel's bar in the frame's command bars.
    virtual CXTPToolBar* GetBar() = 0;
};

// The frame tools engine as the frame uses it.
class FrameTools {
public:
    virtual ~FrameTools() = default;

    // The frame the engine works for (OnCreate step 2).
    virtual void SetOwningFrame(CMainFrame* frame) = 0;
    // Applies the command bars' options to the frame's bars (and recalculates the layout).
    virtual void ApplyCommandBarsOptions(bool recalcLayout) = 0;
    virtual void CopyShortcutsToFramelessToolBars() = 0;
    // The status-line prompt of a command; false when the engine does not handle the id.
    virtual bool GetCommandPrompt(UINT id, CString& prompt) = 0;
    // The docking pane that a pane command shows; 0 for none.
    virtual UINT FindPaneByCommand(UINT command) = 0;
    // The auto-menu command bars (null while there are none).
    virtual CXTPCommandBars* GetAutoMenuCommandBars() = 0;
    // The system panel, once its bar exists; null before.
    virtual SysPanelAccess* GetSysPanel() = 0;
    // Builds the system panel and the manipulator panels in the frame's command bars (false
    // when the panel's bar cannot be made).
    virtual bool CreateSystemPanel() = 0;
};

using FrameToolsMaker = std::unique_ptr<FrameTools> (*)(CMainFrame& frame);
// Registers the engine's maker (once, before the first frame).
void SetFrameToolsMaker(FrameToolsMaker maker);
// A new engine for `frame`, or null while no maker is registered.
std::unique_ptr<FrameTools> MakeFrameTools(CMainFrame& frame);
