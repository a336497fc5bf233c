#include "platform/toolkit/commandbars/ribbon.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>

#include "platform/core/record.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/commandbars/gallery.h"

IMPLEMENT_DYNCREATE(CXTPRibbonGroup, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPRibbonTab, CCmdTarget)
IMPLEMENT_DYNCREATE(CXTPRibbonControlTab, CXTPControl)
IMPLEMENT_DYNCREATE(CXTPRibbonBackstageView, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPRibbonControlSystemButton, CXTPControlPopup)
IMPLEMENT_DYNCREATE(CXTPRibbonTabPopupToolBar, CXTPPopupBar)
IMPLEMENT_DYNCREATE(CXTPRibbonBar, CXTPToolBar)

// ---- Groups and tabs ---------------------------------------------------------------------------

CXTPRibbonGroup::CXTPRibbonGroup() : controls_(new CXTPControls) {}

CXTPRibbonGroup::~CXTPRibbonGroup() {
    controls_->RemoveAll();
    controls_->InternalRelease();
}

CXTPControl* CXTPRibbonGroup::Add(XTPControlType type, int id, LPCWSTR parameter, int before) {
    return controls_->Add(type, id, parameter, before);
}

CXTPControl* CXTPRibbonGroup::Add(CXTPControl* control, int id, LPCWSTR parameter, int before) {
    return controls_->Add(control, id, parameter, before);
}

CXTPRibbonBar* CXTPRibbonGroup::GetRibbonBar() const { return tab_ ? tab_->GetRibbonBar() : nullptr; }

int CXTPRibbonGroup::GetIndex() const {
    if (!tab_) return -1;
    for (int i = 0; i < tab_->GetGroupCount(); ++i)
        if (tab_->GetGroup(i) == this) return i;
    return -1;
}

namespace {

// A group that leaves its ribbon (removed, or its tab removed) may outlive it in another holder's
// hands: its controls stop naming the ribbon as their bar and their edit windows go.
void detachFromRibbon(CXTPRibbonGroup* group) {
    CXTPControls* controls = group->GetControls();
    controls->SetParent(nullptr);
    for (int i = 0; i < controls->GetCount(); ++i)
        if (auto* edit = dynamic_cast<CXTPControlEdit*>(controls->GetAt(i))) edit->ShowEditWindow(FALSE);
}

}  // namespace

CXTPRibbonTab::~CXTPRibbonTab() {
    for (CXTPRibbonGroup* group : groups_) {
        group->tab_ = nullptr;
        detachFromRibbon(group);
        group->InternalRelease();
    }
}

void CXTPRibbonTab::SetVisible(BOOL visible) {
    visible_ = visible;
    if (visible || !ribbon_ || ribbon_->GetCurrentTab() != this) return;
    // The selected tab goes: the nearest visible tab takes its place.
    const int index = GetIndex();
    for (int i = index + 1; i < ribbon_->GetTabCount(); ++i)
        if (ribbon_->GetTab(i)->IsVisible()) {
            ribbon_->SetCurrentTab(ribbon_->GetTab(i));
            return;
        }
    for (int i = index - 1; i >= 0; --i)
        if (ribbon_->GetTab(i)->IsVisible()) {
            ribbon_->SetCurrentTab(ribbon_->GetTab(i));
            return;
        }
}

CXTPRibbonGroup* CXTPRibbonTab::AddGroup(LPCWSTR caption, int id) {
    CXTPRibbonGroup* group = InsertGroup(ribbon_ ? ribbon_->GetGroupClass() : RUNTIME_CLASS(CXTPRibbonGroup), -1);
    if (!group) return nullptr;
    group->SetCaption(caption);
    group->SetID(id);
    return group;
}

