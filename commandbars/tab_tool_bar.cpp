#include "commandbars/tab_tool_bar.h"

#include "commandbars/command_bars.h"
#include "platform/kernel.h"
#include "services/command_bars.h"
#include "services/main_frame.h"

using Korvo::UI::TabbableToolBar;

IMPLEMENT_DYNCREATE(CKVTabToolBar, TabbableToolBar)

namespace {

constexpr UINT kStartQuestion = 41751;
constexpr UINT kToolBarModeCommand = 1075;
constexpr UINT kUndoCommand = 1115;
constexpr UINT kRedoCommand = 1117;
constexpr DWORD kDockAnywhere = 63;

// The ids of a tab's controls in bar order, a 0 (the next begins a group) before each control
// that begins one; without the starting part when `withStart` is false (everything up to the
// last undo or redo).
std::vector<UINT> TabButtons(const CXTPControls* controls, const CString& caption, bool withStart) {
    std::vector<UINT> ids;
    std::size_t startEnd = 0;
    for (int i = 0; i < controls->GetCount(); ++i) {
        const CXTPControl* control = controls->GetAt(i);
        const auto id = static_cast<UINT>(control->GetID());
        if (control->GetCategory() != caption || id == kToolBarModeCommand) continue;
        if (control->GetBeginGroup() && !ids.empty()) ids.push_back(0);
        ids.push_back(id);
        if (id == kUndoCommand || id == kRedoCommand) startEnd = ids.size();
    }
    if (!withStart && startEnd > 0) ids.erase(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(startEnd));
    // A bar does not start with a group mark.
    while (!ids.empty() && ids.front() == 0) ids.erase(ids.begin());
    return ids;
}

}  // namespace

CKVTabToolBar::CKVTabToolBar() {
    // What the user set comes with the saved layout; nothing is on before.
    ShowTabs(false);
    SetLocked(false);
    SetLargeIcons(false);
    ShowPrompts(false);
    SetStandardFont(false);
}

void CKVTabToolBar::appendRecord(TabItem* item, CommandSet record) {
    records_.push_back(std::move(record));
    if (item) item->data = records_.size();
}

void CKVTabToolBar::AttachRecord(TabItem* item, const GUID& id, bool visible, bool user) {
    CommandSet record;
    record.id = Korvo::UniqueIdentifier(id);
    record.visible = visible;
    record.user = user;
    appendRecord(item, std::move(record));
}

CKVTabToolBar::CommandSet* CKVTabToolBar::recordOf(int tab) {
    const TabItem* item = GetItem(tab);
    if (!item || item->data == 0 || item->data > records_.size()) return nullptr;
    return &records_[item->data - 1];
}

const CKVTabToolBar::CommandSet* CKVTabToolBar::GetCommandSet(int tab) const {
    return const_cast<CKVTabToolBar*>(this)->recordOf(tab);
}

GUID CKVTabToolBar::GetTabIdentifier(int tab) const {
    const CommandSet* record = GetCommandSet(tab);
    return record ? record->id.Get() : GUID{};
}

bool CKVTabToolBar::IsCustomizeVisible(int tab) const {
    const CommandSet* record = GetCommandSet(tab);
    return record ? record->visible : TabbableToolBar::IsCustomizeVisible(tab);
}

void CKVTabToolBar::SetCustomizeVisible(int tab, bool visible) {
    if (CommandSet* record = recordOf(tab)) record->visible = visible;
    TabbableToolBar::SetCustomizeVisible(tab, visible);
}

bool CKVTabToolBar::IsUserItem(int tab) const {
    const CommandSet* record = GetCommandSet(tab);
    return record && record->user;
}

void CKVTabToolBar::SetAccel(int tab, int modifiers, int key) {
    if (CommandSet* record = recordOf(tab)) {
        record->accelModifiers = modifiers;
        record->accelKey = key;
    }
}

