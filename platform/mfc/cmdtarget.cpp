#include "platform/mfc/cmdtarget.h"

#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

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

// The framework's table of handler lookups: a map chain never changes, so what a walk of it found
// (or that it found nothing) for a lookup holds for good. Each chain keeps the answers of its own
// lookups, so that an update pass, which asks every chain about the same few ids again and again,
// finds each answer with one probe of a small table; nothing is ever pushed out. One set of
// tables per thread: no lock on the way of every update pass.
struct LookupKey {
    UINT message;
    UINT code;
    UINT id;
    bool command;  // a command or notification (ids and ranges count), or a plain message
    bool operator==(const LookupKey&) const = default;
};

// Its high bits are the slot: a multiplication mixes every bit of the key into them.
std::uint64_t hashOf(const LookupKey& key) {
    const std::uint64_t messageAndCode = (std::uint64_t{key.message} << 32) | key.code;
    return (messageAndCode * 0x9E3779B97F4A7C15ull) ^ ((std::uint64_t{key.id} * 2 + key.command) * 0xC2B2AE3D27D4EB4Full);
}

class ChainAnswers {
public:
    explicit ChainAnswers(const AFX_MSGMAP* map) : map_(map), slots_(16) {}

    template <class Matches>
    const AFX_MSGMAP_ENTRY* find(const LookupKey& key, Matches matches) {
        if (const Slot& slot = probe(key); slot.used) return slot.entry;
        const AFX_MSGMAP_ENTRY* entry = findInChain(map_, matches);
        if (2 * (used_ + 1) > slots_.size()) grow();
        if (Slot& slot = probe(key); !slot.used) {
            slot = Slot{key, entry, true};
            ++used_;
        }
        return entry;
    }

private:
    struct Slot {
        LookupKey key{};
        const AFX_MSGMAP_ENTRY* entry = nullptr;
        bool used = false;
    };

    Slot& probe(const LookupKey& key) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = static_cast<std::size_t>(hashOf(key) >> shift_);; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.used || slot.key == key) return slot;
        }
    }

    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        --shift_;
        for (const Slot& slot : old)
            if (slot.used) probe(slot.key) = slot;
    }

    const AFX_MSGMAP* map_;
    std::vector<Slot> slots_;  // open addressing, at most half full
    std::size_t used_ = 0;
    int shift_ = 60;  // of a hash, to its slot: 64 less the bits of the table's size
};

// The thread's tables; a plain pointer, so that lookups made while the thread's (or the
// process's) objects are destroyed still find it gone rather than destroyed. A few slots by map
// answer the maps of one update pass without hashing into the whole table: two ways a slot, and
// the map's address mixed before it picks one, since maps laid out at even distances would
// otherwise take turns pushing each other out on every control of the pass.
struct ThreadAnswers {
    struct Recent {
        const AFX_MSGMAP* map = nullptr;
        ChainAnswers* answers = nullptr;
    };
    static constexpr int kSetBits = 5;
    std::array<std::array<Recent, 2>, std::size_t{1} << kSetBits> recent{};
    std::unordered_map<const AFX_MSGMAP*, std::unique_ptr<ChainAnswers>> all;

    ChainAnswers& of(const AFX_MSGMAP* map) {
        auto& set = recent[(reinterpret_cast<std::uintptr_t>(map) * 0x9E3779B97F4A7C15ull) >> (64 - kSetBits)];
        if (set[0].map == map) return *set[0].answers;
        if (set[1].map == map) return *set[1].answers;
        return remember(map, set);
    }

    // The newer of the two stays first; the older one goes.
    [[gnu::noinline]] ChainAnswers& remember(const AFX_MSGMAP* map, std::array<Recent, 2>& set) {
        std::unique_ptr<ChainAnswers>& answers = all[map];
        if (!answers) answers = std::make_unique<ChainAnswers>(map);
        set[1] = set[0];
        set[0] = Recent{map, answers.get()};
        return *answers;
    }
};

thread_local ThreadAnswers* threadAnswers = nullptr;
thread_local bool threadEnding = false;

struct ReleaseAnswers {
    ~ReleaseAnswers() {
        delete threadAnswers;
        threadAnswers = nullptr;
        threadEnding = true;
    }
};

template <class Matches>
const AFX_MSGMAP_ENTRY* answeredFind(const AFX_MSGMAP* map, const LookupKey& key, Matches matches) {
    if (threadAnswers == nullptr) {
        if (threadEnding) return findInChain(map, matches);
        thread_local ReleaseAnswers release;
        threadAnswers = new ThreadAnswers;
    }
    return threadAnswers->of(map).find(key, matches);
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
    const AFX_MSGMAP_ENTRY* entry = answeredFind(map, LookupKey{message, code, nID, true}, [&](const AFX_MSGMAP_ENTRY& e) {
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
    return answeredFind(map, LookupKey{message, 0, 0, false}, matches);
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
