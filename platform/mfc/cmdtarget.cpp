#include "platform/mfc/cmdtarget.h"

#include "platform/mfc/app/app.h"
#include "platform/mfc/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

// Visits the entries of a map chain, most derived first, until `visit` returns true.
template <class Visit>
const AFX_MSGMAP_ENTRY* findInChain(const AFX_MSGMAP* map, Visit visit) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry && entry->pfn; ++entry) {
            if (visit(*entry)) return entry;
        }
    }
    return nullptr;
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // A routed notification packs its message into the high word of the code.
    UINT message = 0;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        message = HIWORD(code);
        code = LOWORD(code);
    }
    if (message == 0) message = WM_COMMAND;

    const AFX_MSGMAP_ENTRY* entry = findInChain(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
        return e.nMessage == message && e.nCode == code && nID >= e.nID && nID <= e.nLastID;
    });
    if (entry == nullptr) return FALSE;
    if (pHandlerInfo != nullptr) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    AFX_MSGCALL call;
    call.message = message;
    call.nID = nID;
    call.nCode = static_cast<int>(code);
    call.pExtra = pExtra;
    return entry->pfn(this, call);
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message) const {
    return findInChain(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
        if (e.nMessage == AFX_REGISTERED_MESSAGE) {
            return message >= AFX_REGISTERED_MESSAGE && e.pRegisteredMessage && *e.pRegisteredMessage == message;
        }
        return e.nMessage == message && e.nCode == 0 && e.nID == 0 && e.nLastID == 0;
    });
}

void CCmdTarget::BeginWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

DWORD CCmdTarget::InternalAddRef() { return static_cast<DWORD>(++m_dwRef); }

DWORD CCmdTarget::InternalRelease() {
    if (m_dwRef <= 0) return 0;
    const LONG remaining = --m_dwRef;
    if (remaining == 0) OnFinalRelease();
    return static_cast<DWORD>(remaining);
}

void CCmdTarget::OnFinalRelease() { delete this; }

// ---- CCmdUI ----------------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn) {
    m_stateEnabled = bOn ? TRUE : FALSE;
    if (m_pOther != nullptr) m_pOther->EnableWindow(m_stateEnabled);
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) { m_stateCheck = nCheck; }

void CCmdUI::SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }

void CCmdUI::SetText(LPCWSTR lpszText) {
    m_stateText = lpszText;
    m_stateTextChanged = TRUE;
    if (m_pOther == nullptr) return;
    CString current;
    m_pOther->GetWindowText(current);
    if (current != m_stateText) m_pOther->SetWindowText(m_stateText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
    // Id 0 and the 0xFFFF separators carry no command.
    if (pTarget == nullptr || m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        const BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return handled;
}

// ---- CWaitCursor -----------------------------------------------------------------------------

CWaitCursor::CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}

void CWaitCursor::Restore() {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}
