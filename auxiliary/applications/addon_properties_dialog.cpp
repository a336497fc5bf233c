#include "auxiliary/applications/addon_properties_dialog.h"

#include "platform/textcore.h"
#include "platform/win32.h"

namespace {

struct StartMode {
    DWORD value;
    const wchar_t* key;
};
constexpr StartMode kStartModes[] = {
    {0, L"dialogs.application.start.on_demand"},
    {2, L"dialogs.application.start.automatic"},
    {3, L"dialogs.application.start.before_all"},
    {0x200, L"dialogs.application.start.manual"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CAddonProp, CDialog)
    ON_BN_CLICKED(CAddonProp::kAutoStart, &CAddonProp::OnAutoStartClicked)
END_MESSAGE_MAP()

bool CAddonProp::IsOffered(DWORD value, DWORD flags) { return !(value & 2) || (value & 1) == (flags & 1); }

BOOL CAddonProp::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(kName, application_.GetTitle());
    SetDlgItemText(kPath, application_.GetPath());
    const DWORD flags = application_.GetFlags();
    if (const HWND combo = Item(kStartMode)) {
        for (const StartMode& mode : kStartModes) {
            if (!IsOffered(mode.value, flags)) continue;
            const CString text = Korvo::I18n::Translate(mode.key);
            const auto row = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(mode.value));
            // Every mode the flags hold is selected in turn: the last one stays.
            if ((mode.value & flags) == mode.value) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
        }
        return TRUE;
    }
    CheckDlgButton(kAutoStart, application_.IsAutoStart() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(kStartup, application_.IsStartup() ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(Item(kStartup), FALSE);
    return TRUE;
}

void CAddonProp::OnAutoStartClicked() {
    const bool on = IsDlgButtonChecked(kAutoStart) == BST_CHECKED;
    CheckDlgButton(kStartup, application_.IsStartup() && on ? BST_CHECKED : BST_UNCHECKED);
}

void CAddonProp::OnOK() {
    if (const HWND combo = Item(kStartMode)) {
        const auto row = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
        const auto value = row == CB_ERR ? DWORD{0} : static_cast<DWORD>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(row), 0));
        application_.SetAutoStart((value & 2) != 0);
        application_.SetExplicitStartOnly((value & 0x200) != 0);
    } else {
        application_.SetAutoStart(IsDlgButtonChecked(kAutoStart) == BST_CHECKED);
    }
    application_.SaveInINI(iniPath_);
    EndDialog(IDOK);
}
