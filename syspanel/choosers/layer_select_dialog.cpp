#include "syspanel/choosers/layer_select_dialog.h"

#include "platform/kernel/editing/name_prompt.h"
#include "syspanel/parameter_controls.h"

CLayerSelectDialog::~CLayerSelectDialog() {
    m_open = false;
    DestroyChooserWindow();
}

bool CLayerSelectDialog::Open(const CXTPControl& control, HWND frame, KVDocument* document, int layer) {
    BeginOpen(frame);
    m_document = document;
    if (!document) return false;
    m_rows.clear();
    m_selected = -1;
    for (const KVLayer& each : document->GetLayers()) {
        if (each.number == layer) m_selected = static_cast<int>(m_rows.size());
        m_rows.push_back(each.number);
    }
    m_rows.push_back(-1);
    return FinishOpenBelow(control, 1, m_owner.GetDialogSize());
}

CString CLayerSelectDialog::rowText(int row) const {
    const int number = m_rows[static_cast<std::size_t>(row)];
    const KVLayer* layer = m_document && number >= 0 ? m_document->GetLayer(number) : nullptr;
    return layer ? layer->name : CString(kNewLayerText);
}

BOOL CLayerSelectDialog::OnInitDialog() {
    ChooserDialog::OnInitDialog();
    // The list takes the placeholder's place, one pixel taller, and follows the dialog's size.
    const RECT place = TakePlaceholder(kPlaceholder, 1);
    m_list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, GetSafeHwnd(),
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kPlaceholder)), nullptr, nullptr);
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row)
        ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rowText(row).GetString()));
    ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(m_selected), 0);
    return TRUE;
}

LRESULT CLayerSelectDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && m_list) {
        RECT client{};
        ::GetClientRect(GetSafeHwnd(), &client);
        ::MoveWindow(m_list, 0, 0, client.right, client.bottom, TRUE);
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kPlaceholder && HIWORD(wParam) == LBN_SELCHANGE) {
        const auto row = static_cast<int>(::SendMessageW(m_list, LB_GETCURSEL, 0, 0));
        if (row >= 0 && row < static_cast<int>(m_rows.size())) {
            m_selected = row;
            ApplySelection(m_rows[static_cast<std::size_t>(row)]);
        }
        return 0;
    }
    return ChooserDialog::WindowProc(message, wParam, lParam);
}

void CLayerSelectDialog::Close() {
    if (!BeginClose()) return;
    m_owner.OnSetPopup(FALSE);
    m_list = nullptr;
    DestroyChooserWindow();
}

std::optional<std::wstring> CLayerSelectDialog::Pick(const std::wstring& item) {
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        if (rowText(row).view() != item) continue;
        // A click on the row selects it in the list, which tells the dialog.
        ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ::SendMessageW(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kPlaceholder, LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_list));
        return std::nullopt;
    }
    return L"the layer list shows no \"" + item + L"\"";
}

std::vector<std::wstring> CLayerSelectDialog::Describe() const {
    std::wstring line = L"layer list rows " + std::to_wstring(m_rows.size());
    if (m_selected >= 0) line += L" selected \"" + std::wstring(rowText(m_selected).view()) + L"\"";
    std::vector<std::wstring> lines{line};
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) lines.push_back(L"  " + std::wstring(rowText(row).view()));
    return lines;
}

void CLayerSelectDialog::OnOK() {
    if (m_selected < 0 || m_rows[static_cast<std::size_t>(m_selected)] < 0) return;
    m_owner.SetLayer(m_rows[static_cast<std::size_t>(m_selected)]);
}

void CLayerSelectDialog::ApplySelection(int number) {
    if (const std::optional<SIZE> size = GetShownSize()) m_owner.SetDialogSize(*size);
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