int CKVTabToolBar::GetAccelModifiers(int tab) const {
    const CommandSet* record = GetCommandSet(tab);
    return record ? record->accelModifiers : 0;
}

int CKVTabToolBar::GetAccelKey(int tab) const {
    const CommandSet* record = GetCommandSet(tab);
    return record ? record->accelKey : 0;
}

CXTPTabToolBar::TabItem* CKVTabToolBar::AddTab(LPCWSTR name, const UINT* ids, int count, BOOL loadIcons) {
    TabItem* item = InsertCategory(name, ids, count, loadIcons);
    if (!item) return nullptr;
    CommandSet record;
    record.id = Korvo::UniqueIdentifier::Generate();
    record.user = true;
    appendRecord(item, std::move(record));
    SetItemVisible(IndexOf(item), true);
    return item;
}

void CKVTabToolBar::RenameCategory(const CString& oldName, const CString& newName) {
    CXTPControls* controls = GetControls();
    for (int i = 0; i < controls->GetCount(); ++i)
        if (controls->GetAt(i)->GetCategory() == oldName) controls->GetAt(i)->SetCategory(newName);
    UpdateTabControls();
}

bool CKVTabToolBar::CreateToolBarFromTab(const TabItem* tab) {
    if (!tab || IndexOf(tab) < 0) return false;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    auto* bars = frame ? dynamic_cast<CKVCommandBars*>(frame->GetCommandBars()) : nullptr;
    CFrameWnd* site = frame ? frame->AsWindow() : nullptr;
    // Only a frame's own command bars of the program's class take such bars.
    if (!bars || !site) return false;
    const bool withStart = KVMessageBox::Show(KVLoadString(kStartQuestion), MB_YESNO | MB_ICONQUESTION) == IDYES;
    const CString caption = tab->caption;
    const std::vector<UINT> ids = TabButtons(GetControls(), caption, withStart);
    if (bars->FindToolBar(caption)) {
        CString text;
        text.Format(XTPResourceString(XTP_IDS_TOOLBAR_EXISTS), caption.GetString());
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
        return false;
    }
    UINT barId = kFirstTabBarId;
    while (barId <= kLastTabBarId && bars->GetToolBar(barId)) ++barId;
    if (barId > kLastTabBarId) {
        AfxMessageBox(XTPResourceString(XTP_IDS_NO_FREE_TOOLBAR_ID), MB_OK | MB_ICONWARNING);
        return false;
    }
    CXTPToolBar* bar = bars->AddCustomBar(caption, barId, kDockAnywhere, ids.data(), static_cast<int>(ids.size()), TRUE);
    if (!bar) return false;
    site->SendMessage(XTPWM_CUSTOMBARADDED, 0, reinterpret_cast<LPARAM>(bar));
    return true;
}

BOOL CKVTabToolBar::ShouldSerializeBar() {
    // Until the active frame was shown for the first time the bar's state is not settled yet; a
    // frame hidden later (minimised, another screen mode) saves as the toolkit decides.
    const auto* frame = dynamic_cast<const MainFrameServices*>(UIModuleProxy::Instance().GetActiveMainFrame());
    if (frame && !frame->IsShown()) return TRUE;
    if (CXTPCommandBars* bars = GetCommandBars())
        if ((bars->GetCommandBarsOptions()->bLargeIcons != FALSE) != IsLargeIcons()) return TRUE;
    return TabbableToolBar::ShouldSerializeBar();
}

