// The main frame's message bars and the add-on applications' menu items.
#include "mainframe/main_frame.h"

#include "commandbars/kv_ribbon_bar.h"

std::uint64_t CMainFrame::ShowMessageBar(int imageId, const CString& title, const CString& text,
                                         const std::vector<MessageBarButton>& buttons,
                                         Korvo::UI::MessageBar::Callback callback, std::uint64_t id, INT_PTR tag,
                                         CObject* boundObject) {
    return m_messageBars.Show(GetCommandBars(), id, imageId, title, text, buttons, std::move(callback), tag, boundObject);
}

bool CMainFrame::CloseMessageBar(std::uint64_t id) {
    const bool closed = m_messageBars.Close(id);
    if (closed) RecalcLayout();
    return closed;
}

LRESULT CMainFrame::OnMessageBarClosed(WPARAM, LPARAM lParam) {
    m_messageBars.Remove(reinterpret_cast<const Korvo::UI::MessageBar*>(lParam));
    RecalcLayout();
    return 0;
}

bool CMainFrame::InsertUserMenuItem(const CString& caption, UINT command, int referenceId,
                                    const UserMenuPlacement& placement) {
    KVRibbonBar* ribbon = GetRibbonBar();
    const UserMenuTarget target{GetMenuBarControls(), ribbon ? FindRibbonHelpPopup(ribbon->GetControls()) : nullptr,
                                GetCommandBars(), &m_userItemCount};
    return ::InsertUserMenuItem(target, caption, command, referenceId, placement);
}

bool CMainFrame::InsertUserPopupMenu(const CString& caption, HMENU menu, int referenceId,
                                     const UserMenuPlacement& placement) {
    const UserMenuTarget target{GetMenuBarControls(), nullptr, GetCommandBars(), &m_userItemCount};
    return ::InsertUserPopupMenu(target, caption, menu, referenceId, placement);
}
