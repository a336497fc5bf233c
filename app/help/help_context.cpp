// The nested help context that dialogs and commands push and pop.
#include "app/kvw32_app.h"

UINT CKvw32App::SetHelpContext(UINT helpId, LPCWSTR helpFile, int delta) {
    const UINT previous = m_helpId;
    const bool replace = delta >= 0 ? m_helpLevel == 0 : m_helpLevel + delta == 0;
    if (replace) {
        m_helpId = helpId;
        m_helpFile = helpFile ? helpFile : L"";
    }
    m_helpLevel += delta;
    return previous;
}
