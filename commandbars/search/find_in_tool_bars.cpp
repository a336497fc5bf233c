#include "commandbars/search/find_in_tool_bars.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "commandbars/search/command_tags.h"
#include "platform/diagnostics.h"

namespace {

// Where a hit lies: the ribbon tab or tab of the tabbed bar to bring forward, the bar searched
// and the pop-up controls that lead from that bar to the control, outermost first.
struct Hit {
    CXTPControl* control = nullptr;
    CXTPRibbonTab* ribbonTab = nullptr;
    CXTPTabToolBar* tabBar = nullptr;
    int tab = -1;
    std::vector<CXTPControl*> chain;
    std::wstring place;
};

// A tab of the tabbed bar hides the other tabs' controls; they still count as on the bar.
bool IsVisibleOnBar(const CXTPControl* control) { return (control->GetHideFlags() & ~xtpHideTab) == 0; }

bool OpensPopup(const CXTPControl* control) {
    switch (control->GetType()) {
        case xtpControlPopup:
        case xtpControlButtonPopup:
        case xtpControlSplitButtonPopup: return true;
        default: return false;
    }
}

// Pop-ups whose items the program makes as they open are made now, so that they can be searched.
void FillPopup(CXTPControl* control) {
    if (auto* panes = dynamic_cast<Korvo::UI::DockingPanesPopup*>(control)) panes->UpdateControls();
    else if (auto* menus = dynamic_cast<Korvo::UI::PseudoMenuBar*>(control)) menus->UpdateControls();
}

class Search {
public:
    explicit Search(int id) : id_(id) {}

    // The controls of one bar or group (`accept` limits which of them belong), then, when none
    // had the id, the pop-ups they open, breadth-first.
    template <class Accept>
    std::optional<Hit> InControls(CXTPControls* controls, Accept accept, const Hit& where) {
        Queue queue;
        if (auto hit = Level(controls, accept, {}, queue, false)) return Complete(*hit, where);
        return Breadth(queue, where);
    }

    // The pop-up of one control (the control itself is no hit).
    std::optional<Hit> InPopupOf(CXTPControl* popup, const Hit& where) {
        FillPopup(popup);
        if (!popup->GetCommandBar()) return std::nullopt;
        Queue queue;
        queue.emplace_back(popup, std::vector<CXTPControl*>{});
        return Breadth(queue, where);
    }

private:
    using Queue = std::deque<std::pair<CXTPControl*, std::vector<CXTPControl*>>>;

    std::optional<Hit> Breadth(Queue& queue, const Hit& where) {
        while (!queue.empty()) {
            auto [popup, chain] = queue.front();
            queue.pop_front();
            chain.push_back(popup);
            const bool hiddenCount = dynamic_cast<Korvo::UI::DockingPanesPopup*>(popup) != nullptr;
            if (auto hit = Level(popup->GetCommandBar()->GetControls(), [](CXTPControl*) { return true; }, chain,
                                 queue, hiddenCount))
                return Complete(*hit, where);
        }
        return std::nullopt;
    }

    template <class Accept>
    std::optional<Hit> Level(CXTPControls* controls, Accept accept, const std::vector<CXTPControl*>& chain,
                             Queue& queue, bool hiddenCount) {
        if (!controls) return std::nullopt;
        for (int i = 0; i < controls->GetCount(); ++i) {
            CXTPControl* control = controls->GetAt(i);
            if (!accept(control) || (!hiddenCount && !IsVisibleOnBar(control))) continue;
            if (control->GetID() == id_) {
                Hit hit;
                hit.control = control;
                hit.chain = chain;
                return hit;
            }
            if (!OpensPopup(control)) continue;
            FillPopup(control);
            if (control->GetCommandBar() && chain.size() < kDeepest) queue.emplace_back(control, chain);
        }
        return std::nullopt;
    }

    static Hit Complete(Hit hit, const Hit& where) {
        hit.ribbonTab = where.ribbonTab;
        hit.tabBar = where.tabBar;
        hit.tab = where.tab;
        hit.place = where.place;
        return hit;
    }

    static constexpr std::size_t kDeepest = 16;  // pop-ups inside pop-ups, as deep as menus go
    int id_;
};

// A caption as the user reads it: without its mnemonic marks.
std::wstring Quoted(const CString& text) { return L"\"" + std::wstring(RemoveSingleAmpersands(text).view()) + L"\""; }

CXTPRibbonBar* VisibleRibbon(CXTPCommandBars* bars) {
    if (!bars) return nullptr;
    for (int i = 0; i < bars->GetCount(); ++i)
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bars->GetAt(i)); ribbon && ribbon->IsVisible()) return ribbon;
    return nullptr;
}

