// The per-profile state file of the main windows, "state.xml": one "MainWindow" element per main
// frame, in frame order, under the root "state" of this product.
#include <vector>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/statusline/stopwatch.h"
#include "platform/diagnostics.h"
#include "platform/korvoui.h"

namespace {

constexpr const wchar_t* kStateFileName = L"state.xml";
constexpr const wchar_t* kRootSection = L"state";
constexpr const wchar_t* kMainWindow = L"MainWindow";
constexpr const wchar_t* kProductAttribute = L"product";
constexpr const wchar_t* kUseStateFile = L"UseStateFile";
constexpr const wchar_t* kMainFrameItem = L"MainFrame";

// Makes `folder` and every missing folder above it; false when one cannot be made.
bool MakeFolders(const CString& folder) {
    for (int end = folder.Find(L'\\', 3); ; end = folder.Find(L'\\', end + 1)) {
        const CString part = end < 0 ? folder : folder.Left(end);
        if (!CreateDirectoryW(part, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
        if (end < 0) return true;
    }
}

}  // namespace

CString GetMainFrameStateFilePath(LPCWSTR profile, bool createFolder) {
    const CString folder = KorvoProfileManager::GetProfileSectionAppDataPath(profile, kMainFrameItem);
    if (folder.IsEmpty() || (createFolder && !MakeFolders(folder))) return CString();
    return folder + L"\\" + kStateFileName;
}

CString CKvw32App::GetProfileSectionName(LPCWSTR profile) { return KorvoProfileManager::GetProfileSectionName(profile); }

CString CKvw32App::GetMainFrameSectionName(LPCWSTR profile) {
    return GetProfileSectionName(profile) + L"\\" + kMainFrameItem;
}

bool CKvw32App::LoadState(LPCWSTR profile, bool ignoreUseStateFile) {
    const Stopwatch stopwatch;
    if (!ignoreUseStateFile && GetProfileInt(GetMainFrameSectionName(profile), kUseStateFile, 0) == 0) return false;
    const CString path = GetMainFrameStateFilePath(profile, false);
    if (path.IsEmpty()) return false;
    CXTPPropExchangeXMLNode document(TRUE, kRootSection);
    if (!document.LoadFromFile(path)) return false;

    CString product;
    PX_String(&document, kProductAttribute, product, L"");
    const CString ours = Korvo::UI::XML::GetProductName();
    const bool ourProduct = product.IsEmpty() || ours.IsEmpty() || product == ours;
    if (!GetDefaultMainFrameState()) return false;

    const std::vector<CMainFrame*> frames = GetMainFrames();
    std::size_t applied = 0;
    CXTPPropExchange* last = nullptr;
    std::unique_ptr<CXTPPropExchangeEnumerator> windows = document.GetEnumerator(kMainWindow);
    POSITION position = ourProduct && windows ? windows->GetPosition() : nullptr;
    while (position) {
        CXTPPropExchange* element = windows->GetNext(position);
        if (!element) break;
        last = element;
        CMainFrame* frame = applied < frames.size()
                                ? frames[applied]
                                : CMainFrame::CreateFromState(GetDefaultMainFrameState(), true, true);
        if (!frame) continue;  // a frame that cannot be made takes no element
        frame->LoadCommandBarsLayout(*element, true);
        ++applied;
    }
    // Frames beyond the file's elements take the last one (the section stays valid: no GetNext
    // follows it).
    for (; last && applied < frames.size(); ++applied) frames[applied]->LoadCommandBarsLayout(*last, true);

    const long long elapsed = stopwatch.elapsedMicroseconds();
    KVLog_WriteF(2, L"Loaded state in %lld.%03lld ms", elapsed / 1000, elapsed % 1000);
    return true;
}

bool CKvw32App::SaveState() {
    if (m_startupComplete == 0) return true;
    const std::vector<CMainFrame*> frames = GetMainFrames();
    if (frames.empty()) return false;
    const CString path = GetMainFrameStateFilePath(nullptr, true);
    if (path.IsEmpty()) return false;

    CXTPPropExchangeXMLNode document(FALSE, kRootSection);
    if (CString product = Korvo::UI::XML::GetProductName(); !product.IsEmpty())
        PX_String(&document, kProductAttribute, product);
    std::unique_ptr<CXTPPropExchangeEnumerator> windows = document.GetEnumerator(kMainWindow);
    if (!windows) return false;
    POSITION position = windows->GetPosition(static_cast<DWORD>(frames.size()));
    for (CMainFrame* frame : frames) {
        CXTPPropExchange* element = windows->GetNext(position);
        if (!element) return false;
        frame->SaveCommandBarsLayout(*element, true);
    }
    if (!document.SaveToFile(path)) return false;
    WriteProfileInt(GetMainFrameSectionName(nullptr), kUseStateFile, 1);
    return true;
}
