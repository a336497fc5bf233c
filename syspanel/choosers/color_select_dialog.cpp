#include "syspanel/choosers/color_select_dialog.h"

#include <algorithm>

#include "platform/mfc/dialogs/colordialog.h"
#include "syspanel/choosers/colour_words.h"
#include "syspanel/parameter_controls.h"

namespace {

// The client area the template gives, and the lists' share of it.
constexpr int kDefaultWidth = 200;
constexpr int kDefaultHeight = 300;
constexpr int kDefaultStandardHeight = 190;
constexpr int kDefaultUserHeight = 70;
constexpr int kBasicColours = 16;

CString section(const wchar_t* leaf) { return KVGetColorsCurrentSectionName() + L"\\" + leaf; }

int profileInt(const CString& sectionName, const wchar_t* entry, int fallback) {
    return static_cast<int>(AfxGetApp()->GetProfileInt(sectionName, entry, fallback));
}

}  // namespace

void CColorSelectDialog::Open(HWND frame, std::int32_t current) {
    m_frame = frame;
    m_current = current;
    m_closing = false;
    m_colourDialogOpen = false;
    m_userVisible = true;
    m_user.m_visible = true;
    no_set_focus_color_dlg = true;
    readState();
    fillStandardList();
    fillUserList();
    m_open = true;
    MarkOpen();
}

void CColorSelectDialog::readState() {
    const CString dialog = section(L"SelectColorDialog");
    m_width = std::max(150, profileInt(dialog, L"Width", kDefaultWidth));
    m_height = std::max(150, profileInt(dialog, L"Height", kDefaultHeight));
    m_standard.m_height = profileInt(dialog, L"StandartH", kDefaultStandardHeight);
    m_user.m_height = profileInt(dialog, L"UserH", kDefaultUserHeight);
    m_show256 = profileInt(dialog, L"Show256", 1) != 0;
    m_show256Enabled = true;
    // A colour past the basic ones could not be shown among 16.
    if (!m_show256 && m_current >= kBasicColours && m_current <= 255) {
        m_show256 = true;
        m_show256Enabled = false;
    }
    const CString custom = section(L"CustomColors");
    for (int i = 0; i < 16; ++i) {
        const std::wstring entry = L"Color" + std::to_wstring(i);
        m_custom[static_cast<std::size_t>(i)] = static_cast<COLORREF>(profileInt(custom, entry.c_str(), 0));
    }
}

void CColorSelectDialog::writeState() {
    const CString dialog = section(L"SelectColorDialog");
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(dialog, L"Width", m_width);
    app->WriteProfileInt(dialog, L"Height", m_height);
    if (m_show256Enabled) app->WriteProfileInt(dialog, L"Show256", m_show256 ? 1 : 0);
    if (m_userVisible) {
        app->WriteProfileInt(dialog, L"StandartH", m_standard.m_height);
        app->WriteProfileInt(dialog, L"UserH", m_user.m_height);
    }
}

void CColorSelectDialog::writeCustomColours() {
    const CString custom = section(L"CustomColors");
    for (int i = 0; i < 16; ++i) {
        const std::wstring entry = L"Color" + std::to_wstring(i);
        AfxGetApp()->WriteProfileInt(custom, entry.c_str(), static_cast<int>(m_custom[static_cast<std::size_t>(i)]));
    }
}

void CColorSelectDialog::fillStandardList() {
    const CColorTable* table = GetColorTable();
    const int count = table ? static_cast<int>(table->GetCount()) : 0;
    m_standardCount = m_show256 ? count : std::min(count, kBasicColours);
    m_standard.ResetContent();
    for (int index = 0; index < m_standardCount; ++index) m_standard.AddItem(index);
    m_standard.SetCurSel(m_standard.FindItem(m_current));
}