CXTPRibbonGroup* CXTPRibbonTab::InsertGroup(CRuntimeClass* groupClass, int before) {
    CObject* object = groupClass ? groupClass->CreateObject() : nullptr;
    auto* group = dynamic_cast<CXTPRibbonGroup*>(object);
    if (!group) {
        delete object;
        platform::core::reportFailure(L"CXTPRibbonTab::InsertGroup: the group class is not a ribbon group");
        return nullptr;
    }
    group->tab_ = this;
    group->GetControls()->SetParent(ribbon_);
    if (before < 0 || before >= GetGroupCount()) groups_.push_back(group);
    else groups_.insert(groups_.begin() + before, group);
    if (ribbon_) ribbon_->OnControlsChanged();
    return group;
}

CXTPRibbonGroup* CXTPRibbonTab::GetGroup(int index) const {
    if (index < 0 || index >= GetGroupCount()) return nullptr;
    return groups_[static_cast<std::size_t>(index)];
}

void CXTPRibbonTab::RemoveGroup(int index) {
    CXTPRibbonGroup* group = GetGroup(index);
    if (!group) return;
    groups_.erase(groups_.begin() + index);
    group->tab_ = nullptr;
    detachFromRibbon(group);
    group->InternalRelease();
    if (ribbon_) ribbon_->OnControlsChanged();
}

int CXTPRibbonTab::GetIndex() const {
    if (!ribbon_) return -1;
    for (int i = 0; i < ribbon_->GetTabCount(); ++i)
        if (ribbon_->GetTab(i) == this) return i;
    return -1;
}

BOOL CXTPRibbonTab::IsSelected() const { return ribbon_ && ribbon_->GetCurrentTab() == this; }

// ---- Tab row, system button, backstage ---------------------------------------------------------

CXTPRibbonControlTab::CXTPRibbonControlTab() : CXTPControl(xtpControlCustom) {
    CXTPCommandBar* bar = new CXTPCommandBar;
    SetCommandBar(bar);
    bar->InternalRelease();
}

CString CXTPRibbonControlTab::GetItemTooltip(const CXTPRibbonTab*) const { return CString(); }

void CXTPRibbonControlTab::Copy(CXTPControl* source, BOOL recursive) {
    // The tab row keeps its own bar: only the control's fields come over.
    CXTPCommandBar* own = GetCommandBar();
    if (own) own->InternalAddRef();
    CXTPControl::Copy(source, recursive);
    SetCommandBar(own);
    if (own) own->InternalRelease();
}

CXTPRibbonBackstageView::CXTPRibbonBackstageView() { SetVisible(FALSE); }

int CXTPRibbonBackstageView::GetDefaultItem() const {
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        if (tabs_[i].defaultItem) return static_cast<int>(i);
    return -1;
}

void CXTPRibbonBackstageView::SetDefaultItem(int index) {
    for (std::size_t i = 0; i < tabs_.size(); ++i) tabs_[i].defaultItem = static_cast<int>(i) == index;
}

int CXTPRibbonBackstageView::GetActiveTab() const {
    const int index = open_ ? activeIndex_ : lastActive_;
    return index >= 0 && index < static_cast<int>(tabs_.size()) ? tabs_[index].id : 0;
}

BOOL CXTPRibbonBackstageView::SetActiveTab(int id) {
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        if (tabs_[i].id == id && tabs_[i].visible) return SetActiveIndex(static_cast<int>(i));
    return FALSE;
}

BOOL CXTPRibbonBackstageView::SetActiveIndex(int index) {
    if (index < 0 || index >= static_cast<int>(tabs_.size()) || !tabs_[index].visible) return FALSE;
    lastActive_ = index;
    if (open_ && index != activeIndex_) showPage(index);
    return TRUE;
}

void CXTPRibbonBackstageView::hidePage() {
    if (activeIndex_ < 0 || activeIndex_ >= static_cast<int>(tabs_.size())) return;
    if (CWnd* page = tabs_[activeIndex_].page) {
        if (auto* property = dynamic_cast<CPropertyPage*>(page)) property->OnKillActive();
        if (page->GetSafeHwnd()) page->ShowWindow(SW_HIDE);
    }
    activeIndex_ = -1;
}

