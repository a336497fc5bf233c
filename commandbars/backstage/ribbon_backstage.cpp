// The ribbon's side of the backstage: its pages, and finding, opening, theming and refreshing them.
#include <algorithm>
#include <iterator>

#include "commandbars/backstage/backstage_pages.h"
#include "commandbars/backstage/ribbon_backstage_view.h"
#include "commandbars/kv_ribbon_bar.h"

namespace {

enum Slot { kPrint, kRecentFiles, kNewDocument, kExport, kExportToPdm };

template <typename Page>
Page* pageIn(const std::unique_ptr<CWnd>& slot) {
    return static_cast<Page*>(slot.get());
}

}  // namespace

KVRibbonBackstagePrintPage* KVRibbonBar::GetPrintBackstagePage(bool create) {
    if (!backstagePages_[kPrint] && create) {
        auto page = std::make_unique<KVRibbonBackstagePrintPage>();
        if (page->CreatePage(this)) backstagePages_[kPrint] = std::move(page);
    }
    return pageIn<KVRibbonBackstagePrintPage>(backstagePages_[kPrint]);
}

KVRibbonNewDocumentBackstagePage* KVRibbonBar::GetNewDocumentBackstagePage(bool create) {
    if (!backstagePages_[kNewDocument] && create) {
        // A page whose managed control could not be made stays, and passes its folder once it has one.
        auto page = std::make_unique<KVRibbonNewDocumentBackstagePage>();
        page->CreatePage(this);
        backstagePages_[kNewDocument] = std::move(page);
    }
    return pageIn<KVRibbonNewDocumentBackstagePage>(backstagePages_[kNewDocument]);
}

RecentFilesBackstagePage* KVRibbonBar::GetRecentFilesBackstagePage(bool create) {
    if (!backstagePages_[kRecentFiles] && create) {
        auto page = std::make_unique<RecentFilesBackstagePage>();
        if (page->CreatePage(this)) backstagePages_[kRecentFiles] = std::move(page);
    }
    return pageIn<RecentFilesBackstagePage>(backstagePages_[kRecentFiles]);
}

KVRibbonExportBackstagePage* KVRibbonBar::GetExportBackstagePage() {
    if (!backstagePages_[kExport]) backstagePages_[kExport] = std::make_unique<KVRibbonExportBackstagePage>(this);
    return pageIn<KVRibbonExportBackstagePage>(backstagePages_[kExport]);
}

KVRibbonExportVarnelBackstagePage* KVRibbonBar::GetExportVarnelBackstagePage() {
    if (!backstagePages_[kExportToPdm])
        backstagePages_[kExportToPdm] = std::make_unique<KVRibbonExportVarnelBackstagePage>(this);
    return pageIn<KVRibbonExportVarnelBackstagePage>(backstagePages_[kExportToPdm]);
}

CXTPRibbonBackstageView* KVRibbonBar::GetBackstageView() const {
    CXTPRibbonControlSystemButton* system = GetSystemButton();
    return system ? dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr;
}

bool KVRibbonBar::ActivateBackstageTab(int id, CWnd* page) {
    CXTPRibbonControlSystemButton* system = GetSystemButton();
    CXTPRibbonBackstageView* view = GetBackstageView();
    if (!system || !view) return false;
    int found = -1;
    for (int i = 0; i < view->GetTabCount() && found < 0; ++i) {
        CXTPRibbonBackstageView::Tab& tab = *view->GetTab(i);
        if (tab.id != id || (page && tab.page != page)) continue;
        if (!(tab.flags & xtpFlagManualUpdate)) {
            BackstageTabCmdUi update(tab);
            update.m_nID = static_cast<UINT>(id);
            // A page of the ribbon's own (print, export, new document, ...) is there to be shown:
            // no command handler decides it, and the site's disabling of a command without one
            // would leave the user's tab disabled for good.
            const bool ownPage = tab.page && std::any_of(std::begin(backstagePages_), std::end(backstagePages_),
                                                         [&tab](const std::unique_ptr<CWnd>& own) { return own.get() == tab.page; });
            if (ownPage) {
                update.Enable(TRUE);
            } else if (!OnCmdMsg(update.m_nID, CN_UPDATE_COMMAND_UI, &update, nullptr)) {
                if (CWnd* site = GetSite()) {
                    const BOOL disableWithoutHandler = site->IsFrameWnd() ? static_cast<const CFrameWnd*>(site)->m_bAutoMenuEnable : TRUE;
                    update.DoUpdate(site, disableWithoutHandler);
                }
            }
        }
        if (tab.enabled && tab.visible) found = i;
    }
    if (found < 0) return false;
    if (view->IsOpen()) return view->SetActiveIndex(found) != FALSE;
    SavedDefaultItems only(*view, found);
    system->OnExecute();
    return view->IsOpen() != FALSE;
}

const CXTPRibbonBackstageView::Tab* KVRibbonBar::GetActiveBackstageTab() const {
    CXTPRibbonBackstageView* view = GetBackstageView();
    if (!view || !view->IsOpen()) return nullptr;
    const int index = view->GetActiveIndex();
    return index >= 0 ? &view->GetTabs()[index] : nullptr;
}

void KVRibbonBar::RefreshBackstage() {
    CXTPRibbonBackstageView* view = GetBackstageView();
    if (!view) return;
    view->Refresh();
    if (CWnd* site = GetSite(); site && site->GetSafeHwnd())
        ::RedrawWindow(site->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void KVRibbonBar::SetBackstageTheme(const BackstageTheme& theme) {
    CXTPRibbonBackstageView* view = GetBackstageView();
    if (!view) return;
    view->SetTheme(theme.paintTheme);
    for (int i = 0; i < view->GetTabCount(); ++i) {
        CWnd* page = view->GetTab(i)->page;
        if (auto* own = dynamic_cast<KVRibbonBackstagePage*>(page)) own->SetTheme(theme.pageTheme);
        else if (auto* toolkit = dynamic_cast<CXTPRibbonBackstagePageRecent*>(page)) toolkit->SetTheme(theme.pageTheme);
    }
}
