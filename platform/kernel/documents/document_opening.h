// The document manager's operations for documents the PDM system stands behind: opening with
// the PDM context the shell found, opening one of several files opened together, and making a
// document from the PDM system's nomenclature data; and the kernel's cancellable tasks around
// such work.
#pragma once

#include "platform/kernel/documents/documents.h"
#include "platform/kernel/services/pdm.h"

namespace Korvo {

// Opens the native document with the open parameters and the PDM context they carry (empty:
// none); null when it cannot be opened.
CKvw32Doc* OpenWithPdmContext(const SharedPathName& path, const DocInitParams& params, const KVPDMOpenningContext& context);
// What the main frame hands the manager for one of the files it opens together: the file's PDM
// context (empty: none), what it noted over all of them (a read-only context, one that can hold
// nomenclature data) and the manager's own answer for this file (its nomenclature data wanted).
struct BatchOpening {
    KVPDMOpenningContext context;
    bool anyReadOnly = false;
    bool anyNomenclature = false;
    bool nomenclatureWanted = false;
};
// Opens one of the files the main frame opens together, with what the batch carries for it and
// the manager's default parameters otherwise; the document takes the file's nomenclature data
// only when it was wanted.
CKvw32Doc* OpenInBatch(LPCWSTR path, const BatchOpening& batch);
// Whether the nomenclature data of the file is wanted with it (the manager decides; the stand-in
// wants it unless told otherwise).
bool WantsNomenclatureData(const SharedPathName& path);
// A new document made from the nomenclature data of the context (read-only when the parameters
// say so); null without a context.
CKvw32Doc* CreateFromNomenclature(const DocInitParams& params, const KVPDMOpenningContext& context);
// The work mix's parameters go into a document made from its context.
void LoadWorkMixParameters(CKvw32Doc& document, const KVPDMOpenningContext& context);
// Regenerates the document's geometry: it no longer waits for a regeneration.
void Regenerate(CKvw32Doc& document);

// A piece of the kernel's work the user may cancel; its text shows while it runs.
class CancellableTask {
public:
    explicit CancellableTask(const CString& text);
    ~CancellableTask();
    CancellableTask(const CancellableTask&) = delete;
    CancellableTask& operator=(const CancellableTask&) = delete;

private:
    CString text_;
};

}  // namespace Korvo
