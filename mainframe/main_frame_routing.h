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

// How documents are opened: the PDM opening context to open with (empty: none given).
struct PdmOpenParameters {
    KVPDMOpenningContext context;
};

// Opens every path through the annotation module, each with its PDM opening context when the
// work mix is connected and the parameters carry none (a PDM failure opens that path without
// one). True when every path opened.
bool ResolvePdmOpeningContexts(const std::vector<CString>& paths, const PdmOpenParameters& parameters);
// The parameters of the opening in progress, or null outside one.
const PdmOpenParameters* CurrentPdmOpening();
