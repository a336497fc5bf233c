#include "mainframe/toolsengine/frame_tools_engine.h"

#include <algorithm>
#include <utility>

#include "commandbars/auto_menu_command_bars.h"
#include "mainframe/toolsengine/frame_tools_options.h"
#include "mainframe/statusline/status_line.h"
#include "platform/kernel/profiles/module_states.h"
#include "platform/korvoui.h"
#include "platform/korvoui/expanded_forms.h"
#include "syspanel/manip_panel.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr UINT kTitleStringId = 41004;
constexpr UINT kIdleMessageId = 57345;
// The sub-keys of the item's section that the kernel's and the modules' states live in.
constexpr const wchar_t* kHiddenErrorsKey = L"Hidden Errors";
constexpr const wchar_t* kPageTabsKey = L"PagesTabCtrl";
constexpr const wchar_t* kExpandedKey = L"ExpandedDialog";
constexpr const wchar_t* k2DKey = L"2D";
constexpr const wchar_t* k3DKey = L"3D";

// Pane commands and the docking panes they show.
constexpr std::pair<UINT, UINT> kPaneCommands[] = {
    {782, 1003}, {783, 1004}, {784, 1005}, {785, 1006}, {786, 1017}, {787, 1012}, {788, 1013},
    {789, 1014}, {790, 1008}, {791, 1015}, {792, 1009}, {793, 1020}, {794, 1021}, {795, 1022},
    {796, 1023}, {797, 1025}, {798, 1027}, {799, 1028}, {811, 1007}, {812, 1010}, {813, 1011},
    {814, 1019}, {815, 1029}, {816, 1030}, {817, 1031}, {818, 1032}, {819, 1033}, {820, 1034},
    {821, 1035}, {822, 1036}, {823, 1038}, {824, 1039}, {825, 1040}, {826, 1041},
};
static_assert(std::size(kPaneCommands) == 34);
static_assert(std::is_sorted(std::begin(kPaneCommands), std::end(kPaneCommands)));

CString trimmed(CString text) {
    text.Trim();
    return text;
}

}  // namespace

CFrameToolsEngine::CFrameToolsEngine()
    : KorvoProfileItem(L"MainFrame", kTitleStringId),
      m_autoMenuBars(static_cast<CKVAutoMenuCommandBars*>(
          CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(CKVAutoMenuCommandBars), nullptr))),
      m_statusLine(std::make_unique<CStatusLine>()) {}

CFrameToolsEngine::~CFrameToolsEngine() {
    ForgetEmbeddedHelp();
    m_statusLine.reset();
    for (auto& panel : m_manipPanels) panel.reset();
    if (m_autoMenuBars) m_autoMenuBars->InternalRelease();
}

void CFrameToolsEngine::SetOwningFrame(CMainFrame* frame) {
    m_frame = frame;
    if (m_autoMenuBars) m_autoMenuBars->SetSite(frame ? frame_tools::FrameWindow(frame) : nullptr);
}

bool CFrameToolsEngine::GetCommandPrompt(UINT id, CString& text) const {
    if (id >= 1000 && id <= 3400) {
        CString prompt = trimmed(KVGetCmdStr(id));
        if (prompt.IsEmpty()) prompt = trimmed(KVGetCmdStr3D(id));
        if (prompt.IsEmpty()) return false;
        text = prompt;
        return true;
    }
    if (id >= 6001 && id <= 6999) {
        text = Korvo::UI::AutoMenuControllerBase::GetCmdHint(id);
        return true;
    }
    if (id == kIdleMessageId) {
        text = KVGetActiveCommandId() > 0 ? KVGetActiveCommandPrompt() : CString(L">");
        return true;
    }
    return false;
}

CXTPCommandBars* CFrameToolsEngine::GetAutoMenuBars() const { return m_autoMenuBars; }

UINT CFrameToolsEngine::PaneIdOfCommand(UINT command) {
    const auto it = std::lower_bound(std::begin(kPaneCommands), std::end(kPaneCommands), command,
                                     [](const auto& entry, UINT id) { return entry.first < id; });
    return it != std::end(kPaneCommands) && it->first == command ? it->second : 0;
}

CXTPDockingPane* CFrameToolsEngine::FindPaneByCommand(UINT command) const {
    const UINT paneId = PaneIdOfCommand(command);
    if (!m_frame || paneId == 0) return nullptr;
    return frame_tools::FindDockingPane(m_frame, paneId);
}

void CFrameToolsEngine::GetRegistryKeys(std::vector<CString>& keys) const {
    const CString section = GetRegistrySection() + L"\\";
    keys.push_back(section + kHiddenErrorsKey);
    keys.push_back(section + kPageTabsKey);
    keys.push_back(section + kExpandedKey);
    const DWORD kind = GetProfileKind();
    if (kind & (kProfileKindCommon | kProfileKind2D)) keys.push_back(section + k2DKey);
    if (kind & (kProfileKindCommon | kProfileKind3D | kProfileKindAssembly)) keys.push_back(section + k3DKey);
}

