#include "commandbars/search/find_command_wnd.h"

#include <algorithm>
#include <cwctype>
#include <memory>

#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/search/find_command_host.h"
#include "commandbars/search/find_in_tool_bars.h"
#include "platform/kernel.h"
#include "platform/textcore.h"
#include "platform/win32/edges.h"

namespace {

constexpr UINT kRunCommand = 9334;
constexpr UINT kFindInToolBars = 9335;
constexpr UINT kAddToRibbonBar = 9336;
constexpr UINT kCommandHelp = 9337;
constexpr UINT kFindBySynonyms = 9338;
constexpr UINT kPaneCommand = 1028;
constexpr UINT kPaneIcon = 799;
constexpr int kComboHeight = 22;
constexpr int kGap = 4;
// The list themes of the toolkit's Office 2013 and Visual Studio 2015 looks: background,
// selected background, text, selected text.
constexpr COLORREF kOffice2013List[] = {0xFFFFFF, 0xF7E6CD, 0x444444, 0x262626};
constexpr COLORREF kVisualStudio2015List[] = {0xF5F2EE, 0xEAC299, 0x1E1E1E, 0x1E1E1E};
constexpr int kOffice2013Theme = 4;
constexpr int kVisualStudio2015Theme = 8;

std::wstring Trim(std::wstring_view text) {
    while (!text.empty() && std::iswspace(text.front())) text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back())) text.remove_suffix(1);
    return std::wstring(text);
}

CString WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return CString(std::move(text));
}

// The main frame that holds `window` (a docked pane's window), else the active one.
Korvo::UI::MainFrame* FrameOf(HWND window) {
    if (Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetMainFrameOf(window)) return frame;
    return UIModuleProxy::Instance().GetActiveMainFrame();
}

KVRibbonBar* RibbonOf(CXTPCommandBars* bars) {
    if (!bars) return nullptr;
    for (int i = 0; i < bars->GetCount(); ++i)
        if (auto* ribbon = dynamic_cast<KVRibbonBar*>(bars->GetAt(i))) return ribbon;
    return nullptr;
}

// The command's control goes at the end of the last group of the ribbon's selected tab; a tab
// and a group are made when there are none.
void AddToRibbon(Korvo::UI::MainFrame& frame, UINT id) {
    KVRibbonBar* ribbon = RibbonOf(frame.GetCommandBars());
    const FindCommandHost& host = GetFindCommandHost();
    CXTPControl* control = ribbon && host.createControl ? host.createControl(frame.AsWindow(), id) : nullptr;
    if (!control) return;
    CXTPRibbonTab* tab = ribbon->GetCurrentTab();
    if (!tab) tab = ribbon->AddTab(Korvo::I18n::Translate(L"panels.ribbon.new_tab"));
    CXTPRibbonGroup* group = nullptr;
    if (tab) group = tab->GetGroupCount() > 0 ? tab->GetGroup(tab->GetGroupCount() - 1)
                                             : tab->AddGroup(Korvo::I18n::Translate(L"panels.ribbon.new_group"));
    if (!group) {
        control->InternalRelease();
        return;
    }
    group->Add(control, static_cast<int>(id));
    ribbon->GetCommandBars()->RecalcFrameLayout();
}

}  // namespace

// ---- The host ------------------------------------------------------------------------------------

namespace {
FindCommandHost& Host() {
    static FindCommandHost host;
    return host;
}
}  // namespace

void SetFindCommandHost(FindCommandHost host) { Host() = std::move(host); }
const FindCommandHost& GetFindCommandHost() { return Host(); }

// ---- The filter box ------------------------------------------------------------------------------

LRESULT CFindCommandComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) XTPMouseManager()->SendTrackLost();
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        // The searches made since the pane was made stay in the drop-down list.
        const std::wstring text = Trim(WindowText(GetSafeHwnd()).view());
        if (text.empty()) return 0;
        const auto count = static_cast<int>(SendMessage(CB_GETCOUNT));
        for (int index = 0; index < count; ++index) {
            std::wstring item(static_cast<std::size_t>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))) + 1, L'\0');
            SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
            item.resize(item.size() - 1);
            if (item == text) return 0;
        }
        SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- The list ------------------------------------------------------------------------------------

UINT CCommandList::GetCommandAt(int row) const {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!const_cast<CCommandList*>(this)->SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<UINT>(item.lParam);
}

