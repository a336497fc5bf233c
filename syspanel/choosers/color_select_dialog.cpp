#include "syspanel/choosers/color_select_dialog.h"

#include <algorithm>

#include "platform/mfc/dialogs/colordialog.h"
#include "syspanel/choosers/colour_words.h"
#include "syspanel/parameter_controls.h"

namespace {

constexpr int kBasicColours = 16;
constexpr int kMinimumSize = 150;
constexpr int kMargin = 4;
constexpr int kButtonRow = 18;

CString section(const wchar_t* leaf) { return KVGetColorsCurrentSectionName() + L"\\" + leaf; }

int profileInt(const CString& sectionName, const wchar_t* entry, int fallback) {
    return static_cast<int>(AfxGetApp()->GetProfileInt(sectionName, entry, fallback));
}

int heightOf(HWND window) {
    RECT rect{};
    return window && ::GetWindowRect(window, &rect) ? rect.bottom - rect.top : 0;
}

POINT screenPoint(HWND window, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam))), static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)))};
    ::ClientToScreen(window, &point);
    return point;
}

}  // namespace

CColorSelectDialog::~CColorSelectDialog() {
    if (m_open) no_set_focus_color_dlg = false;
    m_open = false;
    // The window's last messages must not reach a half-destroyed chooser.
    DestroyChooserWindow();
}

bool CColorSelectDialog::Open(const CXTPControl& control, HWND frame, std::int32_t current) {
    BeginOpen(frame);
    m_current = current;
    m_dragging = false;
    m_colourDialogOpen = false;
    m_userVisible = true;
    m_user.m_visible = true;
    m_placed = false;
    m_standard.Attach(nullptr);
    m_user.Attach(nullptr);
    if (!CreateBelow(control, 4, std::nullopt)) return false;
    fillStandardList();
    fillUserList();
    layout();
    m_placed = true;
    FinishOpen();
    // The keys move in the list that holds the current colour (else the standard one).
    const bool inUser = m_standard.GetCurSel() < 0 && m_user.GetCurSel() >= 0 && m_userVisible;
    if (const HWND keys = inUser ? m_user.GetSafeHwnd() : m_standard.GetSafeHwnd()) ::SetFocus(keys);
    return true;
}

