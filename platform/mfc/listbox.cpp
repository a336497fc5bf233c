#include "platform/mfc/listbox.h"

#include <string>

void CListBox::GetText(int index, CString& text) const {
    const LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        text.Empty();
        return;
    }
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    text = buffer.c_str();
}