int CCommandList::GetSelectedRow() const {
    return static_cast<int>(const_cast<CCommandList*>(this)->SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CCommandList::SetColours(COLORREF background, COLORREF selectedBackground, COLORREF text, COLORREF selectedText) {
    background_ = background;
    selectedBackground_ = selectedBackground;
    text_ = text;
    selectedText_ = selectedText;
    if (!GetSafeHwnd()) return;
    SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    Invalidate();
}

void CCommandList::DrawItem(const DRAWITEMSTRUCT& item) {
    const auto id = static_cast<UINT>(item.itemData);
    LVITEMW state;
    state.mask = LVIF_STATE | LVIF_TEXT;
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED;
    state.iItem = static_cast<int>(item.itemID);
    wchar_t text[1024] = {};
    state.pszText = text;
    state.cchTextMax = 1024;
    SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&state));
    const bool focused = ::GetFocus() == GetSafeHwnd();
    const bool showsSelection = focused || (GetStyle() & LVS_SHOWSELALWAYS);
    const bool selected = (state.state & LVIS_DROPHILITED) || ((state.state & LVIS_SELECTED) && showsSelection);
    const UIModuleProxy& ui = UIModuleProxy::Instance();
    const bool enabled = ui.IsCommandEnabled(id, GetSafeHwnd());
    HDC dc = item.hDC;
    if (HBRUSH brush = ::CreateSolidBrush(selected ? selectedBackground_ : background_)) {
        ::FillRect(dc, &item.rcItem, brush);
        ::DeleteObject(brush);
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, !enabled ? ::GetSysColor(COLOR_GRAYTEXT) : selected ? selectedText_ : text_);
    RECT icon{LVIR_ICON, 0, 0, 0};
    SendMessage(LVM_GETITEMRECT, item.itemID, reinterpret_cast<LPARAM>(&icon));
    ui.DrawCommandIcon(dc, id, POINT{icon.left, icon.top}, kIconSize, !enabled, GetSafeHwnd());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int blank = std::max<LONG>(1, metrics.tmAveCharWidth);
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessage(LVM_GETITEMRECT, item.itemID, reinterpret_cast<LPARAM>(&label));
    label.left += 2 + kIconSize + blank;
    label.right -= 2 * blank;
    const CString entry(text);
    const std::wstring caption(CommandCaption(entry)), description(CommandDescription(entry));
    HFONT bold = ::CreateFontW(metrics.tmHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"");
    HGDIOBJ previous = bold ? ::SelectObject(dc, bold) : nullptr;
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label,
                DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (bold) {
        ::SelectObject(dc, previous);
        ::DeleteObject(bold);
    }
    label.top += metrics.tmHeight * 5 / 4;
    ::DrawTextW(dc, description.c_str(), static_cast<int>(description.size()), &label,
                DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (focused && (state.state & LVIS_FOCUSED)) ::DrawFocusRect(dc, &item.rcItem);
}

void CCommandList::ShowTip(POINT client) {
    LVHITTESTINFO hit;
    hit.pt = client;
    const auto row = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const UINT id = row >= 0 ? GetCommandAt(row) : 0;
    if (id == 0) {
        tips_.CancelToolTips();
        return;
    }
    LVITEMW item;
    wchar_t text[1024] = {};
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    const CString entry(text);
    XTPToolTipTool tool;
    tool.id = static_cast<int>(id);
    tool.title = CString(std::wstring(CommandCaption(entry)));
    tool.text = CString(std::wstring(CommandDescription(entry)));
    POINT screen = client;
    ::ClientToScreen(GetSafeHwnd(), &screen);
    tips_.ShowTool(tool, this, screen);
}

void CCommandList::ShowContextMenu(POINT screen) {
    auto* form = dynamic_cast<FindCommandDialog*>(CWnd::FromHandlePermanent(::GetParent(GetSafeHwnd())));
    if (!form) return;
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    const int row = GetSelectedRow();
    const UINT id = row >= 0 ? GetCommandAt(row) : 0;
    const bool one = id != 0;
    // The menu belongs to the active frame's command bars; without a frame to a set of its own.
    std::unique_ptr<CXTPCommandBars> ownBars;
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    if (!bars) {
        ownBars.reset(CXTPCommandBars::CreateCommandBars(nullptr, this));
        bars = ownBars.get();
    }
    if (!bars) return;
    CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
    auto add = [menu](UINT item, const wchar_t* key, bool enabled, bool checked) {
        CXTPControl* control = menu->GetControls()->Add(xtpControlButton, static_cast<int>(item));
        control->SetCaption(Korvo::I18n::Translate(key));
        control->SetEnabled(enabled);
        control->SetChecked(checked);
        control->SetFlags(control->GetFlags() | xtpFlagManualUpdate);
    };
    const bool synonyms = GetKVOptions().findBySynonyms;
    if (one && frame) {
        add(kRunCommand, L"FindCommand.RunCommand", UIModuleProxy::Instance().IsCommandEnabled(id, GetSafeHwnd()), false);
        add(kFindInToolBars, L"FindCommand.FindInToolBars", true, false);
        if (bars->IsRibbonMode()) add(kAddToRibbonBar, L"FindCommand.AddToRibbonBar", true, false);
    }
    if (one) add(kCommandHelp, L"FindCommand.Help", true, false);
    add(kFindBySynonyms, L"FindCommand.FindBySynonyms", true, synonyms);
    const UINT chosen = UIModuleProxy::Instance().TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screen, this);
    menu->InternalRelease();
    switch (chosen) {
        case kRunCommand:
            if (frame && frame->AsWindow()) frame->AsWindow()->PostMessage(WM_COMMAND, id, 0);
            return;
        case kFindInToolBars:
            if (frame) {
                const FindCommandHost& host = GetFindCommandHost();
                FindInToolBarsTarget target;
                target.bars = frame->GetCommandBars();
                target.framelessBars = host.framelessBars ? host.framelessBars(frame->AsWindow()) : nullptr;
                target.panes = frame->GetDockingPaneManager();
                FindInToolBars(target, id);
            }
            return;
        case kAddToRibbonBar:
            if (frame) AddToRibbon(*frame, id);
            return;
        case kCommandHelp:
            if (GetFindCommandHost().showHelp) GetFindCommandHost().showHelp(id * 100);
            return;
        case kFindBySynonyms:
            GetKVOptions().findBySynonyms = !synonyms;
            form->Refresh();
            return;
        default: return;
    }
}

