// The host pane window of the technical-requirements editor: it owns the editor, binds it to the
// current document, collects update flags from the kernel's events and hands them over at idle
// time, and starts the leaders command when the kernel asks. An add-on puts it into the
// application's "techRequirements" slot; this edition makes none by itself.
#pragma once

#include <memory>

#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "techrequirements/tech_requirement_dialog.h"

class TechRequirementsWindow : public CWnd,
                               public TypedApplicationEventListener<kEventActiveDocumentChanged, kEventTechRequirementsChanged,
                                                                    kEventTechPagesChanged, kEventTechTypesChanged> {
public:
    TechRequirementsWindow() = default;
    ~TechRequirementsWindow() override;

    // The window, a child of `parent` with control id `id`; false when it cannot be made.
    bool CreateHost(CWnd* parent, UINT id);
    // Binds the editor to `document` (null: none): the editor rebuilds at the next idle pass.
    void BindDocument(CKvw32Doc* document);
    CKvw32Doc* GetDocument() const { return document_; }
    // A closed document lets go of the editor.
    void OnDocumentClosed(CKvw32Doc* document);

    void OnIdleUpdate();
    void EnsureDialog();
    void StartLeadersCommand();
    TechRequirementDialog* GetDialog() const { return dialog_.get(); }
    unsigned GetPendingFlags() const { return flags_; }

    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;

private:
    struct DialogDeleter {
        void operator()(TechRequirementDialog* dialog) const { dialog->Destroy(); }
    };
    std::unique_ptr<TechRequirementDialog, DialogDeleter> dialog_;
    CKvw32Doc* document_ = nullptr;
    unsigned flags_ = 0;
    bool inCommand_ = false;
};
