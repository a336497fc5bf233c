// The command bars' saved layout, the bars a user makes, and the closing of open pop-ups.
#include "platform/toolkit/commandbars/customize.h"
#include <algorithm>
#include <vector>

#include "platform/core/record.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/propexchange.h"

CString XTPResourceString(UINT id) {
    switch (id) {
        case XTP_IDS_NO_FREE_TOOLBAR_ID: return L"No more tool bars can be made.";
        case XTP_IDS_TOOLBAR_EXISTS: return L"A tool bar named \"%s\" exists already.";
        case XTP_IDS_NEW_MENU: return L"New Menu";
        case XTP_IDS_ALL_COMMANDS: return L"All Commands";
        case XTP_IDS_BUILT_IN_MENUS: return L"Built-in Menus";
        case XTP_IDS_CONFIRM_RESET_USAGE:
            return L"The record of the commands you used is deleted, and the menus and tool bars show their first "
                   L"commands again; your own changes stay. Reset the usage data?";
        case XTP_IDS_ANIMATION_SYSDEF: return L"(System default)";
        case XTP_IDS_ANIMATION_NONE - 4: return L"Random";
        case XTP_IDS_ANIMATION_NONE - 3: return L"Unfold";
        case XTP_IDS_ANIMATION_NONE - 2: return L"Slide";
        case XTP_IDS_ANIMATION_NONE - 1: return L"Fade";
        case XTP_IDS_ANIMATION_NONE: return L"None";
        default: return CString();
    }
}

void CXTPCommandBars::RedrawCommandBars() {
    for (CXTPToolBar* bar : bars_)
        if (bar && bar->GetSafeHwnd()) ::InvalidateRect(bar->GetSafeHwnd(), nullptr, TRUE);
}

void CXTPCommandBars::ClosePopups() {
    ++closedPopups_;
    for (CXTPToolBar* bar : bars_) {
        // The open chain: each open control's bar may have opened the next.
        CXTPCommandBar* level = bar;
        for (int depth = 0; level && depth < 64; ++depth) {
            CXTPControl* open = level->GetPopuped();
            level->SetSelected(nullptr);
            level->SetPopuped(nullptr);
            level = open ? open->GetCommandBar() : nullptr;
        }
    }
}

CXTPToolBar* CXTPCommandBars::AddCustomBar(LPCWSTR title, UINT barId, DWORD docking, const UINT* ids, int count,
                                           BOOL visible) {
    if (GetToolBar(barId)) return nullptr;
    CXTPToolBar* bar = AddCustomBar(title, barId);
    if (!bar) return nullptr;
    bar->EnableDocking(docking);
    bar->SetButtons(ids, count);
    bar->SetVisible(visible);
    customBarIds_.insert(barId);
    RecalcFrameLayout();
    return bar;
}

bool CXTPCommandBars::IsCustomBar(const CXTPToolBar* bar) const {
    return bar && customBarIds_.count(bar->GetBarID()) != 0;
}

void CXTPCommandBars::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    CXTPPropExchangeEnumeratorPtr enumerator = px->GetEnumerator(L"Bar");
    if (!px->IsLoading()) {
        std::vector<CXTPToolBar*> saved;
        for (CXTPToolBar* bar : bars_)
            if (bar->GetBarID() != 0) saved.push_back(bar);
        POSITION position = enumerator->GetPosition(static_cast<DWORD>(saved.size()));
        for (CXTPToolBar* bar : saved) {
            CXTPPropExchange* section = enumerator->GetNext(position);
            int id = static_cast<int>(bar->GetBarID()), where = bar->GetPosition();
            CString title = bar->GetTitle();
            BOOL visible = bar->IsVisible(), custom = IsCustomBar(bar) ? TRUE : FALSE;
            int docking = static_cast<int>(bar->GetFlags());
            PX_Int(section, L"BarID", id);
            PX_String(section, L"Title", title);
            PX_Bool(section, L"Visible", visible);
            PX_Int(section, L"Position", where);
            PX_Bool(section, L"Custom", custom);
            PX_Int(section, L"Docking", docking);
            BOOL withControls = bar->GetType() == xtpBarTypeNormal && (custom || bar->ShouldSerializeBar());
            PX_Bool(section, L"Controls", withControls);
            if (withControls) bar->DoPropExchange(section->GetSection(L"Layout").get());
        }
        return;
    }
    // Bars may share an id (the menu bar and the ribbon): each entry goes to the first bar of its
    // id that no earlier entry took.
    std::vector<const CXTPToolBar*> taken;
    const auto firstFree = [&](UINT id) -> CXTPToolBar* {
        for (CXTPToolBar* bar : bars_)
            if (bar->GetBarID() == id && std::find(taken.begin(), taken.end(), bar) == taken.end()) return bar;
        return nullptr;
    };
    POSITION position = enumerator->GetPosition();
    while (position) {
        CXTPPropExchange* section = enumerator->GetNext(position);
        if (!section) break;
        int id = 0, where = xtpBarTop, docking = static_cast<int>(xtpFlagAlignAny | xtpFlagFloating);
        CString title;
        BOOL visible = TRUE, custom = FALSE, withControls = FALSE;
        PX_Int(section, L"BarID", id);
        PX_String(section, L"Title", title);
        PX_Bool(section, L"Visible", visible, TRUE);
        PX_Int(section, L"Position", where, xtpBarTop);
        PX_Bool(section, L"Custom", custom);
        PX_Int(section, L"Docking", docking, docking);
        PX_Bool(section, L"Controls", withControls);
        if (id <= 0 || id > 0xFFFF) continue;
        CXTPToolBar* bar = firstFree(static_cast<UINT>(id));
        if (!bar && custom && !title.IsEmpty()) {
            bar = AddCustomBar(title, static_cast<UINT>(id));
            if (bar) customBarIds_.insert(static_cast<UINT>(id));
        }
        if (!bar) continue;
        taken.push_back(bar);
        if (!title.IsEmpty()) bar->SetTitle(title);
        if (custom) bar->EnableDocking(static_cast<DWORD>(docking));
        if (where >= xtpBarTop && where <= xtpBarFloating) bar->SetPosition(static_cast<XTPBarPosition>(where));
        if (withControls && bar->GetType() == xtpBarTypeNormal) bar->DoPropExchange(section->GetSection(L"Layout").get());
        bar->SetVisible(visible);
    }
    RecalcFrameLayout();
}
