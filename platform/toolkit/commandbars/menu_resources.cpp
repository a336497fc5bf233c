#include "platform/toolkit/commandbars/menu_resources.h"

#include <algorithm>
#include <iterator>

#include "platform/core/record.h"
#include "platform/toolkit/commandbars/commandbars.h"

namespace {

struct MenuEntry {
    int id;               // 0 with an empty caption: a separator; -1: a sub-menu
    const wchar_t* caption;
    int depth;
};

// Menu 1100: the tool-bars and panes menu (the view menu's first popup).
constexpr MenuEntry kViewMenu[] = {
    {-1, L"&Toolbars", 0},
    {700, L"Toolbar", 1},
    {0, L"", 0},
    {811, L"&Properties", 0},
    {782, L"&Bird's-eye view", 0},
    {785, L"&Model tree", 0},
    {783, L"&Documents menu", 0},
    {816, L"Co&nfigurations", 0},
    {784, L"&Errors", 0},
    {786, L"&Variables", 0},
    {0, L"", 0},
    {-1, L"P&DM", 0},
    {787, L"PDM archives", 1},
    {788, L"PDM desktop", 1},
    {789, L"PDM favourites", 1},
    {791, L"PDM search", 1},
    {798, L"PDM mail", 1},
    {0, L"", 0},
    {814, L"PDM assembly", 0},
    {0, L"", 0},
    {781, L"&Help", 0},
    {799, L"&Find command", 0},
};

// Menu 1139: the context menu of the panel's parameter edits. The kernel's entries (variables,
// text modules, angles, the formula and measuring entries) come with it; the edit removes those
// it does not offer.
constexpr MenuEntry kParameterEditMenu[] = {
    {57643, L"&Undo", 0},
    {0, L"", 0},
    {57635, L"Cu&t", 0},
    {57634, L"&Copy", 0},
    {57637, L"&Paste", 0},
    {57632, L"&Delete", 0},
    {0, L"", 0},
    {57642, L"Select &all", 0},
    {0, L"", 0},
    {2137, L"Insert &variable...", 0},
    {2148, L"Te&xt module...", 0},
    {2231, L"An&gle...", 0},
    {2138, L"&Formula", 0},
    {2140, L"&Measure", 0},
    {2142, L"Measure &once", 0},
    {2232, L"Angle from &object", 0},
    {2143, L"Copy &value", 0},
    {2144, L"Paste v&alue", 0},
    {2146, L"&Remember value", 0},
    {2147, L"Recall val&ue", 0},
    {0, L"", 0},
    {-1, L"&Functions", 0},
    {1955, L"sin", 1},
    {1956, L"cos", 1},
    {1957, L"tan", 1},
    {1958, L"sqrt", 1},
    {1959, L"abs", 1},
    {1960, L"min", 1},
    {1961, L"max", 1},
    {1962, L"pi", 1},
    {1963, L"round", 1},
    {1964, L"int", 1},
    {1114, L"&Calculator", 0},
    {2493, L"&Units", 0},
    {0, L"", 0},
    {2145, L"&Spin step...", 0},
};

struct MenuResource {
    UINT id;
    const MenuEntry* begin;
    const MenuEntry* end;
};

constexpr MenuResource kMenus[] = {
    {1100, std::begin(kViewMenu), std::end(kViewMenu)},
    {1139, std::begin(kParameterEditMenu), std::end(kParameterEditMenu)},
};

}  // namespace

CXTPPopupBar* LoadMenuPopupBar(CXTPCommandBars* bars, UINT id) {
    const auto menu = std::find_if(std::begin(kMenus), std::end(kMenus), [id](const MenuResource& m) { return m.id == id; });
    if (menu == std::end(kMenus)) {
        platform::core::reportFailure(L"LoadMenuPopupBar(" + std::to_wstring(id) +
                                      L"): the product resources hold no such menu");
        return nullptr;
    }
    CXTPPopupBar* root = CXTPPopupBar::CreatePopupBar(bars);
    std::vector<CXTPCommandBar*> stack{root};
    bool group = false;
    for (const MenuEntry* each = menu->begin; each != menu->end; ++each) {
        const MenuEntry& entry = *each;
        stack.resize(static_cast<std::size_t>(entry.depth) + 1);
        if (entry.id == 0) {
            group = true;
            continue;
        }
        CXTPControls* controls = stack.back()->GetControls();
        CXTPControl* control = controls->Add(entry.id < 0 ? xtpControlPopup : xtpControlButton, std::max(entry.id, 0));
        control->SetCaption(entry.caption);
        control->SetBeginGroup(group && controls->GetCount() > 1);
        group = false;
        if (entry.id < 0) {
            CXTPPopupBar* sub = CXTPPopupBar::CreatePopupBar(bars);
            control->SetCommandBar(sub);
            sub->InternalRelease();
            stack.push_back(sub);
        }
    }
    return root;
}

namespace {

void addMenuItems(CXTPCommandBars* bars, HMENU menu, CXTPCommandBar* bar) {
    const int count = ::GetMenuItemCount(menu);
    bool group = false;
    for (int position = 0; position < count; ++position) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (state & MF_SEPARATOR) {
            group = true;
            continue;
        }
        wchar_t text[256]{};
        ::GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        HMENU sub = ::GetSubMenu(menu, position);
        const UINT id = sub ? 0u : ::GetMenuItemID(menu, position);
        CXTPControls* controls = bar->GetControls();
        CXTPControl* control = controls->Add(sub ? xtpControlPopup : xtpControlButton, static_cast<int>(id));
        control->SetCaption(text);
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
        control->SetChecked((state & MF_CHECKED) ? TRUE : FALSE);
        control->SetEnabled((state & (MF_GRAYED | MF_DISABLED)) ? FALSE : TRUE);
        control->SetBeginGroup(group && controls->GetCount() > 1);
        group = false;
        if (sub) {
            CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
            control->SetCommandBar(popup);
            addMenuItems(bars, sub, popup);
            popup->InternalRelease();
        }
    }
}

}  // namespace

CXTPPopupBar* MenuPopupBar(CXTPCommandBars* bars, HMENU menu) {
    if (!menu || ::GetMenuItemCount(menu) < 0) return nullptr;
    CXTPPopupBar* root = CXTPPopupBar::CreatePopupBar(bars);
    addMenuItems(bars, menu, root);
    return root;
}

void RemoveMenuItems(CXTPCommandBar* popup, const std::vector<int>& ids) {
    if (!popup) return;
    CXTPControls* controls = popup->GetControls();
    for (int i = controls->GetCount() - 1; i >= 0; --i) {
        CXTPControl* control = controls->GetAt(i);
        if (CXTPCommandBar* sub = control->GetCommandBar(); sub && control->GetType() == xtpControlPopup) {
            RemoveMenuItems(sub, ids);
            if (sub->GetControls()->GetCount() == 0) {
                // A removed control's group mark passes to the next one.
                if (CXTPControl* next = controls->GetAt(i + 1); next && control->GetBeginGroup()) next->SetBeginGroup(TRUE);
                controls->Remove(control);
            }
            continue;
        }
        if (std::find(ids.begin(), ids.end(), control->GetID()) == ids.end()) continue;
        if (CXTPControl* next = controls->GetAt(i + 1); next && control->GetBeginGroup()) next->SetBeginGroup(TRUE);
        controls->Remove(control);
    }
    if (CXTPControl* first = controls->GetAt(0)) first->SetBeginGroup(FALSE);
}
