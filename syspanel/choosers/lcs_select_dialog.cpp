#include "syspanel/choosers/lcs_select_dialog.h"

#include "platform/kernel/documents/coordinate_systems.h"
#include "syspanel/parameter_controls.h"

LCSSelectDialog::~LCSSelectDialog() {
    m_open = false;
    DestroyChooserWindow();
}

bool LCSSelectDialog::Open(const CXTPControl& control, HWND frame, KVDocument* document, int index) {
    BeginOpen(frame);
    m_document = document;
    if (!document) return false;
    auto& store = document->CoordinateSystems();
    const int page = store.GetActivePage();
    m_current = index < 0 ? static_cast<const CKVObject*>(store.GetPageSystem(page)) : store.Get(index);
    m_loading = true;
    m_rows.clear();
    m_selected = -1;
    if (const KVCoordinateSystem* own = store.GetPageSystem(page))
        m_rows.push_back({CString(kPageSystemText) + L" (" + own->GetName() + L")", own, own->GetIconId()});
    for (const KVCoordinateSystem* system : store.GetOnPage(page))
        m_rows.push_back({system->GetName(), system, system->GetIconId()});
    for (const KVProjection* projection : store.GetProjections(page))
        if (!store.HasSystemFor(projection)) m_rows.push_back({projection->GetName(), projection, projection->GetIconId()});
    m_rows.push_back({CString(kCreateOrSelectText), nullptr, 0});
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_current && m_rows[row].object == m_current) m_selected = static_cast<int>(row);
    m_loading = false;
    return FinishOpenBelow(control, 1, m_owner.GetDialogSize());
}

BOOL LCSSelectDialog::OnInitDialog() {
    ChooserDialog::OnInitDialog();
    // The list takes the placeholder's place and follows the dialog's size.
    const RECT place = TakePlaceholder(kPlaceholder);
    m_list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                  place, this, kPlaceholder);
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ::SetWindowTheme(m_list.GetSafeHwnd(), kListTheme, nullptr);
    CString title(kColumnTitle);
    LVCOLUMNW column;
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = place.right - place.left;
    column.pszText = const_cast<wchar_t*>(title.GetString());
    m_list.SendMessage(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    // Selection changes while the rows go in are not choices.
    m_loading = true;
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const Row& each = m_rows[static_cast<std::size_t>(row)];
        LVITEMW item;
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(each.text.GetString());
        item.iImage = each.object ? each.icon : -1;
        item.state = row == m_selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        m_list.InsertItem(&item);
    }
    m_loading = false;
    return TRUE;
}

LRESULT LCSSelectDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && m_list.GetSafeHwnd()) {
        const auto* notice = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (notice && notice->hdr.hwndFrom == m_list.GetSafeHwnd()) {
            if (notice->hdr.code == LVN_HOTTRACK) OnHotItem(notice->iItem);
            // A click on a row chooses it; the choice may close the window.
            else if (notice->hdr.code == NM_CLICK && notice->iItem >= 0) OnSelChange(notice->iItem);
            return 0;
        }
    }
    if (message == WM_SIZE && m_list.GetSafeHwnd()) {
        RECT client{};
        ::GetClientRect(GetSafeHwnd(), &client);
        m_list.MoveWindow(0, 0, client.right, client.bottom, TRUE);
    }
    return ChooserDialog::WindowProc(message, wParam, lParam);
}

std::vector<std::wstring> LCSSelectDialog::Describe() const {
    std::wstring line = L"coordinate-system list rows " + std::to_wstring(m_list.GetItemCount());
    if (m_selected >= 0) line += L" selected \"" + std::wstring(m_rows[static_cast<std::size_t>(m_selected)].text.view()) + L"\"";
    std::vector<std::wstring> lines{line};
    for (int row = 0; row < m_list.GetItemCount(); ++row) lines.push_back(L"  " + std::wstring(m_list.GetItemText(row, 0).view()));
    // How the list shows itself, and which object the row under the mouse marks in the views.
    std::wstring look = L"coordinate-system list";
    wchar_t title[64] = {};
    LVCOLUMNW column;
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = 64;
    if (::SendMessageW(m_list.GetSafeHwnd(), LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column))) look += L" column \"" + std::wstring(title) + L"\"";
    if (const std::wstring theme = platform::win32::windowTheme(m_list.GetSafeHwnd()); !theme.empty()) look += L" theme \"" + theme + L"\"";
    const CKVObject* marked = m_document ? m_document->CoordinateSystems().GetLastFound() : nullptr;
    for (const Row& row : m_rows)
        if (marked && row.object == marked) look += L" marked \"" + std::wstring(row.text.view()) + L"\"";
    lines.push_back(look);
    return lines;
}

void LCSSelectDialog::Close() {
    if (!BeginClose()) return;
    m_owner.OnSetPopup(FALSE);
    DestroyChooserWindow();
}

std::optional<std::wstring> LCSSelectDialog::Pick(const std::wstring& item) {
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row].text.view() == item) {
            OnSelChange(static_cast<int>(row));
            return std::nullopt;
        }
    return L"the coordinate-system list shows no \"" + item + L"\"";
}

void LCSSelectDialog::OnSelChange(int row) {
    if (m_loading || row < 0 || row >= static_cast<int>(m_rows.size())) return;
    m_selected = row;
    const Row chosen = m_rows[static_cast<std::size_t>(row)];
    // The last row has no object, so it is never the current one.
    if (chosen.object && chosen.object == m_current) return;
    apply(chosen);
}

void LCSSelectDialog::OnHotItem(int row) {
    if (!m_document) return;
    const bool valid = row >= 0 && row < static_cast<int>(m_rows.size());
    m_document->CoordinateSystems().SetLastFound(valid ? m_rows[static_cast<std::size_t>(row)].object : nullptr);
}

void LCSSelectDialog::apply(const Row& row) {
    KVDocument* document = m_document;
    if (const std::optional<SIZE> size = GetShownSize()) m_owner.SetDialogSize(*size);
    Close();
    auto& store = document->CoordinateSystems();
    if (!row.object) {
        Korvo::UI::MainFrame* main = UIModuleProxy::Instance().GetActiveMainFrame();
        if (CFrameWnd* window = main ? main->AsWindow() : nullptr) window->SendMessage(WM_COMMAND, kCreateOrSelectCommand, 1);
        return;
    }
    if (const auto* system = dynamic_cast<const KVCoordinateSystem*>(row.object)) {
        m_owner.SetCurrentIndex(system->GetNumber() < 0 ? -1 : system->GetNumber(), true);
        return;
    }
    const auto* projection = dynamic_cast<const KVProjection*>(row.object);
    if (!projection) return;
    document->start_undo_block(0, kUndoCode);
    const int number = store.Create(store.GetActivePage(), kProjectionSystemType, projection, KVGetCurrentComment());
    document->end_undo_block();
    store.Show(number);
    m_owner.SetCurrentIndex(number, true);
}

void LCSSelectDialog::Deactivate() {
    if (!m_open || m_closing) return;
    Close();
}