LRESULT CCommandList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The tips see every message first: a move over a row shows that command's tip.
    if (message == WM_MOUSEMOVE) ShowTip(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (message == WM_CONTEXTMENU) {
        POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ShowContextMenu(screen);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- The form ------------------------------------------------------------------------------------

bool FindCommandDialog::CreateForm(CWnd* parent) {
    background_ = ::GetSysColor(COLOR_BTNFACE);
    RECT client{};
    ::GetClientRect(parent->GetSafeHwnd(), &client);
    if (!Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, parent, 0, nullptr)) return false;
    if (!comboBox_.Create(L"COMBOBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                          RECT{0, 0, 0, 0}, this, CFindCommandComboBox::kId, nullptr))
        return false;
    constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LVS_REPORT | LVS_SINGLESEL |
                                 LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER;
    if (!list_.Create(WC_LISTVIEWW, nullptr, kListStyle, RECT{0, 0, 0, 0}, this, CCommandList::kId, nullptr)) return false;
    LVCOLUMNW column;
    column.mask = LVCF_WIDTH;
    list_.SendMessage(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    list_.SetColours(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOWTEXT),
                     ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    comboBox_.SetWindowText(filter_);
    Layout();
    return true;
}

void FindCommandDialog::Layout() {
    if (!GetSafeHwnd() || !list_.GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    const int width = client.right - client.left;
    const RECT comboRect{kGap, kGap, std::max(kGap, width - kGap), kGap + kComboHeight};
    comboBox_.MoveWindow(&comboRect);
    const RECT listRect{0, 2 * kGap + kComboHeight, width, std::max<LONG>(2 * kGap + kComboHeight, client.bottom)};
    list_.MoveWindow(&listRect);
    const int columnWidth = std::max(0, width - ::GetSystemMetrics(SM_CXVSCROLL) - 4);
    list_.SendMessage(LVM_SETCOLUMNWIDTH, 0, columnWidth);
}

void FindCommandDialog::Refresh() {
    built_ = true;
    entries_ = BuildCommandList(searchableFilter_);
    if (!list_.GetSafeHwnd()) return;
    list_.SendMessage(LVM_DELETEALLITEMS);
    list_.SendMessage(LVM_SETITEMCOUNT, entries_.size());
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        LVITEMW item;
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(index);
        std::wstring text(entries_[index].text.view());
        item.pszText = text.data();
        item.lParam = static_cast<LPARAM>(entries_[index].id);
        list_.SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    list_.Invalidate();
}

void FindCommandDialog::FilterChanged(const CString& text) {
    filter_ = text;
    searchableFilter_ = Korvo::GetSearchableEquivalent(text);
    if (list_.GetSafeHwnd()) Refresh();
}

void FindCommandDialog::RunRow(int row) {
    const UINT id = list_.GetCommandAt(row);
    if (id == 0 || !UIModuleProxy::Instance().IsCommandEnabled(id, list_.GetSafeHwnd())) return;
    Korvo::UI::MainFrame* frame = FrameOf(list_.GetSafeHwnd());
    if (frame && frame->AsWindow()) frame->AsWindow()->PostMessage(WM_COMMAND, id, 0);
}

LRESULT FindCommandDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: Layout(); return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(&client);
            if (HBRUSH brush = ::CreateSolidBrush(background_)) {
                ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
                ::DeleteObject(brush);
            }
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (measure && measure->CtlID == CCommandList::kId) {
                measure->itemHeight = static_cast<UINT>(XTPDpiHelper()->ScaleY(CCommandList::kRowHeight));
                return TRUE;
            }
            break;
        }
        case WM_DRAWITEM: {
            const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (draw && draw->CtlID == CCommandList::kId) {
                list_.DrawItem(*draw);
                return TRUE;
            }
            break;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->idFrom == CCommandList::kId && header->code == NM_DBLCLK) {
                RunRow(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
                return 0;
            }
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == CFindCommandComboBox::kId && HIWORD(wParam) == CBN_EDITCHANGE) {
                FilterChanged(WindowText(comboBox_.GetSafeHwnd()));
                return 0;
            }
            if (LOWORD(wParam) == CFindCommandComboBox::kId && HIWORD(wParam) == CBN_SELENDOK) {
                const auto index = static_cast<int>(comboBox_.SendMessage(CB_GETCURSEL));
                std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(0, comboBox_.SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)))) + 1, L'\0');
                if (index >= 0) comboBox_.SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
                item.resize(item.size() - 1);
                FilterChanged(CString(std::move(item)));
                return 0;
            }
            break;
        case WM_USER:
            if (!built_ && IsWindowVisible()) Refresh();
            return 0;
        default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- The pane window -----------------------------------------------------------------------------

