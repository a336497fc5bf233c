#include "auxiliary/spaceball/spaceball_page.h"

#include <algorithm>
#include <cmath>

#include "auxiliary/spaceball/spaceball_button_dialogs.h"
#include "platform/win32.h"
#include "platform/win32/controls/trackbar.h"

namespace {

constexpr const wchar_t* kModeNames[] = {L"3D", L"w/plane", L"2D"};
constexpr int kPageModes = 3;
// The template's names of the device's axes, in the order of the axis indexes.
constexpr const wchar_t* kAxisNames[] = {L"X", L"Y", L"Z", L"Rx", L"Ry", L"Rz"};
constexpr int kSliderTop = 100;
constexpr int kButtonColumnWidth = 60;
constexpr int kActionColumnWidth = 250;
constexpr UINT kAddCommandItem = 10;
constexpr UINT kAddKeyItem = 11;
constexpr UINT kRemoveItem = 12;
constexpr int kIconSize = 16;  // at 96 dpi

void exchangeComboIndex(CDataExchange* exchange, int id, int& value) {
    const HWND combo = exchange->PrepareCtrl(id);
    if (!combo) return;
    if (!exchange->m_bSaveAndValidate) {
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        return;
    }
    // A combo box without a choice leaves the value as it was.
    const auto index = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    if (index >= 0) value = index;
}

void exchangeCheck(CDataExchange* exchange, int id, int& value) {
    const HWND button = exchange->PrepareCtrl(id);
    if (!button) return;
    if (exchange->m_bSaveAndValidate)
        value = ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        ::SendMessageW(button, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void exchangeSlider(CDataExchange* exchange, int id, int& value) {
    const HWND slider = exchange->PrepareCtrl(id);
    if (!slider) return;
    if (exchange->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0));
    else
        ::SendMessageW(slider, TBM_SETPOS, TRUE, value);
}

void fillCombo(HWND combo, const wchar_t* const* names, int count) {
    auto entries = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (; entries < count; ++entries) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[entries]));
    while (entries > count) ::SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(--entries), 0);
}

void insertColumn(HWND list, int column, const CString& heading, int width) {
    LVCOLUMNW info;
    info.mask = LVCF_WIDTH | LVCF_TEXT;
    info.cx = width;
    info.pszText = const_cast<wchar_t*>(heading.GetString());
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

CString k3cFilter() { return KVLoadString(40357); }

}  // namespace

// The small epsilon keeps a value the page stored itself (0.29 is 0.28999...) on its own step.
int SpaceballSliderPosition(double sensitivity) {
    return static_cast<int>(std::trunc(sensitivity * kSliderTop + 1e-9));
}

double SpaceballSensitivity(int position) { return position / static_cast<double>(kSliderTop); }

void CKVSpaceballConfigDlg::DoDataExchange(CDataExchange* exchange) {
    CXTPPropertyPage::DoDataExchange(exchange);
    exchangeComboIndex(exchange, kModeCombo, m_mode);
    for (int axis = 0; axis < kAxisCount; ++axis) {
        exchangeComboIndex(exchange, kAxisCombos[axis], m_axes[axis]);
        exchangeCheck(exchange, kInvertChecks[axis], m_inverts[axis]);
        exchangeSlider(exchange, kSensitivitySliders[axis], m_sensitivities[axis]);
    }
    exchangeSlider(exchange, kOverallSlider, m_overall);
}

BEGIN_MESSAGE_MAP(CKVSpaceballConfigDlgImpl, CXTPPropertyPage)
    ON_CONTROL(CBN_SELCHANGE, CKVSpaceballConfigDlg::kModeCombo, &CKVSpaceballConfigDlgImpl::OnModeChanged)
    ON_MESSAGE(WM_CONTEXTMENU, &CKVSpaceballConfigDlgImpl::OnButtonContextMenu)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_COMMAND(CKVSpaceballConfigDlgImpl::kDefaultsCommand, &CKVSpaceballConfigDlgImpl::OnDefaults)
    ON_COMMAND(CKVSpaceballConfigDlgImpl::kLoadPresetCommand, &CKVSpaceballConfigDlgImpl::OnLoadPreset)
    ON_COMMAND(CKVSpaceballConfigDlgImpl::kSavePresetCommand, &CKVSpaceballConfigDlgImpl::OnSavePreset)
END_MESSAGE_MAP()