void CXTPRibbonBackstageView::showPage(int index) {
    hidePage();
    activeIndex_ = index;
    if (CWnd* page = tabs_[index].page) {
        if (page->GetSafeHwnd()) page->ShowWindow(SW_SHOW);
        if (auto* property = dynamic_cast<CPropertyPage*>(page)) property->OnSetActive();
    }
}

void CXTPRibbonBackstageView::Popup() {
    if (open_) return;
    open_ = TRUE;
    platform::core::recordCall(L"CXTPRibbonBackstageView::Popup()");
    int index = GetDefaultItem();
    if (index < 0 || !tabs_[index].visible) index = lastActive_;
    if (index < 0 || index >= static_cast<int>(tabs_.size()) || !tabs_[index].visible) {
        index = -1;
        for (std::size_t i = 0; i < tabs_.size() && index < 0; ++i)
            if (tabs_[i].visible) index = static_cast<int>(i);
    }
    if (index >= 0) {
        lastActive_ = index;
        showPage(index);
    }
    OnIdleUpdateCmdUI();
}

void CXTPRibbonBackstageView::Close() {
    if (!open_) return;
    hidePage();
    open_ = FALSE;
    platform::core::recordCall(L"CXTPRibbonBackstageView::Close()");
}

void CXTPRibbonBackstageView::Refresh() {
    ++refreshes_;
    platform::core::recordCall(L"CXTPRibbonBackstageView::Refresh()");
}

BOOL CXTPRibbonBackstagePageRecent::CreateFromTemplate(UINT templateId, CWnd* parent) {
    if (templateId != kTemplateId || !parent || !parent->GetSafeHwnd()) return FALSE;
    return CWnd::Create(AfxRegisterWndClass(0), L"Recent", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{0, 0, 0, 0},
                        parent, 0);
}

BOOL CXTPRibbonBackstagePageRecent::OnSetActive() {
    items_.clear();
    CWinApp* app = AfxGetApp();
    if (CRecentFileList* list = app ? app->m_pRecentFileList : nullptr)
        for (int i = 0; i < list->GetSize(); ++i)
            if (!(*list)[i].IsEmpty()) items_.push_back(Item{(*list)[i], FALSE});
    return TRUE;
}

namespace {
std::map<std::wstring, COLORREF>& iniColors() {
    static std::map<std::wstring, COLORREF> colors;
    return colors;
}
}  // namespace

COLORREF XTPIniColor(LPCWSTR section, LPCWSTR key, COLORREF fallback) {
    const auto found = iniColors().find(std::wstring(section) + L"/" + key);
    return found == iniColors().end() ? fallback : found->second;
}

void XTPSetIniColor(LPCWSTR section, LPCWSTR key, COLORREF color) { iniColors()[std::wstring(section) + L"/" + key] = color; }

void CXTPRibbonControlSystemButton::OnExecute() {
    if (!GetEnabled() || !IsVisible()) return;
    if (auto* view = dynamic_cast<CXTPRibbonBackstageView*>(GetCommandBar())) {
        view->Popup();
        return;
    }
    CXTPControl::OnExecute();
}

void CXTPRibbonTabPopupToolBar::FillFromTab(CXTPRibbonTab* tab) {
    if (!tab) return;
    for (int g = 0; g < tab->GetGroupCount(); ++g) {
        CXTPRibbonGroup* group = tab->GetGroup(g);
        CXTPControl* popup = GetControls()->Add(xtpControlPopup, group->GetID());
        popup->SetCaption(group->GetCaption());
        CXTPPopupBar* inner = CXTPPopupBar::CreatePopupBar(GetCommandBars());
        for (int c = 0; c < group->GetCount(); ++c) inner->GetControls()->AddClone(group->GetAt(c), -1, TRUE);
        popup->SetCommandBar(inner);
        inner->InternalRelease();
    }
}

// ---- The ribbon -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CXTPRibbonBar, CXTPToolBar)
    ON_MESSAGE(WM_RBUTTONUP, &CXTPRibbonBar::OnRButtonUp)
END_MESSAGE_MAP()