CXTPTabToolBar* VisibleTabBar(CXTPCommandBars* bars) {
    if (!bars) return nullptr;
    for (int i = 0; i < bars->GetCount(); ++i)
        if (auto* tabs = dynamic_cast<CXTPTabToolBar*>(bars->GetAt(i)); tabs && tabs->IsVisible()) return tabs;
    return nullptr;
}

std::optional<Hit> InRibbonTab(Search& search, CXTPRibbonTab* tab) {
    Hit where;
    where.ribbonTab = tab;
    where.place = L"ribbon tab " + Quoted(tab->GetCaption());
    for (int g = 0; g < tab->GetGroupCount(); ++g) {
        CXTPRibbonGroup* group = tab->GetGroup(g);
        if (!group->IsVisible()) continue;
        Hit inGroup = where;
        inGroup.place += L", group " + Quoted(group->GetCaption());
        if (auto hit = search.InControls(group->GetControls(), [](CXTPControl*) { return true; }, inGroup)) return hit;
    }
    return std::nullopt;
}

std::optional<Hit> InRibbon(Search& search, CXTPRibbonBar* ribbon) {
    Hit where;
    where.place = L"the ribbon's quick-access bar";
    CXTPControl* pseudoMenuBar = nullptr;
    constexpr int kPseudoMenuBar = 900;
    if (ribbon->IsQuickAccessVisible()) {
        auto notMenuBar = [&pseudoMenuBar](CXTPControl* control) {
            if (control->GetID() != kPseudoMenuBar) return true;
            pseudoMenuBar = control;
            return false;
        };
        if (auto hit = search.InControls(ribbon->GetQuickAccessControls(), notMenuBar, where)) return hit;
    }
    where.place = L"the ribbon";
    if (auto hit = search.InControls(ribbon->GetControls(), Korvo::UI::IsRibbonFreeControl, where)) return hit;
    CXTPRibbonTab* current = ribbon->GetCurrentTab();
    if (current)
        if (auto hit = InRibbonTab(search, current)) return hit;
    for (int t = 0; t < ribbon->GetTabCount(); ++t) {
        CXTPRibbonTab* tab = ribbon->GetTab(t);
        if (tab == current || !tab->IsVisible()) continue;
        if (auto hit = InRibbonTab(search, tab)) return hit;
    }
    if (!pseudoMenuBar) return std::nullopt;
    // The menu bar the quick-access bar may hold is searched last, shown for the search only.
    const DWORD hidden = pseudoMenuBar->GetHideFlags();
    pseudoMenuBar->SetHideFlag(hidden, FALSE);
    where.place = L"the ribbon's quick-access bar";
    std::optional<Hit> hit = search.InPopupOf(pseudoMenuBar, where);
    pseudoMenuBar->SetHideFlag(hidden, TRUE);
    return hit;
}

std::optional<Hit> InTabBar(Search& search, CXTPTabToolBar* bar) {
    std::vector<int> order;
    if (bar->GetCurSel() >= 0) order.push_back(bar->GetCurSel());
    for (int tab = 0; tab < bar->GetItemCount(); ++tab)
        if (tab != bar->GetCurSel() && bar->GetItem(tab)->visible) order.push_back(tab);
    for (const int tab : order) {
        const CString caption = bar->GetItem(tab)->caption;
        Hit where;
        where.tabBar = bar;
        where.tab = tab;
        where.place = L"tab " + Quoted(caption) + L" of bar " + Quoted(bar->GetTitle());
        auto inTab = [&caption](CXTPControl* control) { return control->GetCategory() == caption; };
        if (auto hit = search.InControls(bar->GetControls(), inTab, where)) return hit;
    }
    return std::nullopt;
}

std::optional<Hit> InBars(Search& search, CXTPCommandBars* bars, const CXTPToolBar* skip) {
    if (!bars) return std::nullopt;
    for (int i = 0; i < bars->GetCount(); ++i) {
        CXTPToolBar* bar = bars->GetAt(i);
        if (bar == skip || !bar->IsVisible() || bar->GetType() == xtpBarTypeRibbon) continue;
        Hit where;
        where.place = L"bar " + Quoted(bar->GetTitle());
        if (auto hit = search.InControls(bar->GetControls(), [](CXTPControl*) { return true; }, where)) return hit;
    }
    return std::nullopt;
}

