// The application's pane windows around the UI library's document-bound controls: the model
// elements list and the assembly structure. Each passes its being shown on to its control.
#pragma once

#include "platform/korvoui.h"

class CModelElementsListWnd : public CWnd {
public:
    CModelElementsListWnd() = default;
    CModelElementsList& GetList() { return m_list; }

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CModelElementsList m_list;
};

class AssemblyStructureWindow : public CWnd {
public:
    AssemblyStructureWindow() = default;
    Korvo::UI::AssemblyStructureControlSite& GetControlSite() { return m_site; }

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    Korvo::UI::AssemblyStructureControlSite m_site;
};
