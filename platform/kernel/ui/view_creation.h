// The UI module's creation of a document window in a given main frame.
#pragma once

#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;

namespace UIModule {
// A new window on `document` in main frame `mainFrame` (which must be the active one), showing
// a view of the first of `viewClasses` the document's template can make. False when none was made.
bool CreateDocumentView(CFrameWnd* mainFrame, CKvw32Doc* document, const std::vector<CRuntimeClass*>& viewClasses);
}  // namespace UIModule
