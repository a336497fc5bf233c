// Tutorial pages: MDI documents whose one view is a browser view, opened as tabs of the active
// main window.
#pragma once

#include "platform/mfc.h"

class TutorialDocument : public CDocument {
    DECLARE_DYNCREATE(TutorialDocument)
public:
    // Titled with the translation of "tutorial"; its frames take the tutorial icon. The
    // framework's new-document steps are not run: there is nothing to reset.
    BOOL OnNewDocument() override;
};

// The one tutorial template, or null before the first tutorial page.
CMultiDocTemplate* FindTutorialTemplate();
// Shows `url` in the active main window's tutorial document (the first one that has a view
// there), else in a new one. Nothing for an empty address.
void ShowTutorial(LPCWSTR url);
// The same without the empty-address check (the "contents:" link's page).
void ShowTutorialPage(const CString& url);
// Redraws each tutorial view that finished a navigation since it was last redrawn (idle time).
void RedrawPendingHelpViews();
