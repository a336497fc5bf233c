// Text-browser modules (the dictionaries and catalogues a text browser ini lists). A module file
// is a manifest naming one of these export sets; each set exports the five browser entries
// "Browse", "RegistrerCreateEnhMetafileCallback", "InitializeProfileItems", "WriteProfile" and
// "SetEdit", each journalled with the set's name:
//
//   textbrowser           "Browse" returns; once a metafile callback is registered, it is called
//                         with the text "Browse <argument>" (no buffer), and the picture it gave
//                         (or none) is journalled.
//   textbrowser-throws    "Browse" throws a framework exception ("Unsupported operation ...").
//   textbrowser-fails     "Browse" throws a standard exception.
#pragma once

#include <string>

#include "platform/win32/gdi.h"

namespace platform::kernel {

// Makes the export sets known (the harness does so before the program starts).
void installTextBrowserModules();
// A metafile as the journal names it: frame, description, mapping and the number of drawing calls.
std::wstring metafileText(HENHMETAFILE metafile);

}  // namespace platform::kernel
