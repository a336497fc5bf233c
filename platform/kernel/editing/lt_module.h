// The kernel's text module (LT): the insert-variable dialog and the text modules an edit can
// take its text from. Both are dialogs of the kernel, so the simulated user answers them
// (platform::core::UserAgent::answerKernelDialog, kinds "variable" and "text-module").
#pragma once

#include <vector>

#include "platform/mfc.h"

class KVDocument;

class LTModuleProxy {
public:
    static LTModuleProxy& Instance();

    // The insert-variable dialog over the variables of `document` (`textOutput` 2: the chosen
    // variable may be put out as text). True when the user chose one: its index and its name (or
    // expression, for a variable without a name). False when cancelled or without a document.
    bool InsertVariableDialog(KVDocument* document, int textOutput, int& index, CString& name);
    // The text modules for `text` of `document`: true with the text of the module the user chose
    // in `result`; false, leaving `result` alone, when cancelled or without a document.
    bool TextModule(KVDocument* document, const CString& text, CString& result);

    // One export format: its name, file pattern and the module that writes it.
    struct ExportFilter {
        CString name;
        CString pattern;
        CString module;
    };
    // The export formats the loaded modules offer for `document`.
    std::vector<ExportFilter> GetExportFilters(KVDocument* document);
    // Exports `document` in the format at `index` of its filters, to files or to the PDM system;
    // false when there is no such format or no document.
    bool Export(KVDocument* document, bool toPdm, int index);
    // A command given in a main frame: true when the module takes it (the frame does nothing
    // more with it).
    bool OnCommand(UINT id);

private:
    LTModuleProxy() = default;
};