CXTPRibbonBar::CXTPRibbonBar()
    : CXTPToolBar(xtpBarTypeRibbon),
      tabClass_(RUNTIME_CLASS(CXTPRibbonTab)),
      groupClass_(RUNTIME_CLASS(CXTPRibbonGroup)),
      quickAccess_(new CXTPControls) {
    quickAccess_->SetParent(this);
    auto* system = new CXTPRibbonControlSystemButton;
    GetControls()->Add(system, 0);
    GetControls()->Add(new CXTPRibbonControlTab, 0);
}

CXTPRibbonBar::~CXTPRibbonBar() {
    RemoveAllTabs();
    quickAccess_->RemoveAll();
    quickAccess_->SetParent(nullptr);
    quickAccess_->InternalRelease();
}

CXTPRibbonTab* CXTPRibbonBar::AddTab(LPCWSTR caption, int id, int before) {
    CObject* object = tabClass_->CreateObject();
    auto* tab = dynamic_cast<CXTPRibbonTab*>(object);
    if (!tab) {
        delete object;
        platform::core::reportFailure(L"CXTPRibbonBar::AddTab: the tab class is not a ribbon tab");
        return nullptr;
    }
    tab->ribbon_ = this;
    tab->SetCaption(caption);
    tab->SetID(id);
    if (before < 0 || before >= GetTabCount())
        tabs_.push_back(tab);
    else
        tabs_.insert(tabs_.begin() + before, tab);
    if (!current_) current_ = tab;
    OnControlsChanged();
    return tab;
}

void CXTPRibbonBar::RemoveTab(int index) {
    CXTPRibbonTab* tab = GetTab(index);
    if (!tab) return;
    tabs_.erase(tabs_.begin() + index);
    if (current_ == tab) {
        current_ = nullptr;
        for (CXTPRibbonTab* other : tabs_)
            if (other->IsVisible()) {
                current_ = other;
                break;
            }
    }
    tab->ribbon_ = nullptr;
    for (int g = 0; g < tab->GetGroupCount(); ++g) detachFromRibbon(tab->GetGroup(g));
    tab->InternalRelease();
    OnControlsChanged();
}

void CXTPRibbonBar::MoveTab(CXTPRibbonTab* tab, int index) {
    const auto at = std::find(tabs_.begin(), tabs_.end(), tab);
    if (at == tabs_.end()) return;
    tabs_.erase(at);
    index = std::clamp(index, 0, GetTabCount());
    tabs_.insert(tabs_.begin() + index, tab);
    OnControlsChanged();
}

void CXTPRibbonBar::RemoveAllTabs() {
    while (!tabs_.empty()) RemoveTab(GetTabCount() - 1);
}

CXTPRibbonTab* CXTPRibbonBar::GetTab(int index) const {
    if (index < 0 || index >= GetTabCount()) return nullptr;
    return tabs_[static_cast<std::size_t>(index)];
}

CXTPRibbonTab* CXTPRibbonBar::FindTab(int id) const {
    for (CXTPRibbonTab* tab : tabs_)
        if (tab->GetID() == id) return tab;
    return nullptr;
}

BOOL CXTPRibbonBar::SetCurrentTab(CXTPRibbonTab* tab) {
    if (!tab || tab->GetRibbonBar() != this || !tab->IsVisible()) return FALSE;
    if (tab == current_) return TRUE;
    if (OnTabChanging(tab)) return FALSE;
    current_ = tab;
    OnTabChanged(tab);
    return TRUE;
}

BOOL CXTPRibbonBar::OnTabChanging(CXTPRibbonTab*) { return FALSE; }

void CXTPRibbonBar::OnTabChanged(CXTPRibbonTab*) {}

CXTPRibbonControlTab* CXTPRibbonBar::GetControlTab() const {
    for (int i = 0; i < GetControls()->GetCount(); ++i)
        if (auto* tab = dynamic_cast<CXTPRibbonControlTab*>(GetControls()->GetAt(i))) return tab;
    return nullptr;
}

