// The bird's-eye-view pane's window: hosts the overview, runs the pane's commands and its
// context menu, and keeps the overview's modes in the pane layout.
#pragma once

#include <string>

#include "auxiliary/birdseye/birds_eye_view.h"
#include "platform/korvoui.h"

class KVBEV : public Korvo::UI::DockingPaneChildWindow {
public:
    static constexpr UINT kPaneId = 1003;

    KVBEV() = default;
    KVBEV(const KVBEV&) = delete;
    KVBEV& operator=(const KVBEV&) = delete;

    KVBEView& GetView() { return view_; }
    const KVBEView& GetView() const { return view_; }

    BOOL DoPropExchange(CXTPPropExchange* px) override;
    void SetTheme(const Korvo::UI::Theme& theme) override;

    // The pane's state as text (the overview's outline).
    std::wstring Outline() const { return view_.Outline(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg LRESULT OnContextMenu(WPARAM window, LPARAM screenPoint);
    afx_msg LRESULT OnSetFocus(WPARAM previous, LPARAM);
    afx_msg LRESULT OnKeyDown(WPARAM key, LPARAM data);
    afx_msg void OnClosePane();
    afx_msg void OnShowPane();
    afx_msg void OnFrameMode();
    afx_msg void OnRectangleMode();
    afx_msg void OnRedraw();
    afx_msg void OnOptions();
    DECLARE_MESSAGE_MAP()

private:
    KVBEView view_;
};
