// Popup menus of command bars: modal tracking answered by the simulated user, the default context
// menu and the tool-bars popup.
#include <cstdio>
#include <functional>

#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/commandbars/gallery.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/commandbars/mouse_manager.h"
#include "platform/toolkit/commandbars/ribbon.h"

namespace {

std::wstring colourText(std::uint32_t pixel) {
    wchar_t text[8];
    std::swprintf(text, 8, L"#%06X", pixel & 0xFFFFFFu);
    return text;
}

// A picture as a menu line tells it: its size, the colour of its corner and of its centre.
std::wstring describeImage(const CXTPImageManagerIcon& icon) {
    const auto& pixels = icon.GetPixels();
    const int width = icon.GetWidth(), height = icon.GetHeight();
    return std::to_wstring(width) + L"x" + std::to_wstring(height) + L" edge " + colourText(pixels.front()) +
           L" centre " + colourText(pixels[static_cast<std::size_t>(height / 2) * width + width / 2]);
}

// The items of a popup as the user sees them, sub-menus after their item; the update pass runs
// over each bar as it would open.
// A gallery offers each of its items, under the gallery's id; `picks` holds the item of each entry
// (-1 for a control of its own).
void collectItems(CXTPCommandBar* bar, int depth, std::vector<platform::core::MenuItemInfo>& items,
                  std::vector<CXTPControl*>& controls, std::vector<int>& picks, CWnd* site, CWnd* owner) {
    if (owner) {
        CXTPControls* list = bar->GetControls();
        for (int i = 0; i < list->GetCount(); ++i) CXTPCommandBar::UpdateControl(list->GetAt(i), i, list->GetCount(), owner);
    } else {
        bar->OnIdleUpdateCmdUI();
    }
    CXTPControls* list = bar->GetControls();
    for (int i = 0; i < list->GetCount(); ++i) {
        CXTPControl* control = list->GetAt(i);
        if (!control->IsVisible()) continue;
        // The menu holds each item it offers, whatever the site does to the bar meanwhile.
        control->InternalAddRef();
        controls.push_back(control);
        // The site may set the texts of a control about to be shown.
        if (site) site->SendMessage(XTPWM_UPDATECONTROLTEXT, static_cast<WPARAM>(control->GetID()),
                                    reinterpret_cast<LPARAM>(control));
        if (control->GetControls() != list) {
            // The site took the control out of the bar: it is not offered, and the control that
            // moved into its place still is.
            controls.pop_back();
            control->InternalRelease();
            --i;
            continue;
        }
        if (auto* gallery = dynamic_cast<CXTPControlGallery*>(control)) {
            controls.pop_back();
            for (int g = 0; g < gallery->GetItemCount(); ++g) {
                const CXTPControlGalleryItem* entry = gallery->GetItem(g);
                platform::core::MenuItemInfo item;
                item.id = control->GetID();
                item.caption = std::wstring(entry->GetCaption());
                item.enabled = control->GetEnabled() && !entry->IsLabel();
                item.beginGroup = entry->IsLabel() != FALSE;
                item.depth = depth;
                items.push_back(item);
                control->InternalAddRef();
                controls.push_back(control);
                picks.push_back(g);
            }
            control->InternalRelease();
            continue;
        }
        picks.push_back(-1);
        platform::core::MenuItemInfo item;
        item.id = control->GetID();
        item.caption = std::wstring(control->GetCaption());
        item.enabled = control->GetEnabled() != FALSE;
        item.checked = control->GetChecked() != FALSE;
        item.beginGroup = control->GetBeginGroup() != FALSE;
        item.depth = depth;
        CXTPCommandBar* sub = control->GetCommandBar();
        item.subMenu = sub != nullptr && control->GetType() == xtpControlPopup;
        // Menus show pictures at 16 pixels; an icon without pixels is not drawn.
        constexpr int kMenuIconWidth = 16;
        if (const CXTPImageManagerIcon* icon = control->GetShownImage(kMenuIconWidth); icon && !icon->GetPixels().empty())
            item.image = describeImage(*icon);
        items.push_back(item);
        if (sub) collectItems(sub, depth + 1, items, controls, picks, site, owner);
    }
}

}  // namespace

