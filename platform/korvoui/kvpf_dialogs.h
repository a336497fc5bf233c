// The framework's modal dialog (a form with result buttons under it, run until one of them ends
// it) and its simple list control (rows of texts the owner sets).
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/korvoui/kvpf.h"

namespace kvpf {

// A dialog of the framework is its own form: a derived dialog adds its controls to itself and
// runs with DoModal. A form another object owns runs in the same dialog through RunForm.
class ModalDialog : public WpfDockFormView {
public:
    // Result buttons: 0 OK, 3 Cancel (the user's Escape too).
    static constexpr int kOk = 0, kCancel = 3;

    // The dialog's name is its UI-library name; its title is the name's translation.
    explicit ModalDialog(const CString& name);
    void SetResizable(bool on) { resizable_ = on; }
    bool IsResizable() const { return resizable_; }
    void SetMinSize(SIZE size) { minSize_ = size; }
    void SetInitialSize(SIZE size) { size_ = size; }
    SIZE GetInitialSize() const { return size_; }
    // Adds result button 0 or 3 (others are a failure naming the call); `pressed` runs before the
    // dialog ends with it.
    void AddDialogButton(int button, std::function<void()> pressed = {});
    void EnableDialogButton(int button, bool enabled);
    bool IsDialogButtonEnabled(int button) const;
    // Runs the dialog until a result button ends it: that button.
    int DoModal(CWnd* parent = nullptr);

    // Runs `form` in the dialog with OK and Cancel under it until one of them ends it: IDOK or
    // IDCANCEL. The dialog is titled by the text of the localisation key `titleKey`, which is also
    // its UI-library name. The form outlives the dialog: it is a window of its own again, hidden,
    // once the dialog has gone.
    static INT_PTR RunForm(CWnd* parent, const wchar_t* titleKey, WpfDockFormView& form, SIZE size = {420, 320});

protected:
    ~ModalDialog() override;

private:
    class Window;

    struct Button {
        bool enabled = true;
        std::function<void()> pressed;
    };
    std::map<int, Button> buttons_;
    bool resizable_ = false;
    SIZE minSize_{0, 0};
    SIZE size_{420, 320};
    Window* running_ = nullptr;  // while DoModal runs
};

// A list of plain rows: one text per column, headers by column.
class SimpleListControl : public ListControl {
public:
    SimpleListControl(CString id, int columns);
    void SetColumnHeader(int column, const CString& text);
    void AddRow(std::vector<CString> cells);
    // How the columns share the width.
    void SetWidthCoefficients(std::vector<double> coefficients) { coefficients_ = std::move(coefficients); }
    void OnSelectionChanged(std::function<void()> handler);

protected:
    ~SimpleListControl() override = default;

private:
    Ref<SimpleListModel> rowsModel_;
    std::vector<SimpleListModel::Row> rows_;
    std::vector<double> coefficients_;
};

}  // namespace kvpf
