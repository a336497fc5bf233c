// The main frame in print preview.
#include <boost/scope_exit.hpp>

#include "mainframe/main_frame.h"

void CMainFrame::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
    // The bars are hidden and shown back as they were: the visibility notifications would apply
    // the frame's settings to them half-way.
    const bool wasSuppressed = m_barNotificationsSuppressed;
    m_barNotificationsSuppressed = true;
    BOOST_SCOPE_EXIT_ALL(this, wasSuppressed) { m_barNotificationsSuppressed = wasSuppressed; };
    if (CXTPCommandBars* autoMenu = GetAutoMenuBars()) autoMenu->OnSetPreviewMode(bPreview);
    if (m_framelessBars) m_framelessBars->OnSetPreviewMode(bPreview);
    Korvo::UI::MdiMainFrame::OnSetPreviewMode(bPreview, pState);
}
