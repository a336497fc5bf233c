// A clipart view hosting an expanded form of the kernel, one view per form class id. Its pane
// stays out of the frame's lists of panes.
#pragma once

#include "mainframe/clipart/clipart_view.h"

class ExpandedFormClipart : public CClipartView {
public:
    ExpandedFormClipart() = default;
    explicit ExpandedFormClipart(UINT classId) : classId_(classId) {}
    ~ExpandedFormClipart() override;

    // The view of class `classId`, reused (back in its pane, view state applied) or new with a
    // pane; null when no pane can be made.
    static ExpandedFormClipart* Show(UINT classId);
    static ExpandedFormClipart* FindById(UINT classId);

    // Hosts `form` in place of the form shown before (which is let go as on destruction).
    void AttachView(CWnd* form);
    // Hides the form and forgets it; the form, or null.
    CWnd* DetachView();
    // Whether the view destroys the form it hosts when it lets go of it.
    void SetOwnsForm(bool owns) { ownsForm_ = owns; }
    UINT GetClassId() const { return classId_; }
    CWnd* GetForm() const { return form_; }

    void UpdateTitle(CXTPDockingPane* pane) override;
    bool DestroyOnPaneClose() const override { return true; }
    bool CreateContent(CXTPDockingPane*) override { return true; }
    void DestroyContent() override;
    HWND GetContentWindow() const override { return form_ ? form_->GetSafeHwnd() : nullptr; }
    void* GetHostedObject() const override { return form_; }
    void UpdateIcon(CXTPDockingPane*) override {}
    const wchar_t* GetKindName() const override { return L"ExpandedForm"; }
    std::wstring DescribeKeys() const override;

protected:
    void ExchangeKeys(CXTPPropExchange* px) override;

private:
    // Lets go of the form: destroyed when the view owns it, else hidden.
    void releaseForm();
    // The UI module's current dock form view, when it shows expanded forms, forgets that this
    // view's class floats.
    void resetFloating() const;

    UINT classId_ = 0;
    CWnd* form_ = nullptr;
    bool ownsForm_ = false;
};
