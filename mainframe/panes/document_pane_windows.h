// The application's pane windows around the UI library's document-bound controls: the model
// elements list (pane 1022) and the assembly structure (pane 1023). Each fills its client area
// with its control and passes showing, themes, pane attachment and layout values on to it. The
// product structure (pane 1020) hosts the kernel's editor instead; editions with that pane make it.
#pragma once

#include "platform/korvoui.h"

class ControlPaneWindow : public Korvo::UI::DockingPaneChildWindow {
public:
    static constexpr UINT kControlId = 100;

    void SetTheme(const Korvo::UI::Theme& theme) override;
    void OnAttachedToPane(CXTPDockingPane* pane) override;
    BOOL DoPropExchange(CXTPPropExchange* px) override;

protected:
    // The pane id (the window's command) and the icon bound to it, and the control's style.
    ControlPaneWindow(UINT paneId, UINT iconId, DWORD controlStyle)
        : m_paneId(paneId), m_iconId(iconId), m_controlStyle(controlStyle) {}
    virtual Korvo::UI::HostedPaneControl& Control() = 0;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_paneId;
    UINT m_iconId;
    DWORD m_controlStyle;
};

class CModelElementsListWnd : public ControlPaneWindow {
public:
    CModelElementsListWnd() : ControlPaneWindow(1022, 795, WS_CHILD | WS_VISIBLE) {}
    CModelElementsList& GetList() { return m_list; }

protected:
    Korvo::UI::HostedPaneControl& Control() override { return m_list; }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CModelElementsList m_list;
};

class AssemblyStructureWindow : public ControlPaneWindow {
public:
    AssemblyStructureWindow()
        : ControlPaneWindow(1023, 796, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN) {}
    Korvo::UI::AssemblyStructureControlSite& GetControlSite() { return m_site; }

protected:
    Korvo::UI::HostedPaneControl& Control() override { return m_site; }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    Korvo::UI::AssemblyStructureControlSite m_site;
};

class CProductStructWnd : public Korvo::UI::DockingPaneChildWindow {
public:
    static constexpr UINT kPaneId = 1020;
    static constexpr UINT kIconId = 1553;

    CProductStructWnd() = default;
    ~CProductStructWnd() override;
    void SetTheme(const Korvo::UI::Theme& theme) override;
    void OnAttachedToPane(CXTPDockingPane* pane) override;
    // The application's idle pass: the editor refreshes while the window exists.
    void Refresh();
    // The main frame closed a document.
    void OnDocumentClosed(CKvw32Doc* document);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
