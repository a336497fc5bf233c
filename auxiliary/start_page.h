// The start page shown when the program starts.
#pragma once

#include <functional>

#include "platform/mfc.h"

// The product ini's "StartPage" setting: whether start-up may show the start page at all.
extern bool g_bShowStartPage;

// Shows the start-up page by the kernel's start-page mode. There are no start pages in this
// build yet, so nothing is shown.
void ShowStartPageOnStartup();

// A view that shows the start page.
class IStartPageView {
public:
    virtual ~IStartPageView() = default;
    virtual void SetTheme(int themeNumber) = 0;
    // The recent-file list changed at `index`, lost the entry at `index`, or the pinned state of
    // the entry at `index` changed.
    virtual void OnRecentListChanged(int /*index*/) {}
    virtual void OnRecentItemRemoved(int /*index*/) {}
    virtual void OnRecentPinStateChanged(int /*index*/) {}
    // The user's template folder (a full path) changed.
    virtual void SetPrototypeFolder(const CString& /*folder*/, bool /*refresh*/) {}
};

// Calls `function` for every start page view. The start-page document template is created when
// the first start page opens; until then there are no views and nothing is called.
void ForEachStartPageView(const std::function<void(IStartPageView*)>& function);
