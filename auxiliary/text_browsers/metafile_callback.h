// The callback text-browser modules get to turn rich text into an enhanced-metafile picture,
// optionally after the user edits it in the kernel's modal rich-text editor.
#pragma once

#include <optional>
#include <string>

#include "platform/kernel.h"
#include "platform/win32.h"

// `buffer`/`size`: a serialised rich-text selection to start from (taken over: both are cleared),
// and where the edited selection is handed back (a new[] buffer the module owns). `text`: a
// plain text to start from when no buffer is given; with it the user edits the rich text first
// and gets its plain text back. Null when both buffer pointers are null, the rich text cannot be
// made, or the user cancels.
HENHMETAFILE CreateEnhMetafileCallback(BYTE** buffer, DWORD* size, std::wstring* text);
using CreateEnhMetafileCallbackFunction = HENHMETAFILE (*)(BYTE** buffer, DWORD* size, std::wstring* text);

// Renders the rich text into a metafile over a temporary CAD document.
HENHMETAFILE RenderRichTextMetafile(CKvw32Doc& document, BYTE** buffer, DWORD* size, std::wstring* text);

// The metafile's frame (0.01 mm) and mapping for a drawn box in millimetres, on a reference
// device of `pixels` by `millimetres`. Kept within the range GDI coordinates take; a divisor that
// comes out 0 gives nothing, as a drawing with no extent does.
struct MetafileMapping {
    RECT frame{};
    SIZE windowExtent{};
    SIZE viewportExtent{};
};
std::optional<MetafileMapping> MapRichTextBox(const KVBox& box, SIZE pixels, SIZE millimetres);
