#include <algorithm>
#include <vector>

#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/kernel.h"

namespace platform::harness {

std::wstring Inspect::dumpDocuments() const {
    std::wstring dump;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (!dump.empty()) dump += L"\n";
        dump += platform::core::quoted(document->GetTitle().view()) + L" " +
                platform::core::quoted(document->GetPathName().view());
        dump += document->IsModified() ? L" modified" : L" unmodified";
        dump += document->IsReadOnly() ? L" read-only" : L" writable";
        dump += document->IsEditingBlocked() ? L" editing-blocked" : L" editable";
        std::vector<HWND> frames;
        for (CView* view : document->GetViews()) {
            CFrameWnd* frame = view->GetParentFrame();
            const HWND handle = frame ? frame->GetSafeHwnd() : nullptr;
            if (handle && std::find(frames.begin(), frames.end(), handle) == frames.end()) frames.push_back(handle);
        }
        if (frames.empty()) dump += L" frame none";
        for (HWND frame : frames) dump += L" frame " + platform::core::handleText(frame);
    }
    return dump;
}

}  // namespace platform::harness