void CKVTabToolBar::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    TabbableToolBar::DoPropExchange(px);
    bool showTabs = IsTabsShown(), lock = IsLocked(), largeIcons = IsLargeIcons(), prompts = IsPromptsShown(),
         standardFont = IsStandardFont();
    PX_Bool(px, L"ShowTabs", showTabs, false);
    PX_Bool(px, L"Lock", lock, false);
    PX_Bool(px, L"LargeIcons", largeIcons, false);
    PX_Bool(px, L"ShowPrompts", prompts, false);
    PX_Bool(px, L"StandardFont", standardFont, false);
    PX_UniqueIdentifier(px, L"DefaultState", defaultState_);
    CXTPPropExchangeSection sets(px->GetSection(L"CommandSet"));
    if (px->IsLoading()) {
        ShowTabs(showTabs);
        SetLocked(lock);
        SetLargeIcons(largeIcons);
        ShowPrompts(prompts);
        SetStandardFont(standardFont);
        // The toolkit's exchange replaced the tab items; the records they named go with them,
        // so a bar loaded twice never holds a set twice.
        records_.clear();
        int count = 0;
        PX_Int(sets.get(), L"TabCount", count, 0);
        CXTPPropExchangeEnumeratorPtr enumerator = sets->GetEnumerator(L"Tab");
        POSITION position = enumerator->GetPosition();
        while (position) {
            CXTPPropExchange* section = enumerator->GetNext(position);
            CommandSet record;
            CString name;
            PX_String(section, L"TabName", name);
            PX_Bool(section, L"Visible", record.visible, true);
            PX_Bool(section, L"User", record.user, false);
            PX_UniqueIdentifier(section, L"ID", record.id);
            PX_Int(section, L"AccelMod", record.accelModifiers, 0);
            PX_Int(section, L"AccelKey", record.accelKey, 0);
            record.name = name;
            const bool visible = record.visible;
            TabItem* item = AddTabItem(name);
            appendRecord(item, std::move(record));
            SetItemVisible(IndexOf(item), visible);
        }
        UpdateTabControls();
        // The loaded modes' keys select them.
        UpdateAccelerators();
        return;
    }
    int count = GetItemCount();
    PX_Int(sets.get(), L"TabCount", count);
    CXTPPropExchangeEnumeratorPtr enumerator = sets->GetEnumerator(L"Tab");
    POSITION position = enumerator->GetPosition(static_cast<DWORD>(count));
    for (int tab = 0; tab < count; ++tab) {
        CXTPPropExchange* section = enumerator->GetNext(position);
        CommandSet record = GetCommandSet(tab) ? *GetCommandSet(tab) : CommandSet{};
        CString caption = GetItem(tab)->caption;
        PX_UniqueIdentifier(section, L"ID", record.id);
        PX_String(section, L"TabName", caption);
        PX_Bool(section, L"Visible", record.visible);
        PX_Bool(section, L"User", record.user);
        PX_Int(section, L"AccelMod", record.accelModifiers);
        PX_Int(section, L"AccelKey", record.accelKey);
    }
}

void CKVTabToolBar::Copy(CXTPCommandBar* source, BOOL recursive) {
    TabbableToolBar::Copy(source, recursive);
    const auto* other = dynamic_cast<const CKVTabToolBar*>(source);
    if (!other || other == this) return;
    records_ = other->records_;
    defaultState_ = other->defaultState_;
    ShowTabs(other->IsTabsShown());
    SetLocked(other->IsLocked());
    SetLargeIcons(other->IsLargeIcons());
    ShowPrompts(other->IsPromptsShown());
    SetStandardFont(other->IsStandardFont());
}

std::wstring MakeToolBarFromTab(HWND frame, const std::wstring& caption) {
    Korvo::UI::MainFrame* main = UIModuleProxy::Instance().GetMainFrameOf(frame);
    CXTPCommandBars* bars = main ? main->GetCommandBars() : nullptr;
    CKVTabToolBar* tabs = nullptr;
    for (int i = 0; bars && i < bars->GetCount() && !tabs; ++i) tabs = dynamic_cast<CKVTabToolBar*>(bars->GetAt(i));
    if (!tabs) return L"the frame has no tabbed main bar";
    for (int tab = 0; tab < tabs->GetItemCount(); ++tab)
        if (tabs->GetItem(tab)->caption == caption.c_str()) {
            tabs->CreateToolBarFromTab(tabs->GetItem(tab));
            return {};
        }
    return L"the tabbed main bar has no tab \"" + caption + L"\"";
}
