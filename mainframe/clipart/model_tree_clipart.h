// A clipart view hosting a model tree of the 3D part, restored from its saved window state.
#pragma once

#include <vector>

#include "mainframe/clipart/clipart_view.h"

class ModelTreeClipart : public CClipartView {
public:
    // A stored window state larger than this is no state the 3D part wrote.
    static constexpr DWORD kMaxWindowStateSize = 1024 * 1024;

    ModelTreeClipart() = default;
    ModelTreeClipart(std::vector<BYTE> state, int groupType, CString specType);
    ~ModelTreeClipart() override;

    // A new view in a new floating pane of the active frame; null when no pane can be made.
    static ModelTreeClipart* Show(const std::vector<BYTE>& state, int groupType, const CString& specType);
    // Every model-tree view: the application's current document changed, or a document closed.
    static void SetDocumentOfAll(CKvw32Doc* document);
    static void ForwardToKernelOfAll(CKvw32Doc* document);

    void SetDocument(CKvw32Doc* document);
    void ForwardToKernel(CKvw32Doc* document);
    const std::vector<BYTE>& GetWindowState() const { return state_; }

    void UpdateTitle(CXTPDockingPane* pane) override;
    bool DestroyOnPaneClose() const override { return true; }
    bool CreateContent(CXTPDockingPane* pane) override;
    void DestroyContent() override;
    HWND GetContentWindow() const override { return window_.GetSafeHwnd(); }
    void* GetHostedObject() const override { return tree_; }
    void UpdateIcon(CXTPDockingPane* pane) override;
    const wchar_t* GetKindName() const override { return L"ModelTree"; }
    std::wstring DescribeKeys() const override;

protected:
    void ExchangeKeys(CXTPPropExchange* px) override;

private:
    std::vector<BYTE> state_;
    CString specType_;
    int groupType_ = 0;
    int iconIdKept_ = 0;
    KVModelTree* tree_ = nullptr;
    CWnd window_;
};
