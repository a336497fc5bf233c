// The managed UI's automatic namer as this platform has it: the rules name a document after its
// title and a running number that counts the names taken in the session.
#include <cstdio>

#include "platform/core/record.h"
#include "platform/managedui.h"
#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/textcore.h"

namespace KorvoManagedUIProxy {

namespace {

constexpr int kNameEdit = 100;
int g_namesTaken = 0;

CString NumberedName(const CString& stem, int number) {
    wchar_t suffix[16];
    std::swprintf(suffix, 16, L"-%03d", number);
    return stem + suffix;
}

// The title without its extension; a document without a title is named after its kind.
CString StemOf(CDocument* document) {
    CString title = document->GetTitle();
    const int dot = title.ReverseFind(L'.');
    if (dot > 0) title = title.Left(dot);
    return title.IsEmpty() ? CString(L"Document") : title;
}

class NamingDialog : public CDialog {
public:
    NamingDialog(CWnd* parent, CString proposed) : CDialog(0, parent), name_(std::move(proposed)) {
        platform::mfc::DialogTemplate dialog;
        dialog.caption = StringResourceAccessor::GetString(L"ND_NamingRules").str();
        dialog.size = SIZE{300, 90};
        dialog.controls.push_back({kNameEdit, L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, L"",
                                   RECT{10, 10, 290, 32}});
        dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK",
                                   RECT{120, 50, 200, 74}});
        dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel",
                                   RECT{210, 50, 290, 74}});
        SetInlineTemplate(std::move(dialog), L"AutoNamer");
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetDlgItemText(kNameEdit, name_);
        return TRUE;
    }
    void OnOK() override {
        GetDlgItemText(kNameEdit, name_);
        name_.Trim();
        if (name_.IsEmpty()) return;  // the rules give every document a name: an empty one is not taken
        CDialog::OnOK();
    }
    const CString& GetName() const { return name_; }

private:
    CString name_;
};

}  // namespace

CString StringResourceAccessor::GetString(LPCWSTR key) {
    // The managed resources this platform carries; translations come from the session's table.
    if (!key || std::wstring_view(key) != L"ND_NamingRules") return CString();
    const std::optional<CString> translated = Korvo::I18n::TryTranslate(key);
    return translated ? *translated : CString(L"Naming rules...");
}

std::unique_ptr<AutoNamer> AutoNamer::Create(CDocument* document) {
    if (!document) return nullptr;
    platform::core::recordCall(L"KorvoManagedUIProxy::AutoNamer::Create(" + platform::core::quoted(document->GetTitle().str()) + L")");
    return std::unique_ptr<AutoNamer>(new AutoNamer(StemOf(document)));
}

AutoNamer::~AutoNamer() { platform::core::recordCall(L"KorvoManagedUIProxy::AutoNamer::~AutoNamer()"); }

CString AutoNamer::ProposeName() const { return NumberedName(stem_, g_namesTaken + 1); }

bool AutoNamer::RunDialog(HWND parent) {
    NamingDialog dialog(CWnd::FromHandle(parent), ProposeName());
    if (dialog.DoModal() != IDOK) return false;
    name_ = dialog.GetName();
    ++g_namesTaken;
    return true;
}

}  // namespace KorvoManagedUIProxy
