#include "commandbars/ribbonpage/ribbon_property_page.h"

#include "commandbars/menu_text.h"
#include "commandbars/ribbonpage/popup_button_sets.h"
#include "commandbars/ribbonpage/ribbon_tree_items.h"
#include "platform/kernel.h"
#include "platform/textcore.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/controls/split_button.h"
#include "services/application.h"
#include "services/documents_menu.h"

using namespace ribbon_page;

namespace {

constexpr WORD kComboSetFocus = 3, kComboKillFocus = 4;
constexpr int kFirstView = 0, kPopupToolBarView = 2, kFramelessView = 3;

std::function<std::optional<RibbonPageFrame>(CWnd*)>& frameQuery() {
    static std::function<std::optional<RibbonPageFrame>(CWnd*)> query;
    return query;
}

CString windowText(HWND window) {
    const auto length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return CString(text.c_str());
}

void addComboItem(HWND combo, const CString& text) {
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

}  // namespace

void SetRibbonPageFrameQuery(std::function<std::optional<RibbonPageFrame>(CWnd* site)> query) {
    frameQuery() = std::move(query);
}

RibbonPageOpenRequest RibbonPageOpenRequest::ForItem(CCmdTarget* item) {
    RibbonPageOpenRequest request;
    if (auto* control = dynamic_cast<CXTPControl*>(item)) request.focus = control;
    else if (auto* group = dynamic_cast<CXTPRibbonGroup*>(item)) request.focus = group;
    else if (auto* tab = dynamic_cast<CXTPRibbonTab*>(item)) request.focus = tab;
    return request;
}

RibbonPropertyPage::RibbonPropertyPage(CXTPRibbonBar* ribbon, std::optional<RibbonPageOpenRequest> request)
    : CXTPPropertyPage(kTemplateId), ribbon_(ribbon), request_(std::move(request)) {
    CXTPCommandBars* bars = ribbon_ ? ribbon_->GetCommandBars() : nullptr;
    if (frameQuery())
        if (auto frame = frameQuery()(bars ? bars->GetSite() : nullptr)) frame_ = std::move(*frame);
}

RibbonPropertyPage::~RibbonPropertyPage() {
    // The items go before the maps that made their controls.
    commandTree_.Attach(nullptr, 0);
    barTree_.Attach(nullptr, 0);
    commandTree_.DeleteAllItems();
    barTree_.DeleteAllItems();
}

// ---- Start ------------------------------------------------------------------------------------

BOOL RibbonPropertyPage::OnInitDialog() {
    CXTPPropertyPage::OnInitDialog();
    commandTree_.SetImageManager(frame_.menuBar && frame_.menuBar->GetCommandBars() ? frame_.menuBar->GetCommandBars()->GetImageManager() : nullptr);
    barTree_.SetImageManager(ribbon_ && ribbon_->GetCommandBars() ? ribbon_->GetCommandBars()->GetImageManager() : nullptr);
    commandTree_.Attach(Item(kCommandTree), kCommandTree);
    barTree_.Attach(Item(kBarTree), kBarTree);
    RegisterDrops();
    commandSearch_.text.Empty();
    barSearch_.text.Empty();
    FillCategories();
    FillCommandTree();
    for (const wchar_t* view : {L"Ribbon tabs", L"Quick access toolbar", L"Popup toolbar", L"View toolbar"})
        addComboItem(Item(kViewCombo), view);
    const int view = request_ && request_->view >= kFirstView && request_->view <= kFramelessView ? request_->view : kFirstView;
    ::SendMessageW(Item(kViewCombo), CB_SETCURSEL, static_cast<WPARAM>(view), 0);
    FillBarTree();
    FocusRequested();
    ShowCue(commandSearch_, false);
    ShowCue(barSearch_, false);
    // Rename is a split button: its arrow offers rename and remove.
    const HWND rename = Item(kRename);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(rename, GWL_STYLE));
    const DWORD split = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? BS_DEFSPLITBUTTON : BS_SPLITBUTTON;
    ::SetWindowLongPtrW(rename, GWL_STYLE, static_cast<LONG_PTR>((style & ~BS_TYPEMASK) | split));
    for (int id : {kCategoryCombo, kCommandSearch, kClearCommandSearch, kCommandTree}) SetResize(id, 0, 0, 0.5, id == kCommandTree ? 1 : 0);
    for (int id : {kViewCombo, kBarSearch, kClearBarSearch, kFindNext, kBarTree}) SetResize(id, 0.5, 0, 1, id == kBarTree ? 1 : 0);
    UpdateButtons();
    return TRUE;
}

