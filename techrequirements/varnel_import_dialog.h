// The modal list of the standard requirements the PDM system offers, from which the user picks
// those to import. Each row holds a reference of its requirement until the dialog goes.
#pragma once

#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

class TechRequirementVarnelImportDialog : public kvpf::ModalDialog {
public:
    explicit TechRequirementVarnelImportDialog(CKvw32Doc* document);
    // The chosen rows' requirements in the order they were chosen, each a reference of its own.
    std::vector<KVPDMTechReqHandle> getChosenHandles() const;
    CKvw32Doc* GetDocument() const { return document_; }

protected:
    ~TechRequirementVarnelImportDialog() override = default;

private:
    CKvw32Doc* document_;
    kvpf::SimpleListControl* list_ = nullptr;
    std::vector<KVPDMTechReqHandle> rows_;
    std::vector<int> chosen_;
};