CKVSpaceballConfigDlgImpl::CKVSpaceballConfigDlgImpl(const std::vector<UINT>& commands, HWND deviceWindow)
    : m_commands(commands), m_deviceWindow(deviceWindow) {
    const int size = XTPDpiHelper()->ScaleX(kIconSize);
    if (m_images.Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 1))
        for (const UINT icon : kButtonIcons) UIModuleProxy::Instance().AddIconToImageList(m_images, icon);
}

CKVSpaceballConfigDlgImpl::CIconButton::~CIconButton() {
    if (m_icon) ::DestroyIcon(m_icon);
}

void CKVSpaceballConfigDlgImpl::CIconButton::Show(HWND button, HICON icon) {
    if (m_hWnd) UnsubclassWindow();
    if (m_icon) ::DestroyIcon(m_icon);
    m_icon = icon;
    if (!button || !SubclassWindow(button)) return;
    ModifyStyle(0, BS_ICON);
    SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

BOOL CKVSpaceballConfigDlgImpl::OnInitDialog() {
    // The sheet makes a page's window anew each time its tab is shown; the page's copies of the
    // mappings outlive its windows, so only the first showing starts from the device's presets.
    const bool again = m_settingsLoaded != FALSE;
    if (!again) {
        m_mode = 0;
        for (int axis = 0; axis < kAxisCount; ++axis) {
            m_axes[axis] = axis;
            m_inverts[axis] = m_sensitivities[axis] = 0;
        }
        m_overall = 0;
    }
    CXTPPropertyPage::OnInitDialog();
    EnableToolTips(TRUE);
    const HWND page = GetSafeHwnd();
    // The sheet makes the page's window anew each time: its buttons are taken over each time.
    for (int index = 0; index < kIconButtonCount; ++index)
        if (const HWND button = ::GetDlgItem(page, static_cast<int>(kIconButtons[index])); button && index < m_images.GetImageCount())
            m_iconButtons[index].Show(button, m_images.ExtractIcon(index));
    fillCombo(::GetDlgItem(page, kModeCombo), kModeNames, kPageModes);
    for (const int combo : kAxisCombos)
        if (::SendMessageW(::GetDlgItem(page, combo), CB_GETCOUNT, 0, 0) == 0) fillCombo(::GetDlgItem(page, combo), kAxisNames, kAxisCount);

    CKVSpaceballDeviceManager& device = CKVSpaceballDeviceManager::Instance();
    device.Lock(page, 0);
    m_locked = TRUE;

    const HWND list = List();
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    insertColumn(list, 0, Korvo::I18n::Translate(L"spaceball.cmd_panel.buttons"), kButtonColumnWidth);
    insertColumn(list, 1, Korvo::I18n::Translate(L"spaceball.cmd_panel.actions"), kActionColumnWidth);
    m_deviceButtons = device.GetDeviceSupportButtons(m_deviceWindow);
    for (const auto& [id, name] : m_deviceButtons) {
        LVITEMW item;
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(name.GetString());
        item.lParam = id;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }

    if (again) {
        FillFromMapping();
    } else if (device.GetDeviceInfo(m_deviceWindow, m_info)) {
        m_usableButtons = std::min(static_cast<int>(m_deviceButtons.size()), m_info.buttons);
        m_usableAxes = std::min(m_info.axes, kAxisCount);
        for (int mode = 0; mode < kSpaceballModeCount; ++mode) device.GetPresetForMode(mode, m_mappings[mode]);
        m_mode = KVGetSpaceballViewMode(KVGetActiveView());
        m_storeForOtherMode = m_storeMode = 0;
        FillFromMapping();
    }
    for (const int slider : kSensitivitySliders) ::SendMessageW(::GetDlgItem(page, slider), TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderTop));
    ::SendMessageW(::GetDlgItem(page, kOverallSlider), TBM_SETRANGE, TRUE, MAKELPARAM(0, kSliderTop));
    UpdateData(FALSE);
    return TRUE;
}

void CKVSpaceballConfigDlgImpl::DoDataExchange(CDataExchange* exchange) {
    CKVSpaceballConfigDlg::DoDataExchange(exchange);
    if (exchange->m_bSaveAndValidate) StoreSettings();
}

CString CKVSpaceballConfigDlgImpl::EventText(const ButtonEvent& event) const {
    if (event.kind == ButtonEvent::Command)
        return event.command != 0 ? GetStrWithoutCommandLetters(GlobalContainer::GetCmdDescr(event.command)) : CString();
    return event.key != 0 ? GetKeyName(event.key, event.extended != 0) : CString();
}