void RibbonPropertyPage::FillCategories() {
    HWND combo = Item(kCategoryCombo);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    categoryData_.clear();
    CXTPControls* menus = frame_.menuBar ? frame_.menuBar->GetControls() : nullptr;
    for (int i = 0; menus && i < menus->GetCount(); ++i) {
        addComboItem(combo, withoutMnemonics(menus->GetAt(i)->GetCaption()));
        categoryData_.push_back(i);
    }
    const std::pair<const wchar_t*, int> fixed[] = {{L"command_categories.system_commands", -1},
                                                     {L"command_categories.user_commands", -3},
                                                     {L"command_categories.all_commands", -4},
                                                     {L"command_categories.text_menu", -5}};
    for (const auto& [key, data] : fixed) {
        addComboItem(combo, Korvo::I18n::Translate(key));
        categoryData_.push_back(data);
    }
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void RibbonPropertyPage::FocusRequested() {
    if (!request_) return;
    CXTPCoreTreeItem* found = nullptr;
    auto holds = [](CXTPCoreTreeItem* item, CCmdTarget* object) {
        const ObjectItem* own = AsObject(item);
        return own && own->GetObject() == object;
    };
    const auto& tops = barTree_.GetRoot().GetChildren();
    if (auto* const* tab = std::get_if<CXTPRibbonTab*>(&request_->focus)) {
        for (const auto& item : tops)
            if (!found && holds(item.get(), *tab)) found = item.get();
    } else if (auto* const* group = std::get_if<CXTPRibbonGroup*>(&request_->focus)) {
        for (const auto& top : tops)
            for (const auto& item : top->GetChildren())
                if (!found && holds(item.get(), *group)) found = item.get();
    } else if (auto* const* control = std::get_if<CXTPControl*>(&request_->focus)) {
        barTree_.ForEachItem([&](CXTPCoreTreeItem& item) {
            if (!found && holds(&item, *control)) found = &item;
        });
    } else if (const auto* key = std::get_if<RibbonPageOpenRequest::ButtonSetKey>(&request_->focus)) {
        for (const auto& item : tops) {
            const auto* set = dynamic_cast<const PopupToolBarButtonSetItem*>(item.get());
            if (!found && set && static_cast<int>(set->GetKey().viewType) == key->viewType &&
                static_cast<int>(set->GetKey().objectType) == key->objectType && set->GetKey().objectSubtype == key->objectSubtype)
                found = item.get();
        }
    }
    if (found) {
        filling_ = true;
        barTree_.SetFocusedItem(found);
        filling_ = false;
        RecomputeFind();
    }
}

// ---- Trees ------------------------------------------------------------------------------------

int RibbonPropertyPage::SelectedCategory() const {
    const auto index = static_cast<int>(::SendMessageW(Item(kCategoryCombo), CB_GETCURSEL, 0, 0));
    return index >= 0 && index < static_cast<int>(categoryData_.size()) ? categoryData_[static_cast<std::size_t>(index)] : 0;
}

int RibbonPropertyPage::SelectedView() const {
    const auto index = static_cast<int>(::SendMessageW(Item(kViewCombo), CB_GETCURSEL, 0, 0));
    return index < 0 ? kFirstView : index;
}

const CaptionMap& RibbonPropertyPage::SystemCaptions() {
    if (!systemCaptions_) {
        std::vector<CommandText> commands;
        for (const auto& command : GlobalContainer::GetRegisteredCommands()) commands.push_back(CommandText{command.id, command.text});
        systemCaptions_ = BuildSystemCaptions(commands, frame_.createToolBarControl);
    }
    return *systemCaptions_;
}

const CaptionMap& RibbonPropertyPage::UserCaptions() {
    if (!userCaptions_) userCaptions_ = BuildUserCaptions(frame_.userCommandControls ? frame_.userCommandControls() : std::vector<CXTPControl*>{});
    return *userCaptions_;
}

const CaptionMap& RibbonPropertyPage::AllCaptions() {
    if (!allCaptions_) allCaptions_ = CaptionMap::Union(SystemCaptions(), UserCaptions());
    return *allCaptions_;
}

void RibbonPropertyPage::FillCommandTree() {
    filling_ = true;
    commandTree_.BeginUpdate();
    commandTree_.DeleteAllItems();
    const int category = SelectedCategory();
    const CaptionMap* map = category == -1 ? &SystemCaptions() : category == -3 ? &UserCaptions() : category == -4 ? &AllCaptions() : nullptr;
    std::vector<SearchRoot> roots;
    if (map) {
        roots.reserve(map->Entries().size());
        for (const CaptionEntry& entry : map->Entries()) roots.push_back(SearchRoot{entry.control, &entry.searchable});
    } else {
        CXTPControls* menus = frame_.menuBar ? frame_.menuBar->GetControls() : nullptr;
        CXTPControl* menu = menus && category >= 0 && category < menus->GetCount() ? menus->GetAt(category) : nullptr;
        CXTPControls* controls = category == -5 ? menus : menu && menu->GetCommandBar() ? menu->GetCommandBar()->GetControls() : nullptr;
        for (int i = 0; controls && i < controls->GetCount(); ++i) roots.push_back(SearchRoot{controls->GetAt(i), nullptr});
    }
    ItemBuilder builder{frame_.update3D, nullptr};
    std::unordered_set<const CXTPControl*> matches;
    if (!commandSearch_.text.IsEmpty()) {
        matches = CollectMatches(roots, commandSearch_.text);
        builder.only = &matches;
    }
    if (map) {
        for (const CaptionEntry& entry : map->Entries()) builder.AddControl(commandTree_, nullptr, entry.control, entry.key);
    } else {
        for (const SearchRoot& root : roots) builder.AddControl(commandTree_, nullptr, root.control);
    }
    commandTree_.EndUpdate();
    filling_ = false;
    UpdateButtons();
}

void RibbonPropertyPage::FillBarTree() {
    findList_.clear();
    findIndex_ = -1;
    filling_ = true;
    barTree_.BeginUpdate();
    barTree_.DeleteAllItems();
    const ItemBuilder builder{frame_.update3D, nullptr};
    switch (SelectedView()) {
        case 0:
            for (int t = 0; ribbon_ && t < ribbon_->GetTabCount(); ++t) builder.AddTab(barTree_, ribbon_->GetTab(t));
            break;
        case 1: builder.AddControls(barTree_, nullptr, ribbon_ ? ribbon_->GetQuickAccessControls() : nullptr); break;
        case kFramelessView:
            if (frame_.framelessToolBar) builder.AddControls(barTree_, nullptr, frame_.framelessToolBar->GetControls());
            break;
        case kPopupToolBarView: MainFrameTreeBuilder{frame_.popupCommandCaption}.Build(barTree_); break;
        default: break;
    }
    barTree_.EndUpdate();
    filling_ = false;
    RecomputeFind();
    UpdateButtons();
}

// ---- Find -------------------------------------------------------------------------------------

void RibbonPropertyPage::RecomputeFind() {
    findList_.clear();
    findIndex_ = -1;
    if (barSearch_.text.IsEmpty()) return;
    const CXTPCoreTreeItem* focused = barTree_.GetFocusedItem();
    int before = 0;
    bool passed = false;
    barTree_.ForEachItem([&](CXTPCoreTreeItem& item) {
        if (&item == focused) passed = true;
        if (Korvo::GetSearchableEquivalent(item.GetCaption()).Find(barSearch_.text) < 0) return;
        if (!passed) ++before;
        findList_.push_back(&item);
    });
    findIndex_ = focused ? before : -1;
}

void RibbonPropertyPage::FindNext() {
    // Nothing to visit: nothing happens (there is no first match to wrap to).
    if (findList_.empty()) return;
    if (findIndex_ < 0 || findIndex_ >= static_cast<int>(findList_.size())) findIndex_ = 0;
    const int index = findIndex_;
    filling_ = true;
    barTree_.SetFocusedItem(findList_[static_cast<std::size_t>(index)]);
    filling_ = false;
    findIndex_ = index + 1;
    UpdateButtons();
}

// ---- Search boxes -------------------------------------------------------------------------------

void RibbonPropertyPage::OnSearchChanged(SearchBox& box, bool fromList) {
    HWND combo = Item(box.id);
    CString text = windowText(combo);
    if (fromList) {
        const auto index = static_cast<WPARAM>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
        const auto length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
        if (length >= 0) {
            std::wstring chosen(static_cast<std::size_t>(length) + 1, L'\0');
            ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(chosen.data()));
            chosen.resize(static_cast<std::size_t>(length));
            text = chosen.c_str();
        }
    }
    box.text = Korvo::GetSearchableEquivalent(text);
    if (box.id == kCommandSearch) {
        FillCommandTree();
    } else {
        RecomputeFind();
        UpdateButtons();
    }
}