int CXTPCommandBars::TrackPopupMenu(CXTPPopupBar* popup, UINT flags, int x, int y, CWnd* owner) {
    if (!popup) return 0;
    if (tracking_) {
        platform::core::reportFailure(L"CXTPCommandBars::TrackPopupMenu: a popup is already being tracked");
        return 0;
    }
    XTPMouseManager()->PopupTakesMouse();
    popup->InternalAddRef();
    tracking_ = popup;
    popup->SetPosition(xtpBarPopup);
    (void)x;
    (void)y;
    CWnd* site = GetSite();
    const bool notify = (flags & TPM_NONOTIFY) == 0 && site && site->GetSafeHwnd();
    if (notify) site->SendMessage(XTPWM_INITCOMMANDSPOPUP, 0, reinterpret_cast<LPARAM>(popup));
    OnTrackingModeChanged(popup, TRUE);

    platform::core::PopupMenuRequest request;
    request.owner = site ? site->GetSafeHwnd() : nullptr;
    std::vector<CXTPControl*> controls;
    std::vector<int> picks;
    const auto release = [&controls, &picks] {
        for (CXTPControl* control : controls) control->InternalRelease();
        controls.clear();
        picks.clear();
    };
    CXTPControl* chosenControl = nullptr;
    for (;;) {
        request.items.clear();
        collectItems(popup, 0, request.items, controls, picks, notify ? site : nullptr,
                     owner && owner->GetSafeHwnd() ? owner : nullptr);
        const int chosen = platform::core::userAgent().answerPopupMenu(request);
        if (chosen < 0) break;
        CXTPControl* control = controls[static_cast<std::size_t>(chosen)];
        // A gallery's item is picked in its gallery, which then executes.
        if (const int pick = picks[static_cast<std::size_t>(chosen)]; pick >= 0)
            static_cast<CXTPControlGallery*>(control)->SetSelectedItem(pick);
        // An item that keeps the menu open runs while the menu is still tracked, and the menu
        // shows again with what the command changed, until the user closes it or chooses an
        // item that closes it.
        if ((flags & TPM_RETURNCMD) || !control->KeepsPopupOpen()) {
            chosenControl = control;
            break;
        }
        control->OnExecute();
        release();
    }

    tracking_ = nullptr;
    OnTrackingModeChanged(popup, FALSE);
    if (notify) site->SendMessage(XTPWM_UNINITCOMMANDSPOPUP, 0, reinterpret_cast<LPARAM>(popup));
    int result = 0;
    if (chosenControl) {
        if (flags & TPM_RETURNCMD) {
            result = chosenControl->GetID();
        } else {
            chosenControl->OnExecute();
            result = TRUE;
        }
    }
    release();
    popup->InternalRelease();
    return result;
}

void CXTPCommandBars::ContextMenu(CXTPToolBar* /*bar*/, POINT point) {
    if (IsCustomizeMode()) return;
    CXTPPopupBar* popup = GetToolbarsPopup();
    if (!popup) return;
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y);
    popup->InternalRelease();
}

CXTPPopupBar* CXTPCommandBars::GetToolbarsPopup() {
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(this);
    for (CXTPToolBar* bar : bars_) {
        if (!bar->IsShowInList() || !bar->IsCustomizable() || bar->GetTitle().IsEmpty()) continue;
        CXTPControl* item = popup->GetControls()->Add(xtpControlButton, static_cast<int>(bar->GetBarID()));
        item->SetCaption(bar->GetTitle());
        item->SetChecked(bar->IsVisible());
        item->SetFlags(item->GetFlags() | xtpFlagManualUpdate);
    }
    return popup;
}

void CXTPCommandBars::OnTrackingModeChanged(CXTPPopupBar*, BOOL) {}

void CXTPCommandBars::OnToolBarRemoved(CXTPToolBar*) {}

CXTPToolBar* CXTPCommandBars::AddCustomBar(LPCWSTR title, UINT barId) {
    CXTPToolBar* bar = Add(title, xtpBarTop);
    if (bar) bar->SetBarID(barId);
    return bar;
}

void CXTPCommandBars::NotifyControlExecuted(CXTPControl* control) {
    std::vector<CXTPToolBar*> bars = bars_;
    for (CXTPToolBar* bar : bars)
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bar))
            ribbon->OnHookMessage(XTP_HOOK_CONTROLEXECUTED, 0, reinterpret_cast<LPARAM>(control));
}

void CXTPControlPopup::OnExecute() {
    if (GetType() == xtpControlSplitButtonPopup || !GetCommandBar()) {
        CXTPControl::OnExecute();
        return;
    }
    OpenPopup();
}

void CXTPControlPopup::OpenPopup() {
    if (!GetEnabled() || !IsVisible()) return;
    CXTPCommandBar* parent = GetParent();
    CXTPCommandBars* bars = parent ? parent->GetCommandBars() : nullptr;
    if (!bars) return;
    // The control stays while its menu is open, whatever the chosen command does to the bars; it
    // may fill (or make) its bar as it opens.
    InternalAddRef();
    OnSetPopup(TRUE);
    if (auto* popup = dynamic_cast<CXTPPopupBar*>(GetCommandBar())) {
        popup->SetControlPopup(this);
        bars->TrackPopupMenu(popup, 0, 0, 0);
        popup->SetControlPopup(nullptr);
    }
    OnSetPopup(FALSE);
    InternalRelease();
}
