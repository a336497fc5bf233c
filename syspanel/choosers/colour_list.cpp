#include "syspanel/choosers/colour_list.h"

#include <algorithm>

#include "platform/toolkit.h"
#include "syspanel/choosers/colour_words.h"

namespace {

// What the list box holds as an item's text: the index of a table colour, the parts of a true
// one (the drawing shows the name).
CString itemText(std::int32_t word) {
    if (!IsColourIndex(word)) return ColourWordText(word);
    CString text;
    text.Format(L"%u", static_cast<unsigned>(word));
    return text;
}

int averageCharWidth(HDC dc) {
    TEXTMETRICW metrics{};
    return dc && ::GetTextMetricsW(dc, &metrics) ? static_cast<int>(metrics.tmAveCharWidth) : 7;
}

}  // namespace

LRESULT CColorListControl::listProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CColorListControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->m_list != hwnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC own = self->m_listProc;
    // The keys move the selection here, without choosing: the list box would tell a choice.
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        self->OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    }
    // Enter accepts the selection, as the dialog's default button would.
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        ::SendMessageW(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    if (message == WM_NCDESTROY) self->detach();
    return ::CallWindowProcW(own, hwnd, message, wParam, lParam);
}

void CColorListControl::detach() {
    if (m_list && m_listProc && ::IsWindow(m_list)) {
        ::SetWindowLongPtrW(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_listProc));
        ::SetWindowLongPtrW(m_list, GWLP_USERDATA, 0);
    }
    m_listProc = nullptr;
    m_list = nullptr;
}

void CColorListControl::Attach(HWND list) {
    detach();
    m_list = list;
    if (!m_list) return;
    ::SetWindowLongPtrW(m_list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_listProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(m_list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&listProc)));
    ::SendMessageW(m_list, LB_SETITEMHEIGHT, 0, MAKELPARAM(XTPDpiHelper()->ScaleY(kItemHeight), 0));
    ::SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
    for (const std::int32_t word : m_words) {
        const auto index = ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText(word).GetString()));
        ::SendMessageW(m_list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(word));
    }
    ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(m_selected), 0);
}

void CColorListControl::ResetContent() {
    m_words.clear();
    m_selected = -1;
    if (m_list) ::SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
}

int CColorListControl::AddItem(std::int32_t word) {
    m_words.push_back(word);
    if (m_list) {
        const auto index = ::SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText(word).GetString()));
        ::SendMessageW(m_list, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(word));
    }
    return GetCount() - 1;
}

void CColorListControl::SetCurSel(int index) {
    m_selected = index >= 0 && index < GetCount() ? index : -1;
    if (m_list) ::SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(m_selected), 0);
}

int CColorListControl::FindItem(std::int32_t word) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_words[static_cast<std::size_t>(i)] == word) return i;
    return -1;
}

int CColorListControl::FindItemText(const CString& text) const {
    for (int i = 0; i < GetCount(); ++i)
        if (ColourWordText(m_words[static_cast<std::size_t>(i)]).view() == text.view()) return i;
    return -1;
}

void CColorListControl::OnKeyDown(UINT key) {
    if (GetCount() == 0) return;
    if (key == VK_UP) SetCurSel(m_selected <= 0 ? 0 : m_selected - 1);
    if (key == VK_DOWN) SetCurSel(m_selected < 0 ? 0 : std::min(m_selected + 1, GetCount() - 1));
}

int CColorListControl::WidestNameWidth() const {
    std::size_t longest = 0;
    for (const std::int32_t word : m_words) longest = std::max(longest, ColourWordText(word).view().size());
    const HDC screen = ::GetDC(m_list);
    const int width = static_cast<int>(longest) * averageCharWidth(screen);
    ::ReleaseDC(m_list, screen);
    return width;
}

void CColorListControl::DrawItem(const DRAWITEMSTRUCT& item, int textWidth) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    CDC dc;
    dc.Attach(item.hDC);
    dc.FillSolidRect(&item.rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const auto word = static_cast<std::int32_t>(item.itemData);
    const int swatchWidth = XTPDpiHelper()->ScaleX(kItemWidth) - 4;
    const RECT frame{item.rcItem.left + 2, item.rcItem.top + 2, item.rcItem.left + 2 + swatchWidth, item.rcItem.bottom - 2};
    const RECT swatch{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1};
    dc.FillSolidRect(&frame, text);
    dc.FillSolidRect(&swatch, ColourOfWord(word));
    RECT label{frame.right + 2, item.rcItem.top + 2, frame.right + 2 + textWidth, item.rcItem.bottom};
    const COLORREF previous = dc.SetTextColor(text);
    dc.SetBkMode(TRANSPARENT);
    const CString name = ColourWordText(word);
    dc.DrawText(name, name.GetLength(), &label, DT_LEFT | DT_SINGLELINE);
    dc.SetTextColor(previous);
    dc.Detach();
}
