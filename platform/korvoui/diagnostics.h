// The UI library's diagnostics: the dialog that lists a document's messages (one per error
// container, made the first time the application's error window shows that container), the base
// of that error window, the process-wide diagnostics window object and the hidden-messages dialog.
// A dialog is a child of the error window with a tool bar of the pane's commands, which it hands
// to the error window, and a framework list ("DiagnosticsDialog.List") of the messages.
#pragma once

#include <memory>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui/kvpf.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {
class ErrorWindowBase;
}

namespace kvpf {

class CKVDiagnosticsDialog : public CWnd, public ErrorContainerObserver {
public:
    // The dialog of `container` in error window `host`: the one made for it before, else a new
    // one, made hidden. Null when the host has no window.
    static CKVDiagnosticsDialog* ForContainer(ContainerErrors* container, Korvo::UI::ErrorWindowBase* host);
    // A dialog of `container` (none: an empty list) that its maker owns.
    explicit CKVDiagnosticsDialog(ContainerErrors* container = nullptr);
    ~CKVDiagnosticsDialog() override;

    // Idle time: the list is refilled when its messages changed.
    void UpdateIfNeed();
    // Fills the list again from the container: every message neither blocked nor hidden.
    void Update();
    int GetErrorCount() const { return static_cast<int>(rows_.size()); }
    ContainerErrors* GetContainer() const { return container_; }
    // The messages of the selected rows, in the order the user selected them.
    void GetSelectedErrors(std::vector<const KVErrorRecord*>& records) const;
    bool IsGroupFragmentMessages() const { return grouped_; }
    void SetGroupFragmentMessages(bool grouped);
    // Acting on the selected message's object (the kernel's editing, recorded).
    void Edit();
    void EditVariable();
    void VariableInfo();
    void Zoom();
    void DeleteObjects();

    // What the list shows now.
    const std::vector<KVErrorRecord>& GetRows() const { return rows_; }
    CXTPToolBar* GetToolBar() const { return toolBar_; }
    static constexpr const wchar_t* kFormName = L"DiagnosticsDialog";

protected:
    // The tool bar's commands are the pane's: they are routed to the host window.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void OnMessagesChanged(bool newErrors) override;
    void OnContainerDestroyed() override;
    void refill();
    void layout();
    void recordOnSelected(const wchar_t* operation) const;
    void releaseForm();

    Korvo::UI::ErrorWindowBase* host_ = nullptr;
    bool ownedByLibrary_ = false;
    ContainerErrors* container_;
    std::vector<KVErrorRecord> rows_;
    bool grouped_ = true;
    bool changed_ = false;
    std::unique_ptr<CXTPCommandBars> commandBars_;
    CXTPToolBar* toolBar_ = nullptr;
    Ref<WpfDockFormView> form_;
    ListControl* list_ = nullptr;
    Ref<SimpleListModel> model_;
};

}  // namespace kvpf

namespace Korvo::UI {

// The base of the application's error (diagnostics) pane window.
class ErrorWindowBase : public CWnd {
public:
    ErrorWindowBase() = default;
    ~ErrorWindowBase() override;
    // The dialog the pane shows now, or null.
    kvpf::CKVDiagnosticsDialog* GetActiveWnd() const { return active_; }
    // The library hands the window the dialog to show (null: none).
    virtual void SetActiveWnd(kvpf::CKVDiagnosticsDialog* dialog) { active_ = dialog; }
    // The attached dialog's messages changed: `newErrors` non-zero when errors came; `mayShow`
    // when the change may bring the pane forward.
    virtual void OnErrorsChanged(int newErrors, bool mayShow);
    // The dialog for which the pane was last shown by itself (compared, never used).
    const kvpf::CKVDiagnosticsDialog* GetLastAutoShown() const { return lastAutoShown_; }
    void SetLastAutoShown(const kvpf::CKVDiagnosticsDialog* dialog) { lastAutoShown_ = dialog; }
    // Shows the messages of `container` (the container must already be bound to this window):
    // its dialog becomes the active one.
    void ShowErrors(KVErrorContainer* container);
    // Shows no messages: no dialog is active.
    void ClearErrors();
    KVErrorContainer* GetShownContainer() const { return shown_; }

private:
    friend class kvpf::CKVDiagnosticsDialog;
    // The dialog goes: the window no longer shows it.
    void forgetDialog(const kvpf::CKVDiagnosticsDialog* dialog);
    void switchTo(kvpf::CKVDiagnosticsDialog* dialog);

    KVErrorContainer* shown_ = nullptr;
    kvpf::CKVDiagnosticsDialog* active_ = nullptr;
    const kvpf::CKVDiagnosticsDialog* lastAutoShown_ = nullptr;
};

// The UI library's diagnostics window object, which the kernel reaches through the application:
// made with the first diagnostics dialog (null before), it keeps the error container it shows.
class DiagnosticsWindow : public CWnd {
public:
    static DiagnosticsWindow* Instance();
    void SetErrorContainer(ContainerErrors* container);
    ContainerErrors* GetErrorContainer() const { return container_; }

private:
    friend class kvpf::CKVDiagnosticsDialog;
    static void Open();
    void forgetContainer(const ContainerErrors* container);
    ContainerErrors* container_ = nullptr;
};

}  // namespace Korvo::UI

// The hidden-messages dialog: the messages the user hid, of which the selected ones show again
// when the dialog ends with OK. Its list is the framework list "HiddenErrors.List".
class CHiddenErrorsDlg {
public:
    CHiddenErrorsDlg(CKvw32Doc* document, CWnd* parent);
    ~CHiddenErrorsDlg();
    CHiddenErrorsDlg(const CHiddenErrorsDlg&) = delete;
    CHiddenErrorsDlg& operator=(const CHiddenErrorsDlg&) = delete;
    INT_PTR DoModal();

private:
    CKvw32Doc* document_;
    CWnd* parent_;
};
