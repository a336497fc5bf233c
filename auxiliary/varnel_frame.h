// The host window of a PDM explorer pane: it makes the PDM client's explorer of its kind when it
// is first shown while connected, places the explorer's window inside itself and gives the pane
// its caption and icon.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class CXTPDockingPane;

class CVarnelFrame : public CWnd {
public:
    // The kinds, in the numbering the panes and menus use.
    enum Kind { kDesktop = 0, kFavorites = 1, kArchives = 2, kSearch = 3, kMail = 4, kConfigurationSettings = 5,
                kLibraryElements = 6 };

    explicit CVarnelFrame(int kind);
    ~CVarnelFrame() override;

    // The caption of a kind: the kernel's string, the PDM object's name (or a string when it has
    // none) or a UI text; empty for the search pane and for a number that names no kind. With
    // `accelerator` a caption that is not empty gets "&" before it.
    static CString BuildPaneTitle(int kind, bool accelerator);
    // The docking pane and pane command of a kind (0 for a number that names no kind).
    static UINT PaneIdOf(int kind);
    static UINT CommandIdOf(int kind);

    CString GetPaneTitle(bool accelerator) const { return BuildPaneTitle(m_kind, accelerator); }
    // Whether the pane can show an explorer: it has one, or the work mix is connected.
    bool IsAvailable() const;
    int GetKind() const { return m_kind; }
    HWND GetExplorerWindow() const { return m_explorerWindow; }

    // Makes the explorer when none is shown, this window has a handle, the work mix is connected,
    // a main frame is active and no other creation runs; then its icon, window and caption.
    void CreateExplorer();
    // Closes the explorer (the connection went away, or the window goes).
    void DestroyExplorer();
    // Shown: the explorer is made; hidden: the pane's caption is brought up to date.
    void OnActivatePane();
    void RefreshExplorer();
    // The pane takes the kind's caption as title and tab caption, unless the caption is empty.
    void UpdatePaneCaption(CXTPDockingPane* pane) const;

    BOOL PreTranslateMessage(MSG* message) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Button face outside the client area, the window colour inside it framed by a sunken edge.
    BOOL OnEraseBkgnd(HDC dc);

private:
    void PlaceExplorer();
    void ShowIcons();

    HWND m_explorerWindow = nullptr;
    KVPDMExplorer* m_explorer = nullptr;
    int m_kind;
};

// What the archives explorer runs for the item the user selects: the working copy's file opens
// with the shell.
class KVPDMExplorerSelectCommand : public KVPDMExplorerCommand {
public:
    bool Execute(KVPDMHandle* item) override;
};
