#include "platform/toolkit/commandbars/mouse_manager.h"

#include <algorithm>

#include "platform/toolkit/commandbars/commandbar.h"

void CXTPMouseManager::SetTrack(CXTPCommandBar* bar) {
    if (!bar || IsTracked(bar)) return;
    tracked_.push_back(bar);
    ++count_;
}

void CXTPMouseManager::RemoveTrack(CXTPCommandBar* bar) {
    const auto found = std::find(tracked_.begin(), tracked_.end(), bar);
    if (found == tracked_.end()) return;
    tracked_.erase(found);
    --count_;
}

bool CXTPMouseManager::IsTracked(const CXTPCommandBar* bar) const {
    return std::find(tracked_.begin(), tracked_.end(), bar) != tracked_.end();
}

void CXTPMouseManager::PopupTakesMouse() {
    if (count_ <= 0) return;
    const std::vector<CXTPCommandBar*> losing = tracked_;
    for (CXTPCommandBar* bar : losing) {
        if (!IsTracked(bar)) continue;
        const HWND focus = ::GetFocus();
        if (bar->GetSafeHwnd() && focus && (focus == bar->GetSafeHwnd() || ::IsChild(bar->GetSafeHwnd(), focus))) {
            CWnd* site = bar->GetSite();
            ::SetFocus(site ? site->GetSafeHwnd() : nullptr);
        }
        RemoveTrack(bar);
    }
}

void CXTPMouseManager::SendTrackLost() {
    const std::vector<CXTPCommandBar*> losing = tracked_;
    for (CXTPCommandBar* bar : losing) RemoveTrack(bar);
}

CXTPMouseManager* XTPMouseManager() {
    static CXTPMouseManager manager;
    return &manager;
}
