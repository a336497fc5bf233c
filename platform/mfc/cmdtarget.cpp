#include "platform/mfc/cmdtarget.h"

#include <cstdint>

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

// The framework's cache of handler lookups: a map chain never changes, so what a search of it
// found (or that it found nothing) for a message, code and id holds for good. One per thread:
// no lock on the way of every update pass. A map is never null, which marks an empty slot.
struct LookupKey {
    const AFX_MSGMAP* map;
    UINT message;
    UINT code;
    UINT id;
    bool operator==(const LookupKey&) const = default;
};

// Direct-mapped: a lookup costs a hash and one comparison; two keys of one slot take turns.
constexpr std::size_t kCacheSlots = 4096;

std::size_t slotOf(const LookupKey& key) {
    std::uint64_t hash = reinterpret_cast<std::uintptr_t>(key.map);
    for (UINT part : {key.message, key.code, key.id}) hash = (hash ^ part) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(hash >> 52) & (kCacheSlots - 1);
}

struct CachedLookup {
    LookupKey key{};
    const AFX_MSGMAP_ENTRY* entry = nullptr;
};

// The thread's slots; plain values, so that lookups made while the thread's (or the process's)
// objects are destroyed still find them gone rather than destroyed.
thread_local CachedLookup* threadSlots = nullptr;
thread_local bool threadEnding = false;

struct ReleaseSlots {
    ~ReleaseSlots() {
        delete[] threadSlots;
        threadSlots = nullptr;
        threadEnding = true;
    }
};

template <class Visit>
const AFX_MSGMAP_ENTRY* cachedFind(const AFX_MSGMAP* map, const LookupKey& key, Visit visit) {
    if (threadEnding) return findInChain(map, visit);
    if (threadSlots == nullptr) {
        thread_local ReleaseSlots release;
        threadSlots = new CachedLookup[kCacheSlots]();
    }
    CachedLookup& slot = threadSlots[slotOf(key)];
    if (slot.key.map != nullptr && slot.key == key) return slot.entry;
    slot.key = key;
    slot.entry = findInChain(map, visit);
    return slot.entry;
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

    const AFX_MSGMAP* map = GetMessageMap();
    const AFX_MSGMAP_ENTRY* entry = cachedFind(map, LookupKey{map, message, code, nID}, [&](const AFX_MSGMAP_ENTRY& e) {
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
    const AFX_MSGMAP* map = GetMessageMap();
    auto matches = [&](const AFX_MSGMAP_ENTRY& e) {
        if (e.nMessage == AFX_REGISTERED_MESSAGE) {
            return message >= AFX_REGISTERED_MESSAGE && e.pRegisteredMessage && *e.pRegisteredMessage == message;
        }
        return e.nMessage == message && e.nCode == 0 && e.nID == 0 && e.nLastID == 0;
    };
    // A registered message's entry reads its variable, which may be set later: never cached.
    if (message >= AFX_REGISTERED_MESSAGE) return findInChain(map, matches);
    return cachedFind(map, LookupKey{map, message, 0, 0}, matches);
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindThreadMessageEntry(UINT message) const {
    return findInChain(GetMessageMap(), [&](const AFX_MSGMAP_ENTRY& e) {
        return e.nMessage == message && e.nCode == AFX_THREAD_MESSAGE_CODE;
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
