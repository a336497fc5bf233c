// The dialog that edits a copy of a document's requirement types; ending with button 3 means
// "no change".
#pragma once

#include "platform/kernel.h"

class TechRequirementTypesDialog {
public:
    TechRequirementTypesDialog(CWnd* parent, TechRequirementTypesDb& types) : parent_(parent), types_(types) {}
    int DoModal();

private:
    CWnd* parent_;
    TechRequirementTypesDb& types_;
};