void CKVSpaceballConfigDlgImpl::FillFromMapping() {
    const CKVSpaceballMapping& mapping = m_mappings[std::clamp(m_mode, 0, kPageModes - 1)];
    for (int axis = 0; axis < kAxisCount; ++axis) {
        m_axes[axis] = static_cast<int>(mapping.axes[axis].axis);
        m_inverts[axis] = mapping.axes[axis].invert ? 1 : 0;
        m_sensitivities[axis] = SpaceballSliderPosition(mapping.axes[axis].sensitivity);
    }
    m_overall = SpaceballSliderPosition(mapping.overall);
    m_carried = mapping.carried;
    for (const auto& [button, name] : m_deviceButtons) {
        const ButtonEvent event = mapping.GetButtonEvent(button);
        const CString text = event.IsNone() ? CString() : EventText(event);
        if (text.IsEmpty()) {
            ClearButtonEvent(button);
            continue;
        }
        m_buttonEvents[button] = event;
        ShowButtonText(button, text);
    }
    m_settingsLoaded = TRUE;
}

void CKVSpaceballConfigDlgImpl::StoreSettings() {
    const int mode = m_storeForOtherMode ? m_storeMode : m_mode;
    if (mode < 0 || mode >= kPageModes) return;
    CKVSpaceballMapping& mapping = m_mappings[mode];
    for (int axis = 0; axis < kAxisCount; ++axis) {
        mapping.axes[axis].axis = static_cast<UINT>(std::max(0, m_axes[axis]));
        mapping.axes[axis].invert = m_inverts[axis] ? 1 : 0;
        mapping.axes[axis].sensitivity = SpaceballSensitivity(m_sensitivities[axis]);
    }
    mapping.carried = m_carried == 1 ? 1 : 0;
    mapping.overall = SpaceballSensitivity(m_overall);
    for (const auto& [button, event] : m_buttonEvents) mapping.buttons[button] = event;
}

void CKVSpaceballConfigDlgImpl::OnModeChanged() {
    m_storeMode = m_mode;
    m_storeForOtherMode = 1;
    UpdateData(TRUE);
    m_storeForOtherMode = 0;
    FillFromMapping();
    UpdateData(FALSE);
}

void CKVSpaceballConfigDlgImpl::OnDefaults() {
    const int mode = std::clamp(m_mode, 0, kPageModes - 1);
    CKVSpaceballDeviceManager::Instance().GetDefaultMapping(mode, m_mappings[mode]);
    FillFromMapping();
    UpdateData(FALSE);
}

void CKVSpaceballConfigDlgImpl::ShowButtonText(int button, const CString& text) {
    const HWND list = List();
    const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        LVITEMW item;
        item.mask = LVIF_PARAM;
        item.iItem = row;
        if (!::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) || item.lParam != button) continue;
        LVITEMW cell;
        cell.iSubItem = 1;
        cell.pszText = const_cast<wchar_t*>(text.GetString());
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
}

void CKVSpaceballConfigDlgImpl::ClearButtonEvent(int button) {
    m_buttonEvents[button] = ButtonEvent::ForCommand(0);
    ShowButtonText(button, CString());
}

void CKVSpaceballConfigDlgImpl::SetButtonEvent(int button, const ButtonEvent& event) {
    const CString text = EventText(event);
    if (text.IsEmpty()) {
        ClearButtonEvent(button);
        return;
    }
    m_buttonEvents[button] = event;
    ShowButtonText(button, text);
}

// The fourth mode is the device manager's own: no choice on the page reaches it.
void CKVSpaceballConfigDlgImpl::CopyButtonToAllModes(int button, const ButtonEvent& event) {
    for (int mode = 0; mode < kPageModes; ++mode) m_mappings[mode].buttons[button] = event;
}

int CKVSpaceballConfigDlgImpl::SelectedButton() const {
    const HWND list = List();
    const auto row = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return -1;
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return static_cast<int>(item.lParam);
}