BOOL CColorSelectDialog::OnInitDialog() {
    ChooserDialog::OnInitDialog();
    no_set_focus_color_dlg = true;
    m_standard.Attach(::GetDlgItem(GetSafeHwnd(), kStandardList));
    m_user.Attach(::GetDlgItem(GetSafeHwnd(), kUserList));
    readState();
    // The stored size, kept on the monitor the pop-up is on.
    MONITORINFO monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    m_width = std::min<int>(m_width, monitor.rcWork.right - monitor.rcWork.left);
    m_height = std::min<int>(m_height, monitor.rcWork.bottom - monitor.rcWork.top);
    ::SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CheckDlgButton(kShow256Check, m_show256 ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(::GetDlgItem(GetSafeHwnd(), kShow256Check), m_show256Enabled ? TRUE : FALSE);
    return TRUE;
}

void CColorSelectDialog::readState() {
    const CString dialog = section(L"SelectColorDialog");
    const SIZE size = GetWindowSize();
    m_width = std::max(kMinimumSize, profileInt(dialog, L"Width", static_cast<int>(size.cx)));
    m_height = std::max(kMinimumSize, profileInt(dialog, L"Height", static_cast<int>(size.cy)));
    m_standard.m_height = profileInt(dialog, L"StandartH", heightOf(m_standard.GetSafeHwnd()));
    m_user.m_height = profileInt(dialog, L"UserH", heightOf(m_user.GetSafeHwnd()));
    m_show256 = profileInt(dialog, L"Show256", 1) != 0;
    m_show256Enabled = true;
    // A colour past the basic ones could not be shown among 16.
    if (!m_show256 && m_current >= kBasicColours && m_current <= 255) {
        m_show256 = true;
        m_show256Enabled = false;
    }
    const CString custom = section(L"CustomColors");
    for (int i = 0; i < 16; ++i) {
        const std::wstring entry = L"Color" + std::to_wstring(i);
        m_custom[static_cast<std::size_t>(i)] = static_cast<COLORREF>(profileInt(custom, entry.c_str(), 0));
    }
}

void CColorSelectDialog::writeState() {
    const CString dialog = section(L"SelectColorDialog");
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(dialog, L"Width", m_width);
    app->WriteProfileInt(dialog, L"Height", m_height);
    if (m_show256Enabled) app->WriteProfileInt(dialog, L"Show256", m_show256 ? 1 : 0);
    if (m_userVisible) {
        app->WriteProfileInt(dialog, L"StandartH", m_standard.m_height);
        app->WriteProfileInt(dialog, L"UserH", m_user.m_height);
    }
}

void CColorSelectDialog::writeCustomColours() {
    const CString custom = section(L"CustomColors");
    for (int i = 0; i < 16; ++i) {
        const std::wstring entry = L"Color" + std::to_wstring(i);
        AfxGetApp()->WriteProfileInt(custom, entry.c_str(), static_cast<int>(m_custom[static_cast<std::size_t>(i)]));
    }
}

void CColorSelectDialog::fillStandardList() {
    const CColorTable* table = GetColorTable();
    const int count = table ? static_cast<int>(table->GetCount()) : 0;
    m_standardCount = m_show256 ? count : std::min(count, kBasicColours);
    m_standard.ResetContent();
    for (int index = 0; index < m_standardCount; ++index) m_standard.AddItem(index);
    m_standard.SetCurSel(m_standard.FindItem(m_current));
    m_nameWidth = m_standard.WidestNameWidth();
}

void CColorSelectDialog::fillUserList() {
    m_user.ResetContent();
    for (COLORREF& colour : m_custom) {
        const std::int32_t word = TrueColourWord(colour);
        // A colour shown once already (or none) is cleared, so the array has no doubles either.
        if (colour == 0 || m_user.FindItem(word) >= 0) {
            colour = 0;
            continue;
        }
        const int index = m_user.AddItem(word);
        if (word == m_current) m_user.SetCurSel(index);
    }
    if (m_standard.GetCurSel() < 0 && m_user.GetCurSel() < 0) m_user.SetCurSel(m_user.AddItem(m_current));
    if (m_user.GetCount() == 0) {
        m_user.m_visible = false;
        m_userVisible = false;
        m_standard.m_height += m_user.m_height;
    }
    m_nameWidth = std::max(m_nameWidth, m_user.WidestNameWidth());
}

void CColorSelectDialog::layout() {
    const HWND dialog = GetSafeHwnd();
    if (!dialog) return;
    RECT client{};
    ::GetClientRect(dialog, &client);
    const int width = std::max<int>(0, client.right - 2 * kMargin);
    const int rowTop = client.bottom - kMargin - kButtonRow;
    const int userBottom = rowTop - kMargin;
    ::MoveWindow(m_standard.GetSafeHwnd(), kMargin, kMargin, width, m_standard.m_height, TRUE);
    ::MoveWindow(m_user.GetSafeHwnd(), kMargin, userBottom - m_user.m_height, width, m_user.m_height, TRUE);
    ::ShowWindow(m_user.GetSafeHwnd(), m_user.m_visible ? SW_SHOWNA : SW_HIDE);
    const HWND button = ::GetDlgItem(dialog, kOtherColourButton), check = ::GetDlgItem(dialog, kShow256Check);
    RECT place{};
    for (const HWND control : {button, check}) {
        if (!control || !::GetWindowRect(control, &place)) continue;
        POINT corner{place.left, place.top};
        ::ScreenToClient(dialog, &corner);
        ::MoveWindow(control, corner.x, rowTop, place.right - place.left, place.bottom - place.top, TRUE);
    }
}

std::optional<std::wstring> CColorSelectDialog::Pick(const std::wstring& item) {
    const HWND dialog = GetSafeHwnd();
    if (item == kShow256Text) {
        if (!m_show256Enabled) return std::wstring(L"the check box \"Show256\" is disabled");
        ::SendMessageW(::GetDlgItem(dialog, kShow256Check), BM_CLICK, 0, 0);
        return std::nullopt;
    }
    if (item == kOtherColourText) {
        ::SendMessageW(::GetDlgItem(dialog, kOtherColourButton), BM_CLICK, 0, 0);
        return std::nullopt;
    }
    // A click on an item selects it in its list box, which tells the dialog.
    const CString text(item.c_str());
    for (CColorListControl* list : {&m_standard, &m_user}) {
        const int index = list->m_visible ? list->FindItemText(text) : -1;
        if (index < 0) continue;
        const HWND window = list->GetSafeHwnd();
        ::SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(::GetDlgCtrlID(window)), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(window));
        return std::nullopt;
    }
    return L"the colour pop-up shows no \"" + item + L"\"";
}

