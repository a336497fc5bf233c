// The per-profile state file of the main windows, "state.xml": one "MainWindow" element per main
// frame, in frame order, under the root "state" of this product.
#include <map>
#include <vector>

#include "app/documents/recent_file_list.h"
#include "app/kvw32_app.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/statusline/stopwatch.h"
#include "platform/diagnostics.h"
#include "platform/korvoui.h"
#include "syspanel/sys_panel_toolbar.h"

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

// The system panel's controls (904 to 999) take their states from the kernel alone, the idle
// update leaves them be. A loaded state builds the frame's bars anew: the new controls take
// over what the kernel last set, as they would have kept it without the rebuild. Each bar keeps
// its own states: the kernel's list of controls reaches the panel alone, so in classic mode a
// control the panel shows enabled may have a disabled twin in the hidden ribbon.
struct KernelSetStates {
    std::map<int, bool> ribbon;
    std::map<int, bool> panel;
};

bool IsKernelSetControl(const CXTPControl& control) {
    return control.GetID() >= 904 && control.GetID() <= 999 && (control.GetFlags() & xtpFlagManualUpdate) != 0;
}

KernelSetStates ReadKernelSetStates(const CMainFrame& frame) {
    KernelSetStates states;
    auto noteIn = [](std::map<int, bool>& bar) {
        return [&bar](CXTPControl* control) {
            if (control && IsKernelSetControl(*control)) bar.emplace(control->GetID(), control->GetEnabled() != FALSE);
        };
    };
    if (const KVRibbonBar* ribbon = frame.GetRibbonBar()) ribbon->ForEachControl(noteIn(states.ribbon), true);
    if (const CSysPanelToolbar* panel = frame.GetSysPanelToolbar()) {
        CXTPControls* controls = panel->GetControls();
        const auto note = noteIn(states.panel);
        for (int i = 0; i < controls->GetCount(); ++i) note(controls->GetAt(i));
    }
    return states;
}

void LoadStateKeepingKernelSetStates(CMainFrame& frame, const Korvo::UI::MainFrameState& state) {
    const KernelSetStates states = ReadKernelSetStates(frame);
    frame.LoadState(state, true, true);
    if (KVRibbonBar* ribbon = frame.GetRibbonBar())
        for (const auto& [id, enabled] : states.ribbon) ribbon->EnableControl(id, enabled);
    if (CSysPanelToolbar* panel = frame.GetSysPanelToolbar())
        for (const auto& [id, enabled] : states.panel) panel->EnableSyspanelControl(static_cast<unsigned>(id), enabled);
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
    if (auto* documents = dynamic_cast<CWSDocManager*>(m_pDocManager)) documents->LoadState();
    if (!ignoreUseStateFile && GetProfileInt(GetMainFrameSectionName(profile), kUseStateFile, 0) == 0) return false;
    const CString path = GetMainFrameStateFilePath(profile, false);
    if (path.IsEmpty()) return false;
    const std::shared_ptr<Korvo::UI::XML::Element> document = Korvo::UI::XML::Element::loadFile(path);
    if (!document || document->name() != kRootSection) return false;

    const std::wstring* product = document->attribute(kProductAttribute);
    const CString ours = Korvo::UI::XML::GetProductName();
    const bool ourProduct = !product || ours.IsEmpty() || CString(product->c_str()) == ours;
    const Korvo::VersionNumber version = Korvo::UI::XML::ParseVersion(
        document->attribute(Korvo::UI::XML::AttributeNames::VersionNumber), Korvo::VersionNumber(18, 0, 0, 0));
    const std::shared_ptr<Korvo::UI::MainFrameState> defaults = GetDefaultMainFrameState();
    if (!defaults) return false;

    const std::vector<CMainFrame*> frames = GetMainFrames();
    std::size_t applied = 0;
    std::shared_ptr<Korvo::UI::MainFrameState> last;
    for (const auto& element : document->children()) {
        if (!ourProduct || element->name() != kMainWindow || !Korvo::UI::XML::IsApplicable(*element)) continue;
        std::shared_ptr<Korvo::UI::MainFrameState> state = LoadMainFrameState(*element, version, defaults.get());
        // An element the library cannot read gives the default layout.
        if (!state) state = defaults;
        last = state;
        if (applied < frames.size()) {
            LoadStateKeepingKernelSetStates(*frames[applied], *state);
        } else if (!CMainFrame::CreateFromState(state, true, true)) {
            continue;  // a frame that cannot be made takes no element
        }
        ++applied;
    }
    for (; last && applied < frames.size(); ++applied) LoadStateKeepingKernelSetStates(*frames[applied], *last);

    const long long elapsed = stopwatch.elapsedMicroseconds();
    KVLog_WriteF(2, L"Loaded state in %lld.%03lld ms", elapsed / 1000, elapsed % 1000);
    return true;
}

bool CKvw32App::SaveState() {
    if (m_startupComplete == 0) return true;
    if (CKVRecentFileList* recent = GetRecentFileList()) recent->WriteList();
    SaveApplicationCommandsFile();
    const std::vector<CMainFrame*> frames = GetMainFrames();
    if (frames.empty()) return false;
    const CString path = GetMainFrameStateFilePath(nullptr, true);
    if (path.IsEmpty()) return false;

    Korvo::UI::XML::Element document(kRootSection);
    if (const CString product = Korvo::UI::XML::GetProductName(); !product.IsEmpty())
        document.setAttribute(kProductAttribute, product.GetString());
    for (CMainFrame* frame : frames) frame->SaveXmlState(*document.addChild(kMainWindow), true, true);
    if (!document.saveFile(path)) return false;
    WriteProfileInt(GetMainFrameSectionName(nullptr), kUseStateFile, 1);
    return true;
}