LRESULT CKVSpaceballConfigDlgImpl::OnButtonContextMenu(WPARAM window, LPARAM point) {
    const int button = SelectedButton();
    if (reinterpret_cast<HWND>(window) != List() || button < 0) return Default();
    const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    const HMENU menu = ::CreatePopupMenu();
    const CString addCommand = Korvo::I18n::Translate(L"spaceball.cmd_panel.menu.add_command");
    const CString addKey = Korvo::I18n::Translate(L"spaceball.cmd_panel.menu.add_key");
    const CString remove = Korvo::I18n::Translate(L"spaceball.cmd_panel.menu.remove");
    ::AppendMenuW(menu, MF_STRING, kAddCommandItem, addCommand);
    ::AppendMenuW(menu, MF_STRING, kAddKeyItem, addKey);
    ::AppendMenuW(menu, MF_STRING, kRemoveItem, remove);
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, GetSafeHwnd(), nullptr));
    ::DestroyMenu(menu);
    if (chosen == kAddCommandItem) {
        const ButtonEvent current = m_buttonEvents[button];
        CommandDialog dialog(*this, current.kind == ButtonEvent::Command ? current.command : 0, at);
        if (dialog.DoModal() == IDOK && dialog.GetCommand() != 0) {
            const ButtonEvent event = ButtonEvent::ForCommand(dialog.GetCommand());
            SetButtonEvent(button, event);
            if (dialog.ForAllModes()) CopyButtonToAllModes(button, event);
        }
    } else if (chosen == kAddKeyItem) {
        KeyDialog dialog(*this, at);
        if (dialog.DoModal() == IDOK && dialog.GetKey() != 0) {
            const ButtonEvent event = ButtonEvent::ForKey(dialog.GetKey(), dialog.IsExtended());
            SetButtonEvent(button, event);
            if (dialog.ForAllModes()) CopyButtonToAllModes(button, event);
        }
    } else if (chosen == kRemoveItem) {
        ClearButtonEvent(button);
    }
    return 0;
}

void CKVSpaceballConfigDlgImpl::OnLoadPreset() {
    CFileDialog dialog(TRUE, L"k3c", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING, k3cFilter(), this);
    if (dialog.DoModal() == IDOK) LoadPreset(dialog.GetPathName());
    UpdateData(FALSE);
}

void CKVSpaceballConfigDlgImpl::OnSavePreset() {
    CFileDialog dialog(FALSE, L"k3c", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING, k3cFilter(), this);
    if (dialog.DoModal() == IDOK) SavePreset(dialog.GetPathName());
}

LRESULT CKVSpaceballConfigDlgImpl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // While the page holds the device, its input arrives here instead of in the views.
    if (message == CKVSpaceballDeviceManager::GetMessageID()) {
        CKVSpaceballDeviceManager::ParseMessage(GetSafeHwnd(), message, wParam, lParam, nullptr);
        return 0;
    }
    return CKVSpaceballConfigDlg::WindowProc(message, wParam, lParam);
}

BOOL CKVSpaceballConfigDlgImpl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        const HWND tool = (info->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(header->idFrom) : nullptr;
        if (tool && dynamic_cast<CIconButton*>(CWnd::FromHandlePermanent(tool))) {
            static_assert(kMaxTipLength <= sizeof(NMTTDISPINFOW::szText) / sizeof(wchar_t));
            ::GetWindowTextW(tool, info->szText, kMaxTipLength);
            info->lpszText = info->szText;
            if (pResult) *pResult = 0;
            return TRUE;
        }
    }
    return CKVSpaceballConfigDlg::OnNotify(wParam, lParam, pResult);
}

void CKVSpaceballConfigDlgImpl::OnClose() {
    CKVSpaceballDeviceManager::Instance().Unlock(GetSafeHwnd());
    // Unlocked once: the window's end must not unlock a device another window may hold by then.
    m_locked = FALSE;
    CKVSpaceballConfigDlg::OnClose();
}

void CKVSpaceballConfigDlgImpl::OnDestroy() {
    UpdateData(TRUE);
    if (m_locked) {
        CKVSpaceballDeviceManager::Instance().Unlock(GetSafeHwnd());
        m_locked = FALSE;
    }
    CKVSpaceballConfigDlg::OnDestroy();
}

void CKVSpaceballConfigDlgImpl::SaveSettings() {
    if (!m_settingsLoaded) return;
    CKVSpaceballDeviceManager& device = CKVSpaceballDeviceManager::Instance();
    for (int mode = 0; mode < kSpaceballModeCount; ++mode) m_mappings[mode].SavePreset(mode, nullptr);
    device.UpdatePresets();
    if (CKVView* view = KVGetActiveView()) device.UpdateButtons(view->GetSafeHwnd());
}

std::unique_ptr<CKVSpaceballConfigDlg> CreateSpaceballSettingsPage(const std::vector<UINT>& commands, HWND window) {
    if (!CKVSpaceballDeviceManager::Instance().Detect(window)) return nullptr;
    return std::make_unique<CKVSpaceballConfigDlgImpl>(commands, window);
}
