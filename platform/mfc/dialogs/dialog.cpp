#include "platform/mfc/dialogs/dialog.h"

#include <optional>
#include <variant>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/mfc/thread.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/process/system.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/modal_pass.h"

namespace {

constexpr WPARAM kMsgfDialogBox = 0;  // MSGF_DIALOGBOX: WM_KICKIDLE from a dialog's loop

std::wstring dialogName(const CWnd* dialog, UINT templateId) {
    return L"dialog " + std::to_wstring(templateId) + L" (" + platform::core::handleText(CWnd::SafeHwnd(dialog)) + L")";
}

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE)); }

bool isRadio(HWND hwnd) {
    wchar_t name[16] = {};
    ::GetClassNameW(hwnd, name, 16);
    const DWORD kind = styleOf(hwnd) & BS_TYPEMASK;
    return std::wstring_view(name) == L"BUTTON" && (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON);
}

// The radio buttons of the group that starts at `first`, in order.
std::vector<HWND> radioGroup(HWND first) {
    std::vector<HWND> group;
    for (HWND hwnd = first; hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (hwnd != first && (styleOf(hwnd) & WS_GROUP)) break;
        if (isRadio(hwnd)) group.push_back(hwnd);
    }
    return group;
}

// One message of the thread's queue through its own pump (PreTranslateMessage and all).
void pumpOne() {
    if (CWinThread* thread = AfxGetThread()) {
        thread->PumpMessage();
        return;
    }
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND control = ::GetDlgItem(CWnd::SafeHwnd(m_pDlgWnd), nIDC);
    if (!control) {
        const auto* dialog = dynamic_cast<const CDialog*>(m_pDlgWnd);
        platform::core::reportFailure(L"data exchange of " + dialogName(m_pDlgWnd, dialog ? dialog->GetTemplateID() : 0) +
                                      L": the dialog has no control " + std::to_wstring(nIDC));
    }
    return control;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    if (control.GetSafeHwnd()) return;
    if (HWND hwnd = pDX->PrepareCtrl(nIDC)) control.SubclassWindow(hwnd);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND first = pDX->PrepareCtrl(nIDC);
    if (!first) return;
    const std::vector<HWND> group = radioGroup(first);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < group.size(); ++i)
            if (::SendMessageW(group[i], BM_GETCHECK, 0, 0) == BST_CHECKED) value = static_cast<int>(i);
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i)
        ::SendMessageW(group[i], BM_SETCHECK, static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control) return;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(control, value.GetString());
        return;
    }
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    value = text.c_str();
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow();
}

INT_PTR CDialog::DoModal() {
    // The owner is the top-level window of the parent, or of the main window without one.
    HWND parent = CWnd::SafeHwnd(m_pParentWnd);
    if (!parent) parent = CWnd::SafeHwnd(AfxGetMainWnd());
    HWND owner = parent ? ::GetAncestor(parent, GA_ROOT) : nullptr;
    const bool ownerDisabled = owner && ::IsWindowEnabled(owner);
    if (ownerDisabled) ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_inModalLoop = true;
    if (createFromTemplate(owner)) runModalLoop();
    m_inModalLoop = false;
    // The owner comes back before the dialog goes, so activation returns to it.
    if (ownerDisabled && ::IsWindow(owner)) ::EnableWindow(owner, TRUE);
    if (m_hWnd) DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_inModalLoop = false;
    return createFromTemplate(CWnd::SafeHwnd(pParentWnd)) ? TRUE : FALSE;
}

void CDialog::SetInlineTemplate(platform::mfc::DialogTemplate dialog, std::wstring name) {
    m_inlineTemplate = std::move(dialog);
    m_dialogName = std::move(name);
}

std::variant<platform::mfc::DialogTemplate, std::wstring> CDialog::FindTemplate() const {
    if (m_inlineTemplate) return *m_inlineTemplate;
    return platform::mfc::findDialogTemplate(m_nIDTemplate);
}

void CDialog::createControls(const platform::mfc::DialogTemplate& dialog) {
    for (const platform::mfc::DialogControlTemplate& control : dialog.controls) {
        const RECT& r = control.rect;
        const HWND made = ::CreateWindowExW(0, control.className.c_str(), control.text.c_str(), control.style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<WORD>(control.id))), nullptr, nullptr);
        for (const std::wstring& item : control.items)
            ::SendMessageW(made, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

bool CDialog::createFromTemplate(HWND owner) {
    const auto found = FindTemplate();
    if (const auto* problem = std::get_if<std::wstring>(&found)) {
        platform::core::reportFailure(std::wstring(m_inModalLoop ? L"CDialog::DoModal(" : L"CDialog::Create(") +
                                      std::to_wstring(m_nIDTemplate) + L"): " + *problem);
        return false;
    }
    const auto& dialog = std::get<platform::mfc::DialogTemplate>(found);
    RECT area{};
    if (!owner || !::GetWindowRect(owner, &area)) {
        MONITORINFO info;
        ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    const int x = (area.left + area.right - dialog.size.cx) / 2, y = (area.top + area.bottom - dialog.size.cy) / 2;
    // A pop-up template drops from what opened it: no caption, a sizing frame.
    const DWORD style = dialog.popup ? WS_POPUP | WS_THICKFRAME : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = dialog.popup ? WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME;
    if (!CreateEx(exStyle, L"#32770", dialog.caption.c_str(), style, x, y, dialog.size.cx, dialog.size.cy, owner,
                  nullptr)) {
        platform::core::reportFailure(std::wstring(m_inModalLoop ? L"CDialog::DoModal(" : L"CDialog::Create(") +
                                      std::to_wstring(m_nIDTemplate) + L"): the dialog window cannot be created");
        return false;
    }
    createControls(dialog);
    SendMessage(WM_INITDIALOG, 0, 0);
    if (!m_hWnd) return false;
    if (m_inModalLoop) ShowWindow(SW_SHOWNORMAL);
    return true;
}

bool CDialog::CreateChild(HWND parent, int x, int y) {
    const auto found = FindTemplate();
    if (const auto* problem = std::get_if<std::wstring>(&found)) {
        platform::core::reportFailure(L"dialog " + std::to_wstring(m_nIDTemplate) + L" as a child: " + *problem);
        return false;
    }
    const auto& dialog = std::get<platform::mfc::DialogTemplate>(found);
    if (!CreateEx(WS_EX_CONTROLPARENT, L"#32770", dialog.caption.c_str(), WS_CHILD | WS_VISIBLE, x, y, dialog.size.cx,
                  dialog.size.cy, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_nIDTemplate)))) {
        return false;
    }
    createControls(dialog);
    SendMessage(WM_INITDIALOG, 0, 0);
    return m_hWnd != nullptr;
}

