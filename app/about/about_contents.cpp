// What the About box shows: filled in when it opens.
#include <iterator>

#include "app/about/about_dialog.h"
#include "app/about/about_texts.h"
#include "app/kvw32_app.h"
#include "platform/kernel.h"

namespace {

constexpr int kOwner = 1034;
constexpr int kVersionBlock = 1647;
constexpr int kProductLink = 1156;
constexpr int kWebLinkText = 1258;
constexpr int kWebLink = 5555;
constexpr int kIcon = 1055;
constexpr int kApplicationIcon = 1;
constexpr UINT kBuildWord = 10054;
constexpr int kTextsWithPlaceholders[] = {1324, 3324, 3325, 3326};

CString BuildDate() {
    const __time64_t built = KVGetBuildTime();
    std::tm local{};
    if (_localtime64_s(&local, &built) != 0) return {};
    wchar_t text[64] = {};
    return std::wcsftime(text, std::size(text), L"%x", &local) ? CString(text) : CString();
}

}  // namespace

CAboutDlg::~CAboutDlg() {
    if (icon_) DestroyIcon(icon_);
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kProductLink, productLink_);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Clicks on the product link reach the dialog as commands.
    productLink_.ModifyStyle(0, SS_NOTIFY);
    ShowOwner();
    ShowVersion();
    PutWebLink();
    ReplacePlaceholders();
    icon_ = LoadIconW(AfxGetResourceHandle(), kApplicationIcon);
    if (CWnd* icon = GetDlgItem(kIcon); icon && icon_)
        icon->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    return TRUE;
}

void CAboutDlg::ShowOwner() {
    CKvw32App* app = CKvw32App::Instance();
    CString text;
    if (app) {
        HKEY opened = nullptr;
        const CString path = L"SOFTWARE\\" + app->GetCompany() + L"\\" + app->GetRegistryName();
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &opened) == ERROR_SUCCESS) {
            text = AboutOwnerText(ReadRegistrationValue(opened, L"SetupRegisteredOwner"),
                                  ReadRegistrationValue(opened, L"SetupRegisteredOrganization"));
            ::RegCloseKey(opened);
        }
    }
    SetDlgItemText(kOwner, text);
}

void CAboutDlg::ShowVersion() {
    CKvw32App* app = CKvw32App::Instance();
    KVPDMWorkMix* workMix = KVPDMWorkMix::Instance();
    const AboutVersionBlock block = MakeAboutVersionBlock(app ? app->GetVersionText() : CString(), KVLoadString(kBuildWord),
                                                          BuildDate(), workMix ? workMix->VarnelInfo() : CString());
    SetDlgItemText(kVersionBlock, block.text);
    if (CWnd* edit = GetDlgItem(kVersionBlock))
        edit->SendMessage(EM_SETSEL, static_cast<WPARAM>(block.versionStart), static_cast<LPARAM>(block.versionEnd));
}

void CAboutDlg::PutWebLink() {
    CWnd* placeholder = GetDlgItem(kWebLinkText);
    if (!placeholder) return;
    RECT rect{};
    placeholder->GetWindowRect(&rect);
    POINT topLeft{rect.left, rect.top};
    ::ScreenToClient(m_hWnd, &topLeft);
    CString caption;
    placeholder->GetWindowText(caption);
    const CString markup = L"<a href=\"http://" + KVGetWebsiteAddress() + L"\">" + caption + L"</a>";
    HWND link = ::CreateWindowExW(0, WC_LINK, markup, WS_CHILD | WS_VISIBLE | WS_TABSTOP, topLeft.x, topLeft.y,
                                  rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWebLink)), nullptr, nullptr);
    if (link) ::SendMessageW(link, WM_SETFONT, placeholder->SendMessage(WM_GETFONT, 0, 0), FALSE);
    placeholder->ShowWindow(SW_HIDE);
}

void CAboutDlg::ReplacePlaceholders() {
    CKvw32App* app = CKvw32App::Instance();
    const CString product = app ? app->GetProductTitle() : CString();
    for (const int id : kTextsWithPlaceholders) {
        CString text;
        if (GetDlgItemText(id, text) > 0) SetDlgItemText(id, ReplaceAboutPlaceholders(text, product, true));
    }
    CString caption;
    GetWindowText(caption);
    SetWindowText(ReplaceAboutPlaceholders(caption, product, false));
}
