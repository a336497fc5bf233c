// The command search as a form of the UI library's controls, for the kernel's modal command
// chooser: a filter text over the same command list as the search pane.
#pragma once

#include <functional>
#include <optional>

#include "platform/korvoui/kvpf.h"

class FindCommandForm {
public:
    // `frame` is the main frame whose command states colour the rows.
    explicit FindCommandForm(CWnd* frame);
    ~FindCommandForm();
    FindCommandForm(const FindCommandForm&) = delete;
    FindCommandForm& operator=(const FindCommandForm&) = delete;

    HWND GetWindow() { return form_->GetWindow().GetSafeHwnd(); }
    kvpf::WpfDockFormView& GetForm() { return *form_; }
    // Fills the list from the filter's text.
    void Fill();
    std::optional<UINT> GetSelectedCommand() const;
    // Called with the command id of a double-clicked row.
    void OnDoubleClick(std::function<void(UINT id)> callback) { doubleClicked_ = std::move(callback); }

private:
    CWnd* frame_;
    kvpf::Ref<kvpf::WpfDockFormView> form_;
    kvpf::StringControl* filter_ = nullptr;
    kvpf::ListControl* commands_ = nullptr;
    kvpf::Ref<kvpf::SimpleListModel> rows_;
    std::function<void(UINT)> doubleClicked_;
};
