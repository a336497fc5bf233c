// Which ribbon tabs show: contextual tabs by GUID, tagged tabs by document keywords, and the
// program's own tab selections.
#include <algorithm>

#include "commandbars/kv_ribbon_bar.h"

namespace {

bool isNull(const GUID& guid) { return guid == GUID{}; }

// Whether the document counts as a 3D one.
bool is3D(CKvw32Doc* document) {
    if (!document) return false;
    if (KV3DContainer* container = document->Get3DContainer(); container && container->Has3DContent()) return true;
    return CKVCom_Is3D::Is3D(document);
}

bool hasFeaTask(CKvw32Doc* document) {
    const kvcae::I_FEA_Task_Manager* manager = kvcae::I_FEA_Task_Manager::Instance();
    return manager && manager->HasTaskForDocument(document);
}

}  // namespace

void GetRibbonContextGuids(Korvo::UI::MainFrame& frame, GUID& first, GUID& second, GUID& third) {
    first = kDefaultRibbonContext;
    second = GUID{};
    third = GUID{};
    CKVView* view = frame.GetActiveKorvoView();
    if (!view) return;
    third = view->GetTypeGuid();
    MainBarSwitchHistory& history = view->GetMainBarSwitchHistory();
    if (history.HasTopEvent()) {
        first = history.GetTopEvent().tab;
        second = history.GetTopEvent().context;
        return;
    }
    first = isNull(view->GetStoredTabGuid()) ? view->GetTypeGuid() : view->GetStoredTabGuid();
    second = view->GetTypeGuid();
}

void KVRibbonBar::UpdateTabsForDocument(const GUID& first, const GUID& second, const GUID& third, bool fullUpdate) {
    const bool nullFirst = isNull(first);
    if ((nullFirst && nullContext_) || GetTabCount() == 0) return;
    TabChangeGuard guard(*this);
    Korvo::UI::MainFrame* owner = frame();
    CKvw32Doc* document = owner ? owner->GetActiveKorvoDocument() : nullptr;
    const bool document3D = is3D(document);
    const bool feaTask = hasFeaTask(document);

    CXTPRibbonTab* target = nullptr;
    CXTPRibbonTab* firstMatch = nullptr;
    bool targetVisible = true;
    if (nullFirst) {
        target = firstMatch = GetTab(0);
        targetVisible = target->IsVisible() != FALSE;
    }
    // A null GUID names no tab: tabs without one are never wanted for it.
    const auto matches = [](const GUID& tabGuid, const GUID& context) { return !isNull(context) && tabGuid == context; };

    for (int i = 0; i < GetTabCount(); ++i) {
        auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(GetTab(i));
        if (!tab) continue;
        if (tab->IsDisabledByUser() && !fullUpdate) continue;
        if (tab->CarriesTags()) continue;
        const GUID& guid = tab->GetGuid();
        const bool hasFirst = matches(guid, first);
        const bool wanted = hasFirst || matches(guid, second) || matches(guid, third) ||
                            (document3D && guid == k3DRibbonContext) ||
                            (tab->IsVisible() && guid == kFeaRibbonContext && feaTask);
        if (wanted) {
            if (hasFirst && !firstMatch) {
                firstMatch = target = tab;
                targetVisible = tab->IsVisible() != FALSE;
            } else if (!target) {
                target = tab;
                targetVisible = tab->IsVisible() != FALSE;
            }
            if (!tab->IsVisible()) {
                tab->SetDisabledByUser(false);
                tab->SetVisible(TRUE);
            }
        } else if (tab->GetContextColor() != xtpRibbonTabContextColorNone && tab->IsVisible()) {
            const bool wasCurrent = GetCurrentTab() == tab;
            tab->SetVisible(FALSE);
            if (wasCurrent) fullUpdate = true;
        } else if (guid == kFeaRibbonContext && feaTask) {
            tab->SetVisible(TRUE);
        }
    }
    if (target && (!targetVisible || fullUpdate) && GetCurrentTab() != target) {
        TabChangeGuard selecting(*this);
        SetCurrentTab(target);
    }
    nullContext_ = nullFirst;
}

void KVRibbonBar::ShowTabsForDocumentKeywords(CKvw32Doc* document) {
    static const std::vector<CString> kNone;
    const std::vector<CString>& keywords = document ? document->GetProperties()->GetKeywordList() : kNone;
    for (int i = 0; i < GetTabCount(); ++i) {
        auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(GetTab(i));
        if (!tab || !tab->CarriesTags()) continue;
        const bool show = !tab->IsDisabledByUser() && std::any_of(keywords.begin(), keywords.end(), [&](const CString& k) { return tab->HasTag(k); });
        tab->SetVisible(show);
    }
}

void KVRibbonBar::SelectTabSilently(int index) {
    CXTPRibbonTab* tab = GetTab(index);
    if (!tab || tab == GetCurrentTab()) return;
    TabChangeGuard guard(*this);
    SetCurrentTab(tab);
}

Korvo::UI::RibbonTab* KVRibbonBar::FindTabByGuid(const GUID& guid) const {
    for (int i = 0; i < GetTabCount(); ++i)
        if (auto* tab = dynamic_cast<Korvo::UI::RibbonTab*>(GetTab(i)); tab && tab->GetGuid() == guid) return tab;
    return nullptr;
}
