// The frame's routing rules that stand on their own, and opening documents with the PDM system's
// opening contexts.
#pragma once

#include <vector>

#include "platform/kernel.h"

// A key that types rather than commands: with Ctrl down the function keys F1 to F24, without it
// also the digits and the letters.
bool IsTypingKey(UINT virtualKey, bool control);
// Whether a control's parameter is a link ("scheme:..."; a drive letter is no scheme).
bool IsUrlParameter(const CString& parameter);
// Links the frame opens: http, https and mailto (any case); any other scheme is not opened.
bool IsOpenableUrl(const CString& parameter);

// How documents are opened: the PDM opening context to open with (empty: none given); what was
// noted over the paths opened together (a context that is read-only, one that can hold
// nomenclature data); and whether the kernel wants this path's nomenclature data.
struct PdmOpenParameters {
    KVPDMOpenningContext context;
    bool anyReadOnly = false;
    bool anyNomenclature = false;
    bool nomenclatureWanted = false;
};

// Opens every path through the annotation module. When the work mix is connected and the
// parameters carry no context, each path the work mix manages opens with its own context (or
// the nomenclature object the work mix has for it), its remaining data read first; a PDM failure
// is shown and opens that path without one. True when every path opened; `openedCount` (when
// given) is how many did, an already open document that the open brought forward among them.
bool ResolvePdmOpeningContexts(const std::vector<CString>& paths, const PdmOpenParameters& parameters,
                               std::size_t* openedCount = nullptr);
// The parameters of the opening in progress, or null outside one.
const PdmOpenParameters* CurrentPdmOpening();