void RibbonPropertyPage::ClearSearch(SearchBox& box) {
    if (box.text.IsEmpty()) return;
    box.text.Empty();
    ShowCue(box, false);
    if (box.id == kCommandSearch) {
        FillCommandTree();
    } else {
        RecomputeFind();
        UpdateButtons();
    }
}

// An empty box shows the grey cue while it has no focus.
void RibbonPropertyPage::ShowCue(const SearchBox& box, bool focused) {
    if (!box.text.IsEmpty()) return;
    ::SetWindowTextW(Item(box.id), focused ? L"" : TranslateString(L"RibbonPropertyPage.Search").GetString());
}

// ---- Buttons ----------------------------------------------------------------------------------

void RibbonPropertyPage::UpdateButtons() {
    if (!m_hWnd || filling_) return;
    CXTPCoreTreeItem* command = commandTree_.GetFocusedItem();
    CXTPCoreTreeItem* bar = barTree_.GetFocusedItem();
    const int view = SelectedView();
    const ObjectItem* source = AsObject(command);
    const bool add = command && bar && barTree_.Contains(bar) && !command->IsAncestorOf(bar) &&
                     (command == bar || AllowedForAdd(KindOf(command), source ? source->GetControl() : nullptr, KindOf(bar)));
    auto enable = [this](int id, bool on) {
        if (HWND button = Item(id)) ::EnableWindow(button, on);
    };
    enable(kAdd, add);
    enable(kNewTab, view == kFirstView);
    enable(kNew, view == kPopupToolBarView || KindOf(bar) == ItemKind::Tab);
    enable(kRename, AsObject(bar) != nullptr);
    enable(kImportExport, view != kPopupToolBarView);
    enable(kFindNext, !barSearch_.text.IsEmpty());
}