CXTPRibbonControlSystemButton* CXTPRibbonBar::GetSystemButton() const {
    for (int i = 0; i < GetControls()->GetCount(); ++i)
        if (auto* button = dynamic_cast<CXTPRibbonControlSystemButton*>(GetControls()->GetAt(i))) return button;
    return nullptr;
}

void CXTPRibbonBar::SetRibbonMinimized(BOOL minimized) {
    if (minimized_ == minimized) return;
    minimized_ = minimized;
    if (CWnd* site = GetSite(); site && site->GetSafeHwnd()) site->SendMessage(XTPWM_RIBBONMINIMIZE, minimized, 0);
}

CXTPRibbonGroup* CXTPRibbonBar::FindGroupOf(const CXTPControl* control) const {
    if (!control) return nullptr;
    for (CXTPRibbonTab* tab : tabs_)
        for (int g = 0; g < tab->GetGroupCount(); ++g)
            if (tab->GetGroup(g)->GetControls() == control->GetControls()) return tab->GetGroup(g);
    return nullptr;
}

BOOL CXTPRibbonBar::IsControlReachable(const CXTPControl* control) const {
    if (!control || !control->IsVisible() || !IsVisible()) return FALSE;
    const CXTPControls* list = control->GetControls();
    if (list == quickAccess_) return quickAccessVisible_;
    if (list == GetControls()) return TRUE;
    if (CXTPRibbonGroup* group = FindGroupOf(control))
        return group->IsVisible() && group->GetParentTab() == current_ && !minimized_;
    return FALSE;
}

void CXTPRibbonBar::updateControls(CXTPControls* controls) {
    CWnd* site = GetSite();
    for (int i = 0; i < controls->GetCount(); ++i) UpdateControl(controls->GetAt(i), i, controls->GetCount(), site);
}

BOOL CXTPRibbonBar::IsControlShown(const CXTPControl* control) const {
    return GetSafeHwnd() && IsControlReachable(control);
}

void CXTPRibbonBar::SyncEditWindows() {
    for (CXTPRibbonTab* tab : tabs_)
        for (int g = 0; g < tab->GetGroupCount(); ++g) SyncEditWindowsOf(tab->GetGroup(g)->GetControls());
    SyncEditWindowsOf(quickAccess_);
    SyncEditWindowsOf(GetControls());
}

void CXTPRibbonBar::OnIdleUpdateCmdUI() {
    SyncEditWindows();
    if (!GetSite() || !IsVisible()) return;
    if (current_ && !minimized_)
        for (int g = 0; g < current_->GetGroupCount(); ++g)
            if (current_->GetGroup(g)->IsVisible()) updateControls(current_->GetGroup(g)->GetControls());
    if (quickAccessVisible_) updateControls(quickAccess_);
    updateControls(GetControls());
}

// ---- Layout and hit tests ---------------------------------------------------------------------

RECT CXTPRibbonBar::GetTabRect(const CXTPRibbonTab* tab) const {
    constexpr int kCharacterWidth = 7, kTabPadding = 16;
    int left = kControlWidth;
    for (const CXTPRibbonTab* each : tabs_) {
        if (!each->IsVisible()) continue;
        int characters = 0;
        const CString caption = each->GetCaption();
        for (int i = 0; i < caption.GetLength(); ++i)
            if (caption[i] != L'&' || (i > 0 && caption[i - 1] == L'&')) ++characters;
        const int width = kTabPadding + kCharacterWidth * characters;
        if (each == tab) return RECT{left, kCaptionHeight, left + width, kCaptionHeight + kTabRowHeight};
        left += width;
    }
    return RECT{};
}

int CXTPRibbonBar::GetRibbonHeight() const {
    return kCaptionHeight + kTabRowHeight + (minimized_ ? 0 : kGroupHeight);
}

