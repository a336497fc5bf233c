#include "platform/toolkit/menu_resources.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/toolkit/commandbars.h"

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

}  // namespace

CXTPPopupBar* LoadMenuPopupBar(CXTPCommandBars* bars, UINT id) {
    if (id != 1100) {
        platform::core::reportFailure(L"LoadMenuPopupBar(" + std::to_wstring(id) +
                                      L"): the product resources hold no such menu");
        return nullptr;
    }
    CXTPPopupBar* root = CXTPPopupBar::CreatePopupBar(bars);
    std::vector<CXTPCommandBar*> stack{root};
    bool group = false;
    for (const MenuEntry& entry : kViewMenu) {
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
