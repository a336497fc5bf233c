// The second command bars of a main frame: those of the classic auto-menu.
#pragma once

#include "platform/toolkit.h"

class CKVAutoMenuCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(CKVAutoMenuCommandBars)
public:
    CKVAutoMenuCommandBars() = default;
};
