#include "syspanel/choosers/layer_select_dialog.h"

#include "platform/kernel/editing/name_prompt.h"
#include "syspanel/parameter_controls.h"

bool CLayerSelectDialog::Open(HWND frame, KVDocument* document, int layer) {
    m_frame = frame;
    m_document = document;
    m_closing = false;
    if (!document) return false;
    m_rows.clear();
    m_selected = -1;
    for (const KVLayer& each : document->GetLayers()) {
        if (each.number == layer) m_selected = static_cast<int>(m_rows.size());
        m_rows.push_back(each.number);
    }
    m_rows.push_back(-1);
    m_open = true;
    MarkOpen();
    return true;
}

void CLayerSelectDialog::Close() {
    if (!m_open) return;
    m_closing = true;
    m_open = false;
    MarkClosed();
}

std::optional<std::wstring> CLayerSelectDialog::Pick(const std::wstring& item) {
    if (item == kNewLayerText) {
        m_selected = static_cast<int>(m_rows.size()) - 1;
        ApplySelection(-1);
        return std::nullopt;
    }
    const KVLayer* layer = m_document ? m_document->FindLayer(CString(item.c_str())) : nullptr;
    if (!layer) return L"the layer list shows no \"" + item + L"\"";
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row] == layer->number) m_selected = static_cast<int>(row);
    ApplySelection(layer->number);
    return std::nullopt;
}

void CLayerSelectDialog::OnOK() {
    if (m_selected < 0 || m_rows[static_cast<std::size_t>(m_selected)] < 0) return;
    m_owner.SetLayer(m_rows[static_cast<std::size_t>(m_selected)]);
}

void CLayerSelectDialog::ApplySelection(int number) {
    Close();
    if (number >= 0) {
        m_owner.SetLayer(number);
        return;
    }
    createLayer();
}

void CLayerSelectDialog::createLayer() {
    CString name;
    if (!m_document || !KVPromptName(kNamePromptTitle, name)) return;
    name.Trim();
    if (name.IsEmpty()) return;
    if (m_document->FindLayer(name)) {
        KVMessageBox::Show(KVLoadFormatString(kNameTakenMessage, name), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_document->start_undo_block(0, kUndoCode);
    const int number = m_document->CreateLayer(name);
    m_document->end_undo_block();
    m_owner.SetLayer(number);
}

void CLayerSelectDialog::Deactivate() {
    if (!m_open || m_closing) return;
    Close();
}
