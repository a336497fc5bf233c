// The frame's tabbed tool bar (bar 1000): the tab entries of the default tool-bar table, one tab
// of buttons shown at a time.
#pragma once

#include "platform/korvoui.h"

class CKVTabToolBar : public Korvo::UI::TabbableToolBar {
    DECLARE_DYNCREATE(CKVTabToolBar)
public:
    CKVTabToolBar() = default;
};
