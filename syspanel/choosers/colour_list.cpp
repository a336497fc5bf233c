#include "syspanel/choosers/colour_list.h"

#include <algorithm>

#include "syspanel/choosers/colour_words.h"

int CColorListControl::AddItem(std::int32_t word) {
    m_words.push_back(word);
    return GetCount() - 1;
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