void CDialog::runModalLoop() {
    using platform::core::DialogAction;
    platform::core::DialogRequest request;
    request.owner = ::GetWindow(m_hWnd, GW_OWNER);
    request.dialog = m_hWnd;
    request.templateId = m_nIDTemplate;
    CString caption;
    GetWindowText(caption);
    request.caption = caption.GetString();
    if (const CRuntimeClass* runtimeClass = GetRuntimeClass()) request.className = platform::core::fromUtf8(runtimeClass->m_lpszClassName);
    request.name = m_dialogName;
    request.thread = ::GetCurrentThreadId();

    bool asked = false;
    bool calledBack = false;
    std::optional<platform::core::DialogAnswer> answer;
    std::size_t nextAction = 0;
    // The loop works in passes over what waits (platform/win32/window/modal_pass.h): the user
    // acts between passes, however busy the queue stays.
    bool inPass = false;
    while (m_inModalLoop && m_hWnd) {
        if (!inPass) {
            platform::win32::beginModalPass();
            inPass = true;
        }
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            // WM_QUIT ends the dialog and stays queued for the loop outside.
            if (msg.message == WM_QUIT) {
                EndDialog(-1);
                break;
            }
            if (!platform::win32::endsModalPass(msg)) {
                pumpOne();
                continue;
            }
            // WM_QUIT comes only once nothing else waits, so after the pass's end too.
            if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message == WM_QUIT) {
                EndDialog(-1);
                break;
            }
        }
        inPass = false;
        SendMessage(WM_KICKIDLE, kMsgfDialogBox, 0);
        if (!m_inModalLoop) break;
        if (!asked) {
            asked = true;
            answer = platform::core::userAgent().answerDialog(request);
            if (!answer) answer = platform::core::DialogAnswer{{DialogAction{DialogAction::Kind::Cancel, 0, {}}}, {}};
            continue;
        }
        if (nextAction < answer->actions.size()) {
            const DialogAction& action = answer->actions[nextAction++];
            platform::core::journal().add("dialog", platform::core::describeDialogAction(action));
            if (auto refusal = platform::core::performDialogAction(m_hWnd, action)) {
                platform::core::reportFailure(dialogName(this, m_nIDTemplate) + L": " +
                                              platform::core::describeDialogAction(action) + L": " + *refusal +
                                              L"; the dialog is cancelled");
                EndDialog(IDCANCEL);
            }
            continue;
        }
        if (answer->whileOpen && !calledBack) {
            calledBack = true;
            answer->whileOpen(request);
            continue;
        }
        platform::core::reportFailure(dialogName(this, m_nIDTemplate) +
                                      L" is still open after its answer; the dialog is cancelled");
        EndDialog(IDCANCEL);
    }
    platform::core::journal().add("dialog", L"ended " + std::to_wstring(m_nModalResult));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_inModalLoop = false;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (!m_hWnd) return FALSE;
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (HWND button = ::GetDlgItem(m_hWnd, id))
            ::SendMessageW(button, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const {
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (HWND button = ::GetDlgItem(m_hWnd, id); button && ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
            return id;
    return 0;
}

UINT CDialog::IsDlgButtonChecked(int nIDButton) const {
    HWND button = ::GetDlgItem(m_hWnd, nIDButton);
    return button ? static_cast<UINT>(::SendMessageW(button, BM_GETCHECK, 0, 0)) : 0;
}

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck) {
    if (HWND button = ::GetDlgItem(m_hWnd, nIDButton)) ::SendMessageW(button, BM_SETCHECK, nCheck, 0);
}

void CDialog::SetDlgItemText(int nID, LPCWSTR lpszString) {
    if (HWND control = ::GetDlgItem(m_hWnd, nID)) ::SetWindowTextW(control, lpszString ? lpszString : L"");
}

int CDialog::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    HWND control = ::GetDlgItem(m_hWnd, nID);
    if (!control) return 0;
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    rString = text.c_str();
    return static_cast<int>(text.size());
}