bool CFindCommandWnd::OnHelp() {
    CXTPToolTipContextToolTip* tip = form_.GetList().GetToolTipContext().GetToolTip();
    if (!tip || !tip->GetSafeHwnd() || !tip->IsWindowVisible()) return false;
    const int id = tip->GetCurrentTool().id;
    if (GetFindCommandHost().showHelp && id > 0) GetFindCommandHost().showHelp(static_cast<UINT>(id) * 100);
    return true;
}

void CFindCommandWnd::OnCommandRegistered(UINT id) {
    if (!form_.IsBuilt() || !IsCommandVisible(id)) return;
    const std::optional<CString> text = GlobalContainer::GetRegisteredCommandText(id);
    if (!text || text->IsEmpty()) return;
    form_.SetBuilt(false);
    if (form_.GetSafeHwnd()) form_.PostMessage(WM_USER);
}

void CFindCommandWnd::SetTheme(const Korvo::UI::Theme& theme) {
    RedrawWindow();
    const COLORREF* colours = theme.reportTheme == kOffice2013Theme        ? kOffice2013List
                              : theme.reportTheme == kVisualStudio2015Theme ? kVisualStudio2015List
                                                                            : nullptr;
    if (colours) form_.GetList().SetColours(colours[0], colours[1], colours[2], colours[3]);
    else
        form_.GetList().SetColours(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_HIGHLIGHT),
                                   ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_HIGHLIGHTTEXT));
}

LRESULT CFindCommandWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const LRESULT created = CWnd::WindowProc(message, wParam, lParam);
            if (created == -1) return -1;
            if (Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame())
                if (CXTPCommandBars* bars = frame->GetCommandBars())
                    UIModuleProxy::Instance().BindCommandIcon(bars, kPaneCommand, kPaneIcon);
            return form_.CreateForm(this) ? 0 : -1;
        }
        case WM_SIZE:
            if (form_.GetSafeHwnd()) {
                RECT client{};
                GetClientRect(&client);
                form_.MoveWindow(&client);
            }
            break;
        case WM_SHOWWINDOW:
            if (wParam && !form_.IsBuilt()) form_.Refresh();
            break;
        default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- The console's view --------------------------------------------------------------------------

std::wstring FindCommandOutline(HWND window) {
    auto* pane = dynamic_cast<CFindCommandWnd*>(CWnd::FromHandlePermanent(window));
    if (!pane) return {};
    FindCommandDialog& form = pane->GetForm();
    std::wstring out = L"filter \"" + std::wstring(form.GetFilter().view()) + L"\" synonyms " +
                       (GetKVOptions().findBySynonyms ? L"on" : L"off") + L" rows " +
                       std::to_wstring(form.GetEntries().size());
    CCommandList& list = form.GetList();
    const auto rows = static_cast<int>(list.SendMessage(LVM_GETITEMCOUNT));
    for (int row = 0; row < rows; ++row) {
        const UINT id = list.GetCommandAt(row);
        LVITEMW item;
        wchar_t text[1024] = {};
        item.pszText = text;
        item.cchTextMax = 1024;
        list.SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        const CString entry(text);
        out += L"\n  " + std::to_wstring(row) + L" " + std::to_wstring(id) + L" \"" + std::wstring(CommandCaption(entry)) +
               L"\" \"" + std::wstring(CommandDescription(entry)) + L"\"";
        if (!UIModuleProxy::Instance().IsCommandEnabled(id, list.GetSafeHwnd())) out += L" grey";
    }
    return out;
}
