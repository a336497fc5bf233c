#include "syspanel/choosers/lcs_select_dialog.h"

#include "platform/kernel/documents/coordinate_systems.h"
#include "syspanel/parameter_controls.h"

bool LCSSelectDialog::Open(HWND frame, KVDocument* document, int index) {
    m_frame = frame;
    m_document = document;
    m_closing = false;
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
    m_open = true;
    MarkOpen();
    return true;
}

void LCSSelectDialog::Close() {
    if (!m_open) return;
    m_closing = true;
    m_open = false;
    MarkClosed();
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