// A control of a group is a column as wide as a large button, or as its field when wider.
int CXTPRibbonBar::groupControlWidth(const CXTPControl& control) {
    // Every group's layout asks this of each control: the class walk runs once a run-time class.
    thread_local std::unordered_map<const CRuntimeClass*, bool> fieldKinds;
    const CRuntimeClass* runtimeClass = control.GetRuntimeClass();
    auto [known, added] = fieldKinds.try_emplace(runtimeClass, false);
    if (added)
        for (const CRuntimeClass* kind = runtimeClass; kind; kind = kind->m_pBaseClass)
            if (kind == RUNTIME_CLASS(CXTPControlEdit) || kind == RUNTIME_CLASS(CXTPControlComboBox) ||
                kind == RUNTIME_CLASS(CXTPControlGallery))
                known->second = true;
    return known->second ? std::max<int>(kControlWidth, const_cast<CXTPControl&>(control).GetSize(nullptr).cx) : kControlWidth;
}

RECT CXTPRibbonBar::GetQuickAccessRect() const {
    if (!quickAccessVisible_) return RECT{};
    int visible = 0;
    for (int i = 0; i < quickAccess_->GetCount(); ++i) visible += quickAccess_->GetAt(i)->IsVisible() ? 1 : 0;
    const int left = kControlWidth;  // right of the system button's caption corner
    return RECT{left, 0, left + visible * kQuickAccessControlWidth, kCaptionHeight};
}

RECT CXTPRibbonBar::GetGroupRect(const CXTPRibbonGroup* group) const {
    if (!group || !current_ || group->GetParentTab() != current_ || !group->IsVisible() || minimized_) return RECT{};
    int left = 0;
    const int top = kCaptionHeight + kTabRowHeight;
    for (int g = 0; g < current_->GetGroupCount(); ++g) {
        const CXTPRibbonGroup* each = current_->GetGroup(g);
        if (!each->IsVisible()) continue;
        int controls = 0;
        for (int c = 0; c < each->GetCount(); ++c)
            if (each->GetAt(c)->IsVisible()) controls += groupControlWidth(*each->GetAt(c));
        const int width = kGroupPadding * 2 + std::max(kControlWidth, controls);
        if (each == group) return RECT{left, top, left + width, top + kGroupHeight};
        left += width;
    }
    return RECT{};
}

RECT CXTPRibbonBar::GetControlRect(const CXTPControl* control) const {
    if (!IsControlReachable(control)) return RECT{};
    const CXTPControls* list = control->GetControls();
    if (list == quickAccess_) {
        RECT area = GetQuickAccessRect();
        for (int i = 0; i < list->GetCount(); ++i) {
            const CXTPControl* each = list->GetAt(i);
            if (!each->IsVisible()) continue;
            if (each == control) return RECT{area.left, 0, area.left + kQuickAccessControlWidth, kCaptionHeight};
            area.left += kQuickAccessControlWidth;
        }
        return RECT{};
    }
    if (list == GetControls()) {
        if (dynamic_cast<const CXTPRibbonControlTab*>(control))
            return RECT{kControlWidth, kCaptionHeight, width_, kCaptionHeight + kTabRowHeight};
        if (dynamic_cast<const CXTPRibbonControlSystemButton*>(control))
            return RECT{0, kCaptionHeight, kControlWidth, kCaptionHeight + kTabRowHeight};
        // Other controls of the ribbon sit in the caption row, right to left from the window's edge.
        int right = width_;
        for (int i = list->GetCount() - 1; i >= 0; --i) {
            const CXTPControl* each = list->GetAt(i);
            if (!each->IsVisible() || dynamic_cast<const CXTPRibbonControlTab*>(each) ||
                dynamic_cast<const CXTPRibbonControlSystemButton*>(each))
                continue;
            if (each == control) return RECT{right - kControlWidth, 0, right, kCaptionHeight};
            right -= kControlWidth;
        }
        return RECT{};
    }
    const CXTPRibbonGroup* group = FindGroupOf(control);
    RECT rect = GetGroupRect(group);
    int left = rect.left + kGroupPadding;
    for (int c = 0; c < group->GetCount(); ++c) {
        const CXTPControl* each = group->GetAt(c);
        if (!each->IsVisible()) continue;
        const int width = groupControlWidth(*each);
        if (each == control) return RECT{left, rect.top, left + width, rect.bottom - kGroupCaptionHeight};
        left += width;
    }
    return RECT{};
}

