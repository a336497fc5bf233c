// How the frame tools engine passes the options and shortcuts of a frame's command bars on to the
// auto-menu command bars and the frameless tool bars, and what it needs of its frame for that.
#pragma once

#include "platform/toolkit.h"

class CMainFrame;
class CXTPDockingPane;

namespace frame_tools {

// The auto-menu bars take the frame's options; their large icons are at least 24 by 24 and on
// when the application's tool-bar icons are at least that big.
void CopyAutoMenuOptions(const CXTPCommandBarsOptions& frame, CXTPCommandBarsOptions& autoMenu, SIZE toolBarIconSize);
// The frameless bars take the auto-menu options; large icons when the tool-bar icons are at least
// 32 by 32.
void CopyFramelessOptions(const CXTPCommandBarsOptions& autoMenu, CXTPCommandBarsOptions& frameless,
                          SIZE toolBarIconSize);
// The icon size of the frameless tool bars for the auto-menu options (scaled for the screen when
// the options scale).
SIZE FramelessIconSize(const CXTPCommandBarsOptions& autoMenu);
// `to` takes the shortcuts of `from`, passed through a transient property-exchange node.
void CopyShortcuts(CXTPShortcutManager& from, CXTPShortcutManager& to);

// What the engine reaches of its frame; each is null (or does nothing) while the frame lacks it.
CWnd* FrameWindow(CMainFrame* frame);
CXTPCommandBars* FrameCommandBars(CMainFrame* frame);
CXTPCommandBars* FramelessToolBars(CMainFrame* frame);
void SetFramelessIconSize(CMainFrame* frame, SIZE size);
void RecalcFrameLayout(CMainFrame* frame);
CXTPDockingPane* FindDockingPane(CMainFrame* frame, UINT paneId);
// Whether a kernel command runs on the frame's active document.
bool ActiveDocumentRunsCommand(CMainFrame* frame);
// The application's tool-bar icon size.
SIZE ToolBarIconSize();

}  // namespace frame_tools
