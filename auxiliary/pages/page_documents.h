// What the start page and the work-mix page share: their document templates, made on first use,
// and opening or activating a page document in the active main frame.
#pragma once

#include <functional>

#include "platform/mfc.h"

class MainFrameServices;

// The template in `slot`, made and added to the application on first use.
CMultiDocTemplate& PageTemplate(CMultiDocTemplate*& slot, CRuntimeClass* document, CRuntimeClass* frame,
                                CRuntimeClass* view);

// The main frame that holds `window`, or null.
MainFrameServices* MainFrameOfWindow(const CWnd* window);

// Activates the document's first view shown in the active main frame: its tab takes the
// document's title and becomes the active MDI child, maximised as the kernel's session keeps
// MDI children unless another child is active and restored. False when no view is shown there.
bool ActivatePageDocument(CDocument* document);

// A new untitled document of `pages` with a frame of `frameClass` and a view of `viewClass`, a tab
// of the active main frame. `prepare` runs on the new document before its frame is made; `ready`
// once frame and view exist, and false from it abandons the document and its frame. Null when
// the document cannot be made or is abandoned: nothing half-made is left.
CDocument* OpenPageDocument(CMultiDocTemplate& pages, CRuntimeClass* frameClass, CRuntimeClass* viewClass,
                            const std::function<void(CDocument&)>& prepare,
                            const std::function<bool(CDocument&)>& ready);

// A new untitled document of `pages` titled `title`, with its frame and view in the active main
// frame; null when either cannot be made (nothing half-made is left).
CDocument* OpenPageDocument(CMultiDocTemplate& pages, const CString& title);
