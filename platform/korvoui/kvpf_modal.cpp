// The framework's modal dialog around a form, and the user at the form's controls inside a dialog.
#include "platform/core/record.h"
#include "platform/core/useragent.h"
#include "platform/korvoui/kvpf.h"
#include "platform/textcore.h"

namespace kvpf {

namespace {

constexpr SIZE kDialogSize{420, 320};
constexpr int kButtonsHeight = 36;

// What a user does at a control of a form inside `dialog`: types into a string control, picks a
// row of a list.
std::optional<std::wstring> actInDialog(HWND dialog, const platform::core::DialogAction& action) {
    using Kind = platform::core::DialogAction::Kind;
    BaseControl* control = WpfDockFormView::FindControl(CString(action.control.c_str()));
    const std::wstring name = platform::core::quoted(action.control);
    if (!control) return L"the dialog has no control " + name;
    const ContainerControl* root = control->GetParent();
    while (root && root->GetParent()) root = root->GetParent();
    const auto* form = dynamic_cast<const WpfDockFormView*>(root ? root : control);
    if (!form || !::IsChild(dialog, const_cast<WpfDockFormView*>(form)->GetWindow().GetSafeHwnd()))
        return L"the dialog has no control " + name;
    if (action.kind == Kind::Text) {
        auto* text = dynamic_cast<StringControl*>(control);
        if (!text) return L"control " + name + L" takes no text";
        return text->UserType(CString(action.text.c_str()));
    }
    if (action.kind == Kind::Select) {
        auto* list = dynamic_cast<ListControl*>(control);
        if (!list) return L"control " + name + L" is not a list";
        const int row = list->FindRow(action.text);
        if (row < 0) return L"list " + name + L" has no row " + platform::core::quoted(action.text);
        return list->UserSelectRows({row});
    }
    return L"control " + name + L" is not a button";
}

}  // namespace

class ModalFormDialog::Window : public CDialog {
public:
    Window(CWnd* parent, const wchar_t* titleKey, WpfDockFormView& form) : CDialog(0, parent), form_(form) {
        dialog_.caption = Korvo::I18n::Translate(titleKey).GetString();
        dialog_.size = kDialogSize;
        name_ = titleKey;
    }
    void AddButtons() {
        const LONG top = kDialogSize.cy - kButtonsHeight + 6;
        dialog_.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                    L"OK", RECT{230, top, 320, top + 24}});
        dialog_.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    L"Cancel", RECT{326, top, 410, top + 24}});
    }
    INT_PTR Run() {
        SetInlineTemplate(dialog_, name_);
        return DoModal();
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        // The form fills the dialog above its buttons for as long as the dialog lives.
        CWnd& window = form_.GetWindow();
        ::SetParent(window.GetSafeHwnd(), m_hWnd);
        ::SetWindowLongPtrW(window.GetSafeHwnd(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
        ::MoveWindow(window.GetSafeHwnd(), 0, 0, kDialogSize.cx, kDialogSize.cy - kButtonsHeight, TRUE);
        form_.SetVisible(true);
        return TRUE;
    }

protected:
    afx_msg void OnDestroy() {
        // The form outlives its dialog: it goes back to being a window of its own.
        CWnd& window = form_.GetWindow();
        if (::IsWindow(window.GetSafeHwnd())) {
            ::SetWindowLongPtrW(window.GetSafeHwnd(), GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
            ::SetParent(window.GetSafeHwnd(), nullptr);
            form_.SetVisible(false);
        }
        CDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    WpfDockFormView& form_;
    platform::mfc::DialogTemplate dialog_;
    std::wstring name_;
};

BEGIN_MESSAGE_MAP(ModalFormDialog::Window, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

ModalFormDialog::ModalFormDialog(CWnd* parent, const wchar_t* titleKey, WpfDockFormView& form)
    : window_(std::make_unique<Window>(parent, titleKey, form)) {
    platform::core::setFrameworkControlActor(actInDialog);
}

ModalFormDialog::~ModalFormDialog() = default;

void ModalFormDialog::AddOkCancelButtons() { window_->AddButtons(); }

INT_PTR ModalFormDialog::Run() { return window_->Run(); }

}  // namespace kvpf