void CColorSelectDialog::fillUserList() {
    m_user.ResetContent();
    for (COLORREF& colour : m_custom) {
        const std::int32_t word = TrueColourWord(colour);
        // A colour shown once already (or none) is cleared, so the array has no doubles either.
        if (colour == 0 || m_user.FindItem(word) >= 0) {
            colour = 0;
            continue;
        }
        const int index = m_user.AddItem(word);
        if (word == m_current) m_user.SetCurSel(index);
    }
    if (m_standard.GetCurSel() < 0 && m_user.GetCurSel() < 0) m_user.SetCurSel(m_user.AddItem(m_current));
    if (m_user.GetCount() == 0) {
        m_user.m_visible = false;
        m_userVisible = false;
        m_standard.m_height += m_user.m_height;
    }
}

std::optional<std::wstring> CColorSelectDialog::Pick(const std::wstring& item) {
    if (item == kShow256Text) {
        if (!m_show256Enabled) return std::wstring(L"the check box \"Show256\" is disabled");
        m_show256 = !m_show256;
        OnShow256();
        return std::nullopt;
    }
    if (item == kOtherColourText) {
        OnOtherColour();
        return std::nullopt;
    }
    const CString text(item.c_str());
    if (const int index = m_standard.FindItemText(text); index >= 0) {
        OnSelChange(kStandardList, index);
        return std::nullopt;
    }
    if (const int index = m_user.m_visible ? m_user.FindItemText(text) : -1; index >= 0) {
        OnSelChange(kUserList, index);
        return std::nullopt;
    }
    return L"the colour pop-up shows no \"" + item + L"\"";
}

void CColorSelectDialog::OnSelChange(int listId, int index) {
    CColorListControl& list = listId == kStandardList ? m_standard : m_user;
    CColorListControl& other = listId == kStandardList ? m_user : m_standard;
    list.SetCurSel(index);
    // The other list keeps its selection while it has no focus; left there it would win over
    // the colour just clicked.
    other.SetCurSel(-1);
    if (list.GetCurSel() >= 0) m_current = list.GetItemData(list.GetCurSel());
    OnOK();
}

void CColorSelectDialog::OnOK() {
    if (m_standard.GetCurSel() >= 0) {
        m_owner.SetColor(m_standard.GetItemData(m_standard.GetCurSel()), true);
    } else if (m_user.GetCurSel() >= 0) {
        m_owner.SetColor(m_user.GetItemData(m_user.GetCurSel()), true);
    } else {
        m_owner.ClosePopup();
    }
}

void CColorSelectDialog::OnShow256() { fillStandardList(); }

void CColorSelectDialog::OnOtherColour() {
    CColorDialog dialog(ColourOfWord(m_current) & 0xFFFFFFu, CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR);
    dialog.m_cc.hwndOwner = m_frame;
    dialog.m_cc.lpCustColors = m_custom.data();
    m_colourDialogOpen = true;
    const INT_PTR result = dialog.DoModal();
    m_colourDialogOpen = false;
    if (result != IDOK) {
        m_owner.ClosePopup();
        return;
    }
    m_current = TrueColourWord(dialog.GetColor());
    writeCustomColours();
    int index = m_user.FindItem(m_current);
    if (index < 0) index = m_user.AddItem(m_current);
    m_user.SetCurSel(index);
    m_standard.SetCurSel(-1);
    m_owner.SetColor(m_current, true);
}

void CColorSelectDialog::OnSize(int width, int height) {
    width = std::max(150, width);
    height = std::max(150, height);
    const int dy = height - m_height;
    m_width = width;
    m_height = height;
    if (m_standard.m_height + dy >= 11 || !m_userVisible)
        m_standard.m_height = std::max(11, m_standard.m_height + dy);
    else
        m_user.m_height = std::max(11, m_user.m_height + dy);
}

bool CColorSelectDialog::DragSplitter(int dy) {
    if (!m_userVisible) return false;
    if (m_standard.m_height + dy <= 10 || m_user.m_height - dy <= 10) return false;
    m_standard.m_height += dy;
    m_user.m_height -= dy;
    return true;
}

void CColorSelectDialog::Deactivate() {
    if (!m_open || m_closing || m_colourDialogOpen) return;
    m_owner.ClosePopup();
}

void CColorSelectDialog::Close() {
    if (!m_open) return;
    m_closing = true;
    writeState();
    no_set_focus_color_dlg = false;
    m_open = false;
    MarkClosed();
}