namespace {
bool inside(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}
}  // namespace

XTPRibbonHitTest CXTPRibbonBar::HitTest(POINT point) const {
    XTPRibbonHitTest hit;
    if (point.x < 0 || point.x >= width_ || point.y < 0) return hit;
    if (point.y < kCaptionHeight) {
        for (CXTPControls* list : {quickAccess_, GetControls()})
            for (int i = 0; i < list->GetCount(); ++i)
                if (inside(GetControlRect(list->GetAt(i)), point)) {
                    hit.code = list == quickAccess_ ? xtpRibbonHitControl : xtpRibbonHitCaptionButton;
                    hit.control = list->GetAt(i);
                    return hit;
                }
        hit.code = xtpRibbonHitCaption;
        return hit;
    }
    if (point.y < kCaptionHeight + kTabRowHeight) {
        if (CXTPRibbonControlSystemButton* system = GetSystemButton(); system && inside(GetControlRect(system), point)) {
            hit.code = xtpRibbonHitControl;
            hit.control = system;
            return hit;
        }
        hit.code = xtpRibbonHitTabRow;
        hit.tab = current_;
        return hit;
    }
    if (point.y >= kCaptionHeight + kTabRowHeight + kGroupHeight || !current_ || minimized_) return hit;
    hit.tab = current_;
    for (int g = 0; g < current_->GetGroupCount(); ++g) {
        CXTPRibbonGroup* group = current_->GetGroup(g);
        if (!inside(GetGroupRect(group), point)) continue;
        hit.code = xtpRibbonHitGroup;
        hit.group = group;
        for (int c = 0; c < group->GetCount(); ++c)
            if (inside(GetControlRect(group->GetAt(c)), point)) hit.control = group->GetAt(c);
        return hit;
    }
    hit.code = xtpRibbonHitGroupsArea;
    return hit;
}

// ---- Menus --------------------------------------------------------------------------------------

namespace {

// The toolkit's own quick-access item: adds a copy of the control to the quick-access bar. A
// menu may show a copy of it (made by run-time class), which must do the same.
class CXTPRibbonAddToQuickAccessButton : public CXTPControlButton {
    DECLARE_DYNCREATE(CXTPRibbonAddToQuickAccessButton)

public:
    CXTPRibbonAddToQuickAccessButton() { SetFlags(GetFlags() | xtpFlagManualUpdate); }
    CXTPRibbonAddToQuickAccessButton(CXTPRibbonBar* ribbon, CXTPControl* control) : CXTPRibbonAddToQuickAccessButton() {
        hold(ribbon ? ribbon->GetSafeHwnd() : nullptr, control);
    }
    ~CXTPRibbonAddToQuickAccessButton() override { hold(nullptr, nullptr); }
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override {
        CXTPControlButton::Copy(source, recursive);
        if (auto* add = dynamic_cast<CXTPRibbonAddToQuickAccessButton*>(source)) hold(add->ribbon_, add->control_);
    }
    void OnExecute() override {
        // The ribbon is looked up by its window: the menu may outlive it.
        auto* ribbon = dynamic_cast<CXTPRibbonBar*>(CWnd::FromHandlePermanent(ribbon_));
        if (!ribbon || !control_) return;
        if (ribbon->GetQuickAccessControls()->FindControl(control_->GetID())) return;
        ribbon->GetQuickAccessControls()->AddClone(control_);
    }

private:
    void hold(HWND ribbon, CXTPControl* control) {
        if (control) control->InternalAddRef();
        if (control_) control_->InternalRelease();
        ribbon_ = ribbon;
        control_ = control;
    }

