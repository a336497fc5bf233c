#include "mainframe/status_line.h"

IMPLEMENT_DYNCREATE(CStatusLine, CXTPStatusBar)

BOOL CStatusLine::CreatePanes() {
    // The message pane shows prompts and the idle text; the status line's own panes (coordinates,
    // modes) join it with the status line's work.
    static const UINT indicators[] = {0};
    if (!SetIndicators(indicators, 1)) return FALSE;
    SetPaneStyle(0, SBPS_STRETCH | SBPS_NOBORDERS);
    return TRUE;
}