// The control's rectangle on the screen. A control of a pop-up (whose bar has no window of its
// own here) lies in its menu: below its opener on the first level, right of it further in.
RECT ScreenRect(CXTPControl* control, const RECT& opener, std::size_t depth) {
    CXTPCommandBar* bar = control->GetParent();
    if (bar && bar->GetSafeHwnd()) {
        RECT rect = bar->GetControlRect(control);
        if (rect.right > rect.left) {
            ::ClientToScreen(bar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect.left));
            ::ClientToScreen(bar->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect.right));
            return rect;
        }
    }
    constexpr int kItemHeight = 22, kMenuWidth = 200;
    const int index = bar ? bar->GetControls()->IndexOf(control) : 0;
    const LONG left = depth <= 1 ? opener.left : opener.right;
    const LONG top = (depth <= 1 ? opener.bottom : opener.top) + index * kItemHeight;
    return RECT{left, top, left + kMenuWidth, top + kItemHeight};
}

// Scrolls the control into view and moves floating panes that cover it aside.
RECT MakeVisible(CXTPControl* control, const RECT& opener, std::size_t depth, CXTPDockingPaneManager* panes) {
    if (CXTPCommandBar* bar = control->GetParent()) bar->EnsureVisible(control);
    const RECT rect = ScreenRect(control, opener, depth);
    if (panes)
        for (CXTPDockingPane* pane : panes->GetPaneList()) panes->PushAside(pane, rect);
    return rect;
}

// A pop-up that fills itself as it opens makes its items afresh: the step after it is the new
// item of the same id.
CXTPControl* Reached(CXTPControl* opened, CXTPControl* next) {
    CXTPCommandBar* bar = opened->GetCommandBar();
    if (!bar || next->GetParent() == bar) return next;
    return bar->GetControls()->FindControl(next->GetID());
}

bool Show(Hit hit, const FindInToolBarsTarget& target) {
    if (hit.ribbonTab && !hit.ribbonTab->IsSelected()) {
        CXTPRibbonBar* ribbon = hit.ribbonTab->GetRibbonBar();
        if (!ribbon || !ribbon->SetCurrentTab(hit.ribbonTab)) return false;
    }
    if (hit.tabBar && hit.tabBar->GetCurSel() != hit.tab && !hit.tabBar->SetCurSel(hit.tab)) return false;
    target.bars->ClosePopups();
    if (CXTPToolTipContext* tips = target.bars->GetToolTipContext()) tips->CancelToolTips();
    // Every step stays alive while the pop-ups before it open and refill themselves.
    std::vector<CXTPControl*> steps = hit.chain;
    steps.push_back(hit.control);
    for (CXTPControl* step : steps) step->InternalAddRef();
    RECT opener{};
    bool shown = true;
    for (std::size_t depth = 0; depth < steps.size() && shown; ++depth) {
        CXTPControl* step = steps[depth];
        if (depth > 0) step = Reached(steps[depth - 1], step);
        if (!step || !step->GetParent()) {
            shown = false;
            break;
        }
        opener = MakeVisible(step, opener, depth, target.panes);
        if (depth + 1 < steps.size()) {
            shown = step->GetParent()->SetPopuped(step) != FALSE;
            if (shown && depth + 1 < steps.size()) {
                CXTPControl* next = Reached(step, steps[depth + 1]);
                if (next != steps[depth + 1]) {
                    if (next) next->InternalAddRef();
                    steps[depth + 1]->InternalRelease();
                    steps[depth + 1] = next;
                    if (!next) shown = false;
                }
            }
            continue;
        }
        step->GetParent()->SetSelected(step);
        ::SetCursorPos(static_cast<int>((opener.left + opener.right) / 2), static_cast<int>((opener.top + opener.bottom) / 2));
    }
    for (CXTPControl* step : steps)
        if (step) step->InternalRelease();
    return shown;
}

std::wstring Describe(const Hit& hit) {
    std::wstring text = hit.place;
    if (!hit.chain.empty()) {
        text += L", pop-up chain";
        for (const CXTPControl* popup : hit.chain) text += L" " + std::to_wstring(popup->GetID());
    }
    return text;
}

}  // namespace

bool FindInToolBars(const FindInToolBarsTarget& target, UINT id) {
    if (!target.bars) return false;
    Search search(static_cast<int>(id));
    std::optional<Hit> hit;
    CXTPTabToolBar* tabBar = VisibleTabBar(target.bars);
    if (CXTPRibbonBar* ribbon = VisibleRibbon(target.bars)) hit = InRibbon(search, ribbon);
    if (!hit && tabBar) hit = InTabBar(search, tabBar);
    if (!hit) hit = InBars(search, target.bars, tabBar);
    if (!hit) hit = InBars(search, target.framelessBars, nullptr);
    // Opening the pop-ups may remake their items: the place is told as the search found it.
    const std::wstring place = hit ? Describe(*hit) : std::wstring();
    if (!hit || !Show(*hit, target)) {
        target.bars->ClosePopups();
        KVLog_WriteF(5, L"Command %u is on no tool bar", id);
        return false;
    }
    KVLog_WriteF(5, L"Command %u found on %s", id, place.c_str());
    return true;
}