    HWND ribbon_ = nullptr;
    CXTPControl* control_ = nullptr;
};

IMPLEMENT_DYNCREATE(CXTPRibbonAddToQuickAccessButton, CXTPControlButton)

class CXTPRibbonMinimizeButton : public CXTPControlButton {
public:
    explicit CXTPRibbonMinimizeButton(CXTPRibbonBar* ribbon) : ribbon_(ribbon) {
        SetFlags(GetFlags() | xtpFlagManualUpdate);
        SetChecked(ribbon->IsRibbonMinimized());
    }
    void OnExecute() override { ribbon_->SetRibbonMinimized(!ribbon_->IsRibbonMinimized()); }

private:
    CXTPRibbonBar* ribbon_;
};

}  // namespace

CXTPPopupBar* CXTPRibbonBar::CreateContextMenu(CXTPControl* control) {
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(GetCommandBars());
    if (control && control->GetControls() != quickAccess_ && control->GetID() > 0 &&
        !dynamic_cast<CXTPRibbonControlTab*>(control)) {
        CXTPControl* add = popup->GetControls()->Add(new CXTPRibbonAddToQuickAccessButton(this, control), 9606);
        add->SetCaption(L"Add to Quick Access Toolbar");
    }
    CXTPControl* minimize = popup->GetControls()->Add(new CXTPRibbonMinimizeButton(this), 9607);
    minimize->SetCaption(L"Minimize the Ribbon");
    minimize->SetBeginGroup(popup->GetControls()->GetCount() > 1);
    return popup;
}

CXTPRibbonTabPopupToolBar* CXTPRibbonBar::CreateTabPopupToolBar(CXTPRibbonTab* tab) {
    auto* popup = new CXTPRibbonTabPopupToolBar;
    popup->AttachToCommandBars(GetCommandBars());
    popup->SetPosition(xtpBarPopup);
    popup->FillFromTab(tab);
    return popup;
}

LRESULT CXTPRibbonBar::OnRButtonUp(WPARAM, LPARAM lParam) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const XTPRibbonHitTest hit = HitTest(point);
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars) return 0;
    if (hit.code == xtpRibbonHitCaption || hit.code == xtpRibbonHitCaptionButton) {
        bars->ClosePopups();
        if (CWnd* site = GetSite(); site && site->GetSafeHwnd()) site->SendMessage(WM_POPUPSYSTEMMENU, 0, lParam);
        return 0;
    }
    if (bars->IsCustomizeMode() || hit.code == xtpRibbonHitNone) return 0;
    CXTPControl* target = hit.control;
    if (!target && hit.code == xtpRibbonHitTabRow) target = GetControlTab();
    CXTPPopupBar* popup = CreateContextMenu(target);
    if (!popup) return 0;
    bars->TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y);
    popup->InternalRelease();
    return 0;
}

void XTPPlaySystemSound(int sound) { platform::core::recordCall(L"XTPPlaySystemSound(" + std::to_wstring(sound) + L")"); }

// ---- Rename dialog ------------------------------------------------------------------------------

CXTPRibbonRenameDialog::CXTPRibbonRenameDialog(CWnd* parent, const CString& name) : CDialog(0, parent), name_(name) {}

INT_PTR CXTPRibbonRenameDialog::DoModal() {
    platform::mfc::DialogTemplate dialog;
    dialog.caption = L"Rename";
    dialog.size = SIZE{260, 90};
    dialog.controls.push_back({kEditId, L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, L"", RECT{10, 10, 250, 32}});
    dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK", RECT{80, 50, 160, 74}});
    dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel", RECT{166, 50, 250, 74}});
    SetInlineTemplate(std::move(dialog), L"CXTPRibbonRenameDialog");
    return CDialog::DoModal();
}

BOOL CXTPRibbonRenameDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ::SetWindowTextW(::GetDlgItem(m_hWnd, kEditId), name_.GetString());
    return TRUE;
}

void CXTPRibbonRenameDialog::OnOK() {
    HWND edit = ::GetDlgItem(m_hWnd, kEditId);
    const int length = ::GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    name_ = text.c_str();
    CDialog::OnOK();
}
