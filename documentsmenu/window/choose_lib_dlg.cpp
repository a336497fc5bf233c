#include "documentsmenu/window/choose_lib_dlg.h"

#include <algorithm>

#include "platform/win32.h"

BEGIN_MESSAGE_MAP(CChooseLibDlg, CXTPResizeDialog)
    ON_CONTROL(LBN_DBLCLK, CChooseLibDlg::kList, &CChooseLibDlg::OnOK)
END_MESSAGE_MAP()

CChooseLibDlg::CChooseLibDlg(CWnd* parent) : CXTPResizeDialog(kTemplate, parent) {}

CChooseLibDlg::~CChooseLibDlg() {
    if (icon_) DestroyIcon(icon_);
}

void CChooseLibDlg::DoDataExchange(CDataExchange* pDX) {
    CXTPResizeDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kList, list_);
}

BOOL CChooseLibDlg::OnInitDialog() {
    CXTPResizeDialog::OnInitDialog();
    icon_ = static_cast<HICON>(LoadImageW(GlobalContainer::GetIconsDll(), kIcon, IMAGE_ICON, 16, 16, 0));
    if (icon_) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    SetWindowText(KVLoadString(kTitle));
    if (const HWND hidden = ::GetDlgItem(GetSafeHwnd(), kHiddenControl)) ::ShowWindow(hidden, SW_HIDE);
    fill();
    setHorizontalExtent();
    SetResize(kList, XTP_RESIZEPOINT{0, 0}, XTP_RESIZEPOINT{1, 1});
    SetResize(IDOK, XTP_RESIZEPOINT{1, 1}, XTP_RESIZEPOINT{1, 1});
    SetResize(IDCANCEL, XTP_RESIZEPOINT{1, 1}, XTP_RESIZEPOINT{1, 1});
    ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDOK), list_.GetCount() > 0);
    return TRUE;
}

// Only the libraries a configuration holds itself: those of its groups are not offered.
void CChooseLibDlg::fill() {
    DocumentsMenu::IConfigurationsGroup* configurations = DocumentsMenu::GlobalCfgGroup();
    const int count = configurations ? configurations->GetCount() : 0;
    for (int index = 0; index < count; ++index) {
        DocumentsMenu::IConfiguration* configuration = configurations->GetConfigurationAt(index);
        if (!configuration) continue;
        auto* group = static_cast<DocumentsMenu::ILibrariesGroup*>(configuration);
        for (int at = 0; at < group->GetLibraryCount(); ++at) {
            DocumentsMenu::ILibrary* library = group->GetLibraryAt(at);
            if (!library) continue;
            CString text;
            text.Format(L"%s (%s)", library->GetDisplayName().GetString(), group->GetDisplayName().GetString());
            const int entry = list_.AddString(text);
            if (entry >= 0) list_.SetItemDataPtr(entry, library);
        }
    }
}

void CChooseLibDlg::setHorizontalExtent() {
    const HWND list = list_.GetSafeHwnd();
    HDC dc = ::GetDC(list);
    if (!dc) return;
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
    int widest = 0;
    for (int index = 0; index < list_.GetCount(); ++index) {
        CString text;
        list_.GetText(index, text);
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, text.GetString(), text.GetLength(), &size)) widest = std::max<int>(widest, size.cx);
    }
    if (previous) ::SelectObject(dc, previous);
    ::ReleaseDC(list, dc);
    list_.SetHorizontalExtent(widest + 2 * ::GetSystemMetrics(SM_CXEDGE));
}

void CChooseLibDlg::OnOK() {
    const int selected = list_.GetCurSel();
    if (selected != LB_ERR) library_ = static_cast<DocumentsMenu::ILibrary*>(list_.GetItemDataPtr(selected));
    CXTPResizeDialog::OnOK();
}