std::vector<std::wstring> CColorSelectDialog::Describe() const {
    std::vector<std::wstring> lines;
    const SIZE size = GetWindowSize();
    lines.push_back(L"colour pop-up " + std::to_wstring(size.cx) + L"x" + std::to_wstring(size.cy) + L" show256 " +
                    (m_show256 ? L"on" : L"off") + (m_show256Enabled ? L"" : L" disabled") + L" current " +
                    std::wstring(ColourWordText(m_current).view()));
    const auto describeList = [&](const wchar_t* name, const CColorListControl& list) {
        const HWND window = list.GetSafeHwnd();
        // Where it stands in the client area, so that a user finds the gap between the lists.
        RECT place{};
        ::GetWindowRect(window, &place);
        POINT top{place.left, place.top}, bottom{place.right, place.bottom};
        ::ScreenToClient(GetSafeHwnd(), &top);
        ::ScreenToClient(GetSafeHwnd(), &bottom);
        std::wstring line = std::wstring(L"  ") + name + L" from y " + std::to_wstring(top.y) + L" to " +
                            std::to_wstring(bottom.y) + L" height " + std::to_wstring(list.m_height) + L" item height " +
                            std::to_wstring(::SendMessageW(window, LB_GETITEMHEIGHT, 0, 0)) + L" items " +
                            std::to_wstring(::SendMessageW(window, LB_GETCOUNT, 0, 0)) +
                            (list.m_visible ? L"" : L" hidden");
        const int selected = list.GetCurSel();
        if (selected >= 0) line += L" selected \"" + std::wstring(ColourWordText(list.GetItemData(selected)).view()) + L"\"";
        lines.push_back(line);
    };
    describeList(L"standard", m_standard);
    describeList(L"user", m_user);
    return lines;
}

void CColorSelectDialog::OnSelChange(int listId, int index) {
    CColorListControl& list = listId == kStandardList ? m_standard : m_user;
    CColorListControl& other = listId == kStandardList ? m_user : m_standard;
    list.SetCurSel(index);
    // The other list keeps its selection while it has no focus; left there it would win over
    // the colour just clicked.
    other.SetCurSel(-1);
    if (list.GetCurSel() >= 0) m_current = list.GetItemData(list.GetCurSel());
    OnOK();
}

void CColorSelectDialog::OnOK() {
    if (m_standard.GetCurSel() >= 0) {
        m_owner.SetColor(m_standard.GetItemData(m_standard.GetCurSel()), true);
    } else if (m_user.GetCurSel() >= 0) {
        m_owner.SetColor(m_user.GetItemData(m_user.GetCurSel()), true);
    } else {
        m_owner.ClosePopup();
    }
}

void CColorSelectDialog::OnShow256() {
    if (GetSafeHwnd()) m_show256 = IsDlgButtonChecked(kShow256Check) == BST_CHECKED;
    fillStandardList();
}

void CColorSelectDialog::OnOtherColour() {
    CColorDialog dialog(ColourOfWord(m_current) & 0xFFFFFFu, CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR);
    dialog.m_cc.hwndOwner = m_frame;
    dialog.m_cc.lpCustColors = m_custom.data();
    m_colourDialogOpen = true;
    const INT_PTR result = dialog.DoModal();
    m_colourDialogOpen = false;
    if (result != IDOK) {
        m_owner.ClosePopup();
        return;
    }
    m_current = TrueColourWord(dialog.GetColor());
    writeCustomColours();
    int index = m_user.FindItem(m_current);
    if (index < 0) index = m_user.AddItem(m_current);
    m_user.SetCurSel(index);
    m_standard.SetCurSel(-1);
    m_owner.SetColor(m_current, true);
}

