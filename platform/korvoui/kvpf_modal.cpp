// The framework's modal dialog around a form, and the user at the form's controls inside a dialog.
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/korvoui/kvpf.h"
#include "platform/textcore.h"

namespace kvpf {

namespace {

constexpr SIZE kDialogSize{420, 320};
constexpr int kButtonsHeight = 36;

void collectSelects(const ContainerControl& container, std::vector<SelectControl*>& found) {
    for (const Ref<BaseControl>& control : container.GetControls()) {
        if (auto* select = dynamic_cast<SelectControl*>(control.get())) found.push_back(select);
        if (const auto* inner = dynamic_cast<const ContainerControl*>(control.get())) collectSelects(*inner, found);
    }
}

// A user's choice in the one select the dialog's forms show: the item by its text (case
// ignored) or "#N" from 0.
std::optional<std::wstring> selectInDialog(HWND dialog, const std::wstring& text) {
    std::vector<SelectControl*> found;
    for (WpfDockFormView* form : WpfDockFormView::LiveForms())
        if (::IsChild(dialog, form->GetWindow().GetSafeHwnd())) collectSelects(*form, found);
    if (found.size() != 1)
        return found.empty() ? std::wstring(L"the dialog shows no select") : L"the dialog shows " + std::to_wstring(found.size()) + L" selects";
    SelectControl& select = *found.front();
    int index = -1;
    if (text.size() > 1 && text[0] == L'#' && text.size() < 8 && text.find_first_not_of(L"0123456789", 1) == std::wstring::npos)
        index = std::stoi(text.substr(1));
    for (int i = 0; index < 0 && i < select.GetItemCount(); ++i)
        if (platform::core::foldCase(select.GetItem(i).text.GetString()) == platform::core::foldCase(text)) index = i;
    if (index < 0 || index >= select.GetItemCount()) return L"the select has no item " + platform::core::quoted(text);
    return select.UserSelect(select.GetItem(index).customId);
}

// What a user does at a control of a form inside `dialog`: types into a string control, picks a
// row of a list or an item of the one select.
std::optional<std::wstring> actInDialog(HWND dialog, const platform::core::DialogAction& action) {
    using Kind = platform::core::DialogAction::Kind;
    if (action.controlKind == L"select") return selectInDialog(dialog, action.text);
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
