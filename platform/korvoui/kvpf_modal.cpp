// The framework's modal dialog around a form, and the user at the form's controls inside a dialog.
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/korvoui/kvpf_dialogs.h"
#include "platform/textcore.h"

namespace kvpf {

namespace {

constexpr int kButtonsHeight = 36;

int windowButton(int button) { return button == ModalDialog::kOk ? IDOK : IDCANCEL; }

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

// Rows of a list by their texts or "#N", several separated by commas; none when one is missing.
std::optional<std::vector<int>> findRows(const ListControl& list, const std::wstring& text) {
    if (const int row = list.FindRow(text); row >= 0) return std::vector<int>{row};
    std::vector<int> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L',', start), text.size());
        const int row = list.FindRow(text.substr(start, end - start));
        if (row < 0) return std::nullopt;
        rows.push_back(row);
        start = end + 1;
    }
    return rows;
}

std::optional<std::wstring> actOnList(ListControl& list, const platform::core::DialogAction& action, const std::wstring& name) {
    using Kind = platform::core::DialogAction::Kind;
    const std::wstring rowText = action.kind == Kind::Select ? action.text : action.row;
    const auto rows = findRows(list, rowText);
    if (!rows) return L"list " + name + L" has no row " + platform::core::quoted(rowText);
    if (action.kind == Kind::Select) return list.UserSelectRows(*rows);
    if (rows->size() != 1) return L"list " + name + L" edits one row at a time";
    if (action.kind == Kind::Check) return list.UserCheck(rows->front(), action.column, action.text == L"on");
    return list.UserEditCell(rows->front(), action.column, action.text);
}

// What a user does at a control of a form inside `dialog`: presses a button, types into a string
// control, picks rows of a list, ticks or edits a list's cell, picks an item of the one select.
std::optional<std::wstring> actInDialog(HWND dialog, const platform::core::DialogAction& action) {
    using Kind = platform::core::DialogAction::Kind;
    if (action.controlKind == L"select") return selectInDialog(dialog, action.text);
    BaseControl* control = WpfDockFormView::FindControl(CString(action.control.c_str()));
    const std::wstring name = platform::core::quoted(action.control);
    if (!control) return L"the dialog has no control " + name;
    const BaseControl* root = control;
    while (root->GetOwner()) root = root->GetOwner();
    const auto* form = dynamic_cast<const WpfDockFormView*>(root);
    if (!form || !::IsChild(dialog, const_cast<WpfDockFormView*>(form)->GetWindow().GetSafeHwnd()))
        return L"the dialog has no control " + name;
    std::optional<std::wstring> refusal;
    if (action.kind == Kind::Text) {
        auto* text = dynamic_cast<StringControl*>(control);
        refusal = text ? text->UserType(CString(action.text.c_str())) : L"control " + name + L" takes no text";
    } else if (action.kind == Kind::Click) {
        auto* button = dynamic_cast<ButtonControl*>(control);
        refusal = button ? button->Click() : L"control " + name + L" is not a button";
    } else if (action.kind == Kind::Select || action.kind == Kind::Check || action.kind == Kind::Edit) {
        auto* list = dynamic_cast<ListControl*>(control);
        refusal = list ? actOnList(*list, action, name) : L"control " + name + L" is not a list";
    } else {
        return L"control " + name + L" is not a button";
    }
    return refusal;
}

}  // namespace

