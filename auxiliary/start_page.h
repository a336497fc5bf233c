// The start page and the PDM work-mix page: auxiliary documents that open as tabs of a main
// window beside the CAD documents, chosen at start-up by the kernel's start-page mode.
#pragma once

#include <functional>

#include "platform/mfc.h"

class MainFrameServices;

// The product ini's "StartPage" setting: whether start-up may show the start page at all.
extern bool g_bShowStartPage;

// Opens the pages the kernel's start-page mode asks for: 0 the start page; 1 the work-mix page
// when it is available, else the start page; other modes the start page, then the work-mix page
// when it is available.
void ShowStartPageOnStartup();

// Shows the start page (the work-mix page) in the active main frame: one already there is
// activated, else a new one is opened.
void OpenStartPage();
void OpenWorkmixPage();

// Whether a work-mix page can be shown: the kernel names its address and the connected work mix
// offers a page factory.
bool IsWorkmixPageAvailable();

// Re-attaches the PDM page of every open work-mix page (the connection came back).
void RefreshAllWorkmixPages();
// Detaches the PDM pages of the work-mix pages shown in `frame` (the connection went away).
void CloseWorkmixPagesOf(MainFrameServices* frame);

// What an open start page is told, so it stays in step with the recent-file list, the theme and
// the prototype folder.
class IStartPageView {
public:
    virtual ~IStartPageView() = default;
    // The list gained an entry at its top, moved there from `removedIndex` (negative: it was not
    // in the list).
    virtual void OnRecentDocumentAdded(int removedIndex) = 0;
    virtual void OnRecentDocumentRemoved(int index) = 0;
    virtual void OnRecentDocumentPinStateChanged(int index) = 0;
    virtual void SetTheme(int themeNumber) = 0;
    // The user's template folder (a full path) changed.
    virtual void SetPrototypeFolder(const CString& folder, bool refresh) = 0;
};

// Calls `function` for every open start page view; nothing before the first start page opened.
void ForEachStartPageView(const std::function<void(IStartPageView*)>& function);