void CColorSelectDialog::OnSize(int width, int height) {
    width = std::max(kMinimumSize, width);
    height = std::max(kMinimumSize, height);
    const int dy = height - m_height;
    m_width = width;
    m_height = height;
    if (m_standard.m_height + dy >= 11 || !m_userVisible)
        m_standard.m_height = std::max(11, m_standard.m_height + dy);
    else
        m_user.m_height = std::max(11, m_user.m_height + dy);
    layout();
}

bool CColorSelectDialog::DragSplitter(int dy) {
    if (!m_userVisible) return false;
    if (m_standard.m_height + dy <= 10 || m_user.m_height - dy <= 10) return false;
    m_standard.m_height += dy;
    m_user.m_height -= dy;
    layout();
    return true;
}

bool CColorSelectDialog::onSplitter(POINT screen) const {
    RECT standard{}, user{};
    if (!m_userVisible || !::GetWindowRect(m_standard.GetSafeHwnd(), &standard) ||
        !::GetWindowRect(m_user.GetSafeHwnd(), &user))
        return false;
    return screen.y > standard.bottom && screen.y < user.top;
}

bool CColorSelectDialog::mouse(UINT message, POINT screen) {
    switch (message) {
        case WM_LBUTTONDOWN:
            if (!onSplitter(screen)) return false;
            m_dragging = true;
            m_lastDrag = screen;
            ::SetCapture(GetSafeHwnd());
            return true;
        case WM_MOUSEMOVE:
            if (!m_dragging) return false;
            // A move that would squeeze a list to 10 pixels puts the mouse back.
            if (DragSplitter(screen.y - m_lastDrag.y))
                m_lastDrag = screen;
            else
                ::SetCursorPos(m_lastDrag.x, m_lastDrag.y);
            return true;
        case WM_LBUTTONUP:
            if (!m_dragging) return false;
            m_dragging = false;
            ::ReleaseCapture();
            return true;
        default: return false;
    }
}

LRESULT CColorSelectDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && (item->CtlID == kStandardList || item->CtlID == kUserList) && item->itemID != static_cast<UINT>(-1)) {
                CColorListControl::DrawItem(*item, m_nameWidth);
                return TRUE;
            }
            break;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam), code = HIWORD(wParam);
            if ((id == kStandardList || id == kUserList) && code == LBN_SELCHANGE) {
                OnSelChange(id, static_cast<int>(::SendMessageW(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0)));
                return 0;
            }
            if (id == kShow256Check && code == BN_CLICKED) {
                OnShow256();
                return 0;
            }
            if (id == kOtherColourButton && code == BN_CLICKED) {
                OnOtherColour();
                return 0;
            }
            break;
        }
        case WM_SIZE:
            if (m_placed) {
                const SIZE size = GetWindowSize();
                OnSize(static_cast<int>(size.cx), static_cast<int>(size.cy));
            }
            return 0;
        case WM_GETMINMAXINFO:
            if (auto* info = reinterpret_cast<MINMAXINFO*>(lParam)) info->ptMinTrackSize = POINT{kMinimumSize, kMinimumSize};
            return 0;
        case WM_SETCURSOR: {
            POINT at{};
            ::GetCursorPos(&at);
            if (onSplitter(at)) {
                ::SetCursor(::LoadCursorW(AfxGetResourceHandle(), kSplitterCursor));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            if (mouse(message, screenPoint(GetSafeHwnd(), lParam))) return 0;
            break;
        case WM_CAPTURECHANGED:
            m_dragging = false;
            break;
        default: break;
    }
    return ChooserDialog::WindowProc(message, wParam, lParam);
}

void CColorSelectDialog::Deactivate() {
    if (!m_open || m_closing || m_colourDialogOpen) return;
    m_owner.ClosePopup();
}

void CColorSelectDialog::Close() {
    if (!m_open) return;
    // The sizes are written while the window still has them.
    writeState();
    no_set_focus_color_dlg = false;
    BeginClose();
    m_standard.Attach(nullptr);
    m_user.Attach(nullptr);
    DestroyChooserWindow();
}