// ---- Messages ---------------------------------------------------------------------------------

BOOL RibbonPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    switch (id) {
        case kCategoryCombo:
            if (code == CBN_SELCHANGE) FillCommandTree();
            return TRUE;
        case kViewCombo:
            if (code == CBN_SELCHANGE) FillBarTree();
            return TRUE;
        case kCommandSearch:
        case kBarSearch: {
            SearchBox& box = id == kCommandSearch ? commandSearch_ : barSearch_;
            if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) OnSearchChanged(box, code == CBN_SELCHANGE);
            if (code == kComboSetFocus || code == kComboKillFocus) ShowCue(box, code == kComboSetFocus);
            return TRUE;
        }
        case kClearCommandSearch: ClearSearch(commandSearch_); return TRUE;
        case kClearBarSearch: ClearSearch(barSearch_); return TRUE;
        case kFindNext: FindNext(); return TRUE;
        case kImportExport: ShowImportExportMenu(); return TRUE;
        case kAdd: AddFocused(); return TRUE;
        case kNewTab: NewTab(); return TRUE;
        case kNew: NewGroup(); return TRUE;
        case kRename: RenameFocused(); return TRUE;
        case kRemoveCommand: RemoveFocused(); return TRUE;
        default: return CXTPPropertyPage::OnCommand(wParam, lParam);
    }
}

