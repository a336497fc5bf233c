#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/kernel.h"

namespace platform::harness {

namespace {

std::wstring framesText(const CDocument& document) {
    std::vector<HWND> frames;
    for (CView* view : document.GetViews()) {
        CFrameWnd* frame = view->GetParentFrame();
        const HWND handle = frame ? frame->GetSafeHwnd() : nullptr;
        if (handle && std::find(frames.begin(), frames.end(), handle) == frames.end()) frames.push_back(handle);
    }
    if (frames.empty()) return L" frame none";
    std::wstring text;
    for (HWND frame : frames) text += L" frame " + platform::core::handleText(frame);
    return text;
}

// The documents of the application's own templates that are not the kernel's.
std::wstring otherDocuments() {
    std::wstring dump;
    CWinApp* app = AfxGetApp();
    if (!app || !app->m_pDocManager) return dump;
    for (CDocTemplate* documentTemplate : app->m_pDocManager->GetTemplates()) {
        for (CDocument* document : documentTemplate->GetDocuments()) {
            if (dynamic_cast<CKvw32Doc*>(document)) continue;
            const char* name = document->GetRuntimeClass()->m_lpszClassName;
            // The shell opens a picture without giving it a path name: it titles it by its path,
            // and that title is the path it was read from.
            const CString path = document->GetPathName().IsEmpty() ? document->GetTitle() : document->GetPathName();
            dump += L"\n" + platform::core::quoted(document->GetTitle().view()) + L" " +
                    platform::core::quoted(path.view()) + L" " + std::wstring(name, name + std::strlen(name)) +
                    (document->IsModified() ? L" modified" : L" unmodified") + framesText(*document);
        }
    }
    return dump;
}

}  // namespace

std::wstring Inspect::dumpDocuments() const {
    std::wstring dump;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (!dump.empty()) dump += L"\n";
        dump += platform::core::quoted(document->GetTitle().view()) + L" " +
                platform::core::quoted(document->GetPathName().view());
        dump += document->IsModified() ? L" modified" : L" unmodified";
        dump += document->IsReadOnly() ? L" read-only" : L" writable";
        dump += document->IsEditingBlocked() ? L" editing-blocked" : L" editable";
        dump += L" holds " + std::to_wstring(document->GetHoldCount());
        dump += framesText(*document);
    }
    const std::wstring others = otherDocuments();
    return dump.empty() && !others.empty() ? others.substr(1) : dump + others;
}

}  // namespace platform::harness
