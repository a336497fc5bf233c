// The kernel's edit-in-context object: while a fragment is edited inside its assembly, the
// documents taking part carry the pair (KVEditInPlaceParams) and the object runs the commands
// that end or save the edit.
#pragma once

#include "platform/mfc.h"

class CKvw32Doc;

class EditInContextInstance {
public:
    static EditInContextInstance* GetInstance();

    // Whether an edit in context runs: an open document carries its pair.
    bool IsActive() const;
    // Runs command `command` on the fragment document; 1744 ends the edit (both documents let
    // go of the pair). The answer is 1 when carried out.
    int RunCommand(UINT command, CKvw32Doc* fragment);
    // The document will be saved: the edit hands its changes to it first.
    void PrepareDocumentForSave(CKvw32Doc* document);

private:
    EditInContextInstance() = default;
};
