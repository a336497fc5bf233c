// The frame tools engine: the part of every main frame that makes it the "MainFrame" item of the
// user's settings profiles and owns the frame's auxiliary bars (auto-menu command bars, status
// line, manipulator panels and the system-panel tool bar), with the frame-level tools built on
// them: command prompts, the pane of a pane command, the options and shortcuts the frameless tool
// bars share with the frame's command bars.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/kernel.h"
#include "platform/toolkit.h"

class CMainFrame;
class CSysPanelToolbar;
class CManipPanel;
class CStatusLine;
class CKVAutoMenuCommandBars;
class CKVTabToolBar;
class CEmbeddedHelpFrame;
class CXTPDockingPane;

class CFrameToolsEngine : public KorvoProfileItem {
public:
    CFrameToolsEngine();
    ~CFrameToolsEngine() override;

    int LoadState() override;
    int SaveState() override;
    void GetRegistryKeys(std::vector<CString>& keys) const override;
    // The status-line prompt for command `id`; false when the id is not one of the engine's (the
    // frame then shows the framework's prompt).
    virtual bool GetCommandPrompt(UINT id, CString& text) const;

    // The frame the tools work for (also the site of the auto-menu bars); until it is set every
    // tool does nothing.
    void SetOwningFrame(CMainFrame* frame);
    CMainFrame* GetOwningFrame() const { return m_frame; }

    // Copies the options of the frame's command bars to the auto-menu command bars and the
    // frameless tool bars; with `recalcLayout` the frame's layout follows.
    void ApplyCommandBarsOptions(bool recalcLayout);
    // The frameless tool bars take the keyboard shortcuts of the frame's command bars.
    void CopyShortcutsToFramelessToolBars();
    // The docking pane a pane command (782-826) shows, or null.
    CXTPDockingPane* FindPaneByCommand(UINT command) const;
    // The pane id of a pane command, or 0 when the command has no pane.
    static UINT PaneIdOfCommand(UINT command);

    // Builds the frame's auto-menu bar, its docking panes (only a few open in the first frame,
    // none in later ones), its default tool bars with the tabbed tool bar, and the system panel.
    // False when a pane or a bar cannot be made; what was made stays for the frame to free.
    bool InitDockingPanesAndToolBars();
    CXTPToolBar* GetAutoMenuToolBar() const { return m_autoMenuToolBar; }
    CKVTabToolBar* GetTabToolBar() const { return m_tabToolBar; }
    // Default tool bars the frame toggles later (1063, 1065, 1070, 1071); null when this
    // edition's table has no such bar.
    CXTPToolBar* GetKeptToolBar(UINT barId) const;
    static constexpr std::array<UINT, 4> kKeptToolBarIds{1063, 1065, 1070, 1071};

    // The system panel: a bar of the frame's command bars (bar id 1002, docked, not customisable,
    // its built-in controls registered), then the two manipulator panels that put a command's
    // controls on it (replacing earlier ones). False, with no panel, when the bar cannot be made.
    bool CreateSysPanelToolbar(CXTPCommandBars* commandBars);
    // The panel's answer to a create-control request of its own bar's button list; false for
    // requests of other bars.
    bool CreateSysPanelControl(XTP_COMMANDBARS_CREATECONTROL* request);
    void SetSysPanelToolbar(CSysPanelToolbar* bar) { m_sysPanel = bar; }
    CSysPanelToolbar* GetSysPanelToolbar() const { return m_sysPanel; }
    void CreateManipPanels();
    // Panel 1 or 2, or null.
    CManipPanel* GetManipPanel(int id) const;
    // Made with the engine; its window comes with the frame's.
    CStatusLine& GetStatusLine() const { return *m_statusLine; }
    CKVAutoMenuCommandBars* GetAutoMenuCommandBars() const { return m_autoMenuBars; }
    // The same as the toolkit's command bars (null while there are none).
    CXTPCommandBars* GetAutoMenuBars() const;
    // The PDM docking windows that should be open (bits of the frame's saved state).
    DWORD GetVarnelWindowBits() const { return m_varnelWindows; }
    void SetVarnelWindowBits(DWORD bits) { m_varnelWindows = bits; }