int CFrameToolsEngine::LoadState() {
    Korvo::UI::ExpandedFormViews::Initialize();
    if (const int result = KorvoProfileItem::LoadState(); result != 0) return result;
    if (!m_frame) return 1;
    ApplyCommandBarsOptions(false);
    const CString section = GetRegistrySection();
    if (CWinApp* application = AfxGetApp()) {
        if (const HKEY sectionKey = application->GetSectionKey(section)) {
            HKEY hidden = nullptr;
            if (::RegOpenKeyExW(sectionKey, kHiddenErrorsKey, 0, KEY_READ, &hidden) == ERROR_SUCCESS) {
                GetHiddenErrorCont()->ReadProfile(hidden);
                ::RegCloseKey(hidden);
            }
            ::RegCloseKey(sectionKey);
        }
    }
    CKVTabCtrl::ReadDefaults(section + L"\\" + kPageTabsKey);
    KVUpdateAllTabViews();
    KV3DState::Load(section + L"\\" + k3DKey);
    Korvo::UI::ExpandedFormViews::LoadState(section + L"\\" + kExpandedKey);
    AnnotateModuleState::Load(section + L"\\" + k2DKey);
    return 0;
}

int CFrameToolsEngine::SaveState() {
    const int result = KorvoProfileItem::SaveState();
    if (!m_frame) return result;
    const CString section = GetRegistrySection();
    if (CWinApp* application = AfxGetApp()) {
        if (const HKEY sectionKey = application->GetSectionKey(section)) {
            HKEY hidden = nullptr;
            if (::RegCreateKeyExW(sectionKey, kHiddenErrorsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hidden, nullptr) ==
                ERROR_SUCCESS) {
                GetHiddenErrorCont()->WriteProfile(hidden);
                ::RegCloseKey(hidden);
            }
            ::RegCloseKey(sectionKey);
        }
    }
    CKVTabCtrl::WriteDefaults(section + L"\\" + kPageTabsKey);
    KV3DState::Save(section + L"\\" + k3DKey);
    Korvo::UI::ExpandedFormViews::SaveState(section + L"\\" + kExpandedKey);
    AnnotateModuleState::Save(section + L"\\" + k2DKey);
    return result;
}

void CFrameToolsEngine::ApplyCommandBarsOptions(bool recalcLayout) {
    if (!m_frame) return;
    CXTPCommandBars* frameBars = frame_tools::FrameCommandBars(m_frame);
    if (!frameBars || !m_autoMenuBars) return;
    const SIZE iconSize = frame_tools::ToolBarIconSize();
    CXTPCommandBarsOptions& autoMenu = *m_autoMenuBars->GetCommandBarsOptions();
    frame_tools::CopyAutoMenuOptions(*frameBars->GetCommandBarsOptions(), autoMenu, iconSize);
    if (CXTPCommandBars* frameless = frame_tools::FramelessToolBars(m_frame)) {
        frame_tools::CopyFramelessOptions(autoMenu, *frameless->GetCommandBarsOptions(), iconSize);
        frame_tools::SetFramelessIconSize(m_frame, frame_tools::FramelessIconSize(autoMenu));
    }
    if (recalcLayout) frame_tools::RecalcFrameLayout(m_frame);
}

void CFrameToolsEngine::CopyShortcutsToFramelessToolBars() {
    if (!m_frame) return;
    CXTPCommandBars* frameBars = frame_tools::FrameCommandBars(m_frame);
    CXTPCommandBars* frameless = frame_tools::FramelessToolBars(m_frame);
    if (!frameBars || !frameless) return;
    frame_tools::CopyShortcuts(*frameBars->GetShortcutManager(), *frameless->GetShortcutManager());
}

bool CFrameToolsEngine::CreateSysPanelToolbar(CXTPCommandBars* commandBars) {
    constexpr DWORD kPanelDocking =
        xtpFlagStretched | xtpFlagHideWrapBar | xtpFlagFloating | xtpFlagAlignTop | xtpFlagAlignBottom;
    static_assert(kPanelDocking == 0x100033);
    if (!commandBars) return false;
    auto* bar = static_cast<CSysPanelToolbar*>(commandBars->Add(
        KVLoadString(CSysPanelToolbar::kTitleStringId), xtpBarTop, RUNTIME_CLASS(CSysPanelToolbar)));
    if (!bar) return false;
    bar->RegisterSyspanelControls();
    bar->EnableDocking(kPanelDocking);
    bar->EnableCustomization(FALSE);
    bar->SetBarID(CSysPanelToolbar::kBarId);
    m_sysPanel = bar;
    CreateManipPanels();
    return true;
}

bool CFrameToolsEngine::CreateSysPanelControl(XTP_COMMANDBARS_CREATECONTROL* request) {
    if (!m_sysPanel || !request || !request->bToolBar || request->pCommandBar != m_sysPanel) return false;
    return m_sysPanel->CreateControlForId(request);
}

void CFrameToolsEngine::CreateManipPanels() {
    for (int id = 1; id <= 2; ++id) m_manipPanels[static_cast<std::size_t>(id - 1)] = std::make_unique<CManipPanel>(id);
}

CManipPanel* CFrameToolsEngine::GetManipPanel(int id) const {
    if (id < 1 || id > 2) return nullptr;
    return m_manipPanels[static_cast<std::size_t>(id - 1)].get();
}

// Library fragment bars need services the kernel and the UI library do not offer yet; none is made.