BOOL RibbonPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == static_cast<UINT_PTR>(kRename) && header->code == BCN_DROPDOWN) {
        ShowRenameMenu();
        *pResult = 0;
        return TRUE;
    }
    const bool commandTree = header && header->idFrom == static_cast<UINT_PTR>(kCommandTree);
    const bool barTree = header && header->idFrom == static_cast<UINT_PTR>(kBarTree);
    if (!commandTree && !barTree) return CXTPPropertyPage::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    if (header->code == TVN_SELCHANGEDW) {
        if (filling_) return TRUE;
        (commandTree ? static_cast<CXTPCoreTreeControl&>(commandTree_) : barTree_).SyncFocusFromWindow();
        if (barTree) RecomputeFind();
        UpdateButtons();
        return TRUE;
    }
    if (header->code == NM_RCLICK && barTree) {
        ShowBarTreeMenu();
        return TRUE;
    }
    // A click on a row's tick box.
    if (header->code == NM_CLICK && barTree) {
        TVHITTESTINFO hit;
        ::GetCursorPos(&hit.pt);
        ::ScreenToClient(Item(kBarTree), &hit.pt);
        ::SendMessageW(Item(kBarTree), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem && (hit.flags & TVHT_ONITEMSTATEICON)) OnBarTreeCheck(hit.hItem);
        return TRUE;
    }
    return TRUE;
}

BOOL RibbonPropertyPage::PreTranslateMessage(MSG* msg) {
    // Enter in the bar search box finds the next match; Enter never closes the sheet.
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && m_hWnd) {
        const HWND focus = ::GetFocus();
        const HWND search = Item(kBarSearch);
        if (focus && (focus == search || ::IsChild(search, focus))) FindNext();
        if (focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus))) return TRUE;
    }
    return CXTPPropertyPage::PreTranslateMessage(msg);
}

LRESULT RibbonPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Every message of the page runs inside the application's crash-dump context.
    ApplicationServices* app = ApplicationServices::Instance();
    const std::unique_ptr<GenerateDumpFileContextBase> context = app ? app->CreateCrashDumpContext() : nullptr;
    return CXTPPropertyPage::WindowProc(message, wParam, lParam);
}

BOOL RibbonPropertyPage::DestroyWindow() {
    commandTree_.Attach(nullptr, 0);
    barTree_.Attach(nullptr, 0);
    return CXTPPropertyPage::DestroyWindow();
}

// ---- Menus ------------------------------------------------------------------------------------

UINT RibbonPropertyPage::TrackMenu(const std::vector<std::pair<UINT, const wchar_t*>>& items, int id) {
    CXTPCommandBars* bars = ribbon_ ? ribbon_->GetCommandBars() : nullptr;
    if (!bars) return 0;
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
    for (const auto& [command, key] : items) {
        CXTPControl* control = menu->GetControls()->Add(xtpControlButton, static_cast<int>(command));
        control->SetCaption(Korvo::I18n::Translate(key));
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
    }
    POINT point{};
    RECT rect{};
    if (id != 0 && ::GetWindowRect(Item(id), &rect)) point = POINT{rect.left, rect.bottom};
    else ::GetCursorPos(&point);
    const UINT chosen = UIModuleProxy::Instance().TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point, this);
    menu->InternalRelease();
    return chosen;
}

void RibbonPropertyPage::ShowRenameMenu() {
    if (!::IsWindowEnabled(Item(kRename))) return;
    const UINT chosen = TrackMenu({{kRename, L"panels.ribbon.rename"}, {kRemoveCommand, L"panels.ribbon.remove"}}, kRename);
    if (chosen == kRename) RenameFocused();
    if (chosen == kRemoveCommand) RemoveFocused();
}

void RibbonPropertyPage::ShowImportExportMenu() {
    const UINT chosen = TrackMenu({{kImportCommand, L"panels.ribbon.import"}, {kExportCommand, L"panels.ribbon.export"}}, kImportExport);
    if (chosen == kImportCommand) Import();
    if (chosen == kExportCommand) Export(nullptr);
}