    // Tools that arrive with later work; until then they do nothing and report nothing done.
    // Typed keyboard commands: 1 when the key was consumed.
    int PreTranslateKeyMessage(UINT virtualKey);
    // The customise sheet (mode 1: profiles page first, 2: ribbon page first).
    void ShowCustomizeSheet(int mode, LPARAM ribbonValue);
    // Shows or hides the PDM docking windows.
    void ShowVarnelWindows(bool show);
    // The embedded help window: made on first use and navigated to `address` (true when it
    // navigated); without an address its window is destroyed (true).
    bool ShowEmbeddedHelp(LPCWSTR address, DWORD flags);
    // Closes the help window as its close button does (posted) and forgets it.
    void CloseEmbeddedHelp();
    // The main window moved or was resized: an attached help window follows.
    void UpdateEmbeddedHelp();
    // Called by a help window as it goes; only the one held is forgotten (a window closed earlier
    // may go after a new one was made).
    void OnEmbeddedHelpDestroyed(CEmbeddedHelpFrame* frame);
    CEmbeddedHelpFrame* GetEmbeddedHelp() const { return m_embeddedHelp; }
    // A tool bar of a library's fragments (every "*.grb" of its folder, each a user command made
    // when there is none yet); false when none was made.
    bool CreateLibraryFragmentToolBar(LPCWSTR libraryName, LPCWSTR libraryFolder);
    // The tool bar of those fragment references: titled with the library's name, under the first
    // free bar id from 59392 (a message box when the title is in use or no id is free).
    bool CreateFragmentToolBar(const CString& libraryName, const std::vector<CString>& references);
    // User commands (ids 37000 to 37999): enabled exactly while the application's collection holds
    // the id; executing runs it (nothing when there is none).
    void OnUpdateRegisteredCommand(CCmdUI* cmdUI) const;
    void ExecuteRegisteredCommand(UINT id);
    // The user tools page over the application's user commands, run modally under its help id.
    void ShowUserToolsPage();

    // The rulers (803) and page tabs (804) of the active document view: toggled, and updated
    // as the view's own update says (disabled without a view that has them). The view's split
    // tool bar follows the rulers.
    void OnShowRulers();
    void OnTabs();
    void OnUpdateShowRulers(CCmdUI* cmdUI) const;
    void OnUpdateTabs(CCmdUI* cmdUI) const;
    // A view command with its argument (message 1387): 1211, 1214 and 1216 go on to the active
    // view; 1212, 1609 and 1610 insert the argument's file (a CFragmentPath record) through the
    // annotation module. Always 0.
    LRESULT OnViewCommand(WPARAM command, LPARAM argument);
    // The active document window's view, and that view when it is a tab view (else null).
    CView* ActiveView() const;
    CKVTabView* ActiveTabView() const;

    // The edition of the product: 1, the viewer.
    static int GetProductEdition() { return 1; }

private:
    bool CreateTabToolBar(CXTPCommandBars* bars);
    // The help window goes with the engine, telling it nothing more.
    void ForgetEmbeddedHelp();

    CKVAutoMenuCommandBars* m_autoMenuBars = nullptr;  // one reference, released on destruction
    CXTPToolBar* m_autoMenuToolBar = nullptr;           // the auto-menu command bars own it
    CKVTabToolBar* m_tabToolBar = nullptr;              // the frame's command bars own these
    std::array<CXTPToolBar*, 4> m_keptToolBars{};
    CSysPanelToolbar* m_sysPanel = nullptr;           // the frame's command bars own it
    std::array<std::unique_ptr<CManipPanel>, 2> m_manipPanels;
    std::unique_ptr<CStatusLine> m_statusLine;
    DWORD m_varnelWindows = 3;
    RECT m_rect{};
    CEmbeddedHelpFrame* m_embeddedHelp = nullptr;  // destroys itself and tells the engine
    CMainFrame* m_frame = nullptr;
};