// The framework's dialog window around the form: the user's actions at the form's controls are
// answered while it runs.
class ModalDialog::Window : public CDialog {
public:
    Window(CWnd* parent, const wchar_t* titleKey, WpfDockFormView& form, SIZE size) : CDialog(0, parent), form_(form), size_(size) {
        dialog_.caption = Korvo::I18n::Translate(titleKey).GetString();
        dialog_.size = size;
        name_ = titleKey;
        platform::core::setFrameworkControlActor(actInDialog);
    }
    void AddButtons() {
        const LONG top = size_.cy - kButtonsHeight + 6;
        const LONG right = size_.cx - 10;
        dialog_.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON | disabledStyle(IDOK),
                                    L"OK", RECT{right - 180, top, right - 90, top + 24}});
        dialog_.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | disabledStyle(IDCANCEL),
                                    L"Cancel", RECT{right - 84, top, right, top + 24}});
    }
    void OnButton(std::function<bool(int)> handler) { handler_ = std::move(handler); }
    void EnableButton(int id, bool enabled) {
        disabled_[id] = !enabled;
        for (auto& control : dialog_.controls)
            if (control.id == id) control.style = enabled ? control.style & ~WS_DISABLED : control.style | WS_DISABLED;
        if (m_hWnd)
            if (HWND button = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(button, enabled);
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
        ::MoveWindow(window.GetSafeHwnd(), 0, 0, size_.cx, size_.cy - kButtonsHeight, TRUE);
        form_.SetVisible(true);
        return TRUE;
    }
    void OnOK() override {
        if (!handler_ || handler_(IDOK)) CDialog::OnOK();
    }
    void OnCancel() override {
        if (!handler_ || handler_(IDCANCEL)) CDialog::OnCancel();
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
    DWORD disabledStyle(int id) const {
        const auto it = disabled_.find(id);
        return it != disabled_.end() && it->second ? WS_DISABLED : 0;
    }

    WpfDockFormView& form_;
    SIZE size_;
    platform::mfc::DialogTemplate dialog_;
    std::wstring name_;
    std::function<bool(int)> handler_;
    std::map<int, bool> disabled_;
};

BEGIN_MESSAGE_MAP(ModalDialog::Window, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

ModalDialog::ModalDialog(const CString& name) : WpfDockFormView(name, false) {}

ModalDialog::~ModalDialog() = default;

void ModalDialog::AddDialogButton(int button, std::function<void()> pressed) {
    if (button != kOk && button != kCancel) {
        platform::core::reportFailure(L"kvpf::ModalDialog::AddDialogButton(" + std::to_wstring(button) +
                                      L"): the stand-in dialogs have buttons 0 and 3 only");
        return;
    }
    buttons_[button] = Button{true, std::move(pressed)};
}

void ModalDialog::EnableDialogButton(int button, bool enabled) {
    const auto it = buttons_.find(button);
    if (it == buttons_.end()) return;
    it->second.enabled = enabled;
    if (running_) running_->EnableButton(windowButton(button), enabled);
}

bool ModalDialog::IsDialogButtonEnabled(int button) const {
    const auto it = buttons_.find(button);
    return it != buttons_.end() && it->second.enabled;
}

int ModalDialog::DoModal(CWnd* parent) {
    platform::core::recordCall(L"kvpf::ModalDialog::DoModal(" + platform::core::quoted(GetId().view()) + L")");
    const auto dialog = std::make_unique<Window>(parent, GetId().GetString(), *this, size_);
    for (const auto& [button, state] : buttons_) dialog->EnableButton(windowButton(button), state.enabled);
    dialog->AddButtons();
    int result = kCancel;
    dialog->OnButton([this, &result](int id) {
        const int button = id == IDOK ? kOk : kCancel;
        const auto it = buttons_.find(button);
        // A button the dialog lacks or greys does not end it.
        if (it == buttons_.end() || !it->second.enabled) return false;
        if (it->second.pressed) it->second.pressed();
        result = button;
        return true;
    });
    running_ = dialog.get();
    struct Done {
        Window*& running;
        ~Done() { running = nullptr; }
    } done{running_};
    dialog->Run();
    return result;
}

INT_PTR ModalDialog::RunForm(CWnd* parent, const wchar_t* titleKey, WpfDockFormView& form, SIZE size) {
    const auto dialog = std::make_unique<Window>(parent, titleKey, form, size);
    dialog->AddButtons();
    return dialog->Run();
}

}  // namespace kvpf
