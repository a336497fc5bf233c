#include "mainframe/main_frame_state.h"

#include <utility>

#include "mainframe/main_window_attributes.h"
#include "platform/win32.h"

namespace {

using Korvo::UI::XML::Element;

const std::pair<int, int> kOldGroupIds[] = {
    {10000, 32}, {10001, 4}, {10002, 16}, {10003, 2}, {10004, 8}, {10005, 6}, {10006, 18},
};
constexpr Korvo::VersionNumber kGroupIdsReplaced(16, 0, 0, 0);

// A shared definition is copied before this state changes it: the other states keep theirs.
template <class T>
void MergeDefinition(std::shared_ptr<T>& mine, const std::shared_ptr<T>& other) {
    if (!other || mine == other) return;
    if (!mine) {
        mine = other;
        return;
    }
    if (mine.use_count() > 1) mine = std::make_shared<T>(*mine);
    mine->merge(*other);
}

}  // namespace

void MainFrameState::reset() {
    Korvo::UI::MainFrameState::reset();
    windowRect = RECT{};
    pdmWindows = 3;
    analysisMode = 1;
    showCommand = SW_SHOWNORMAL;
    fullscreen = false;
    workbook = true;
    maximizeMdi = true;
    minimizeRibbonWindowed = false;
    minimizeRibbonFullScreen = true;
    showClassicAutoMenu = true;
    showDockingPaneTabCaptions = true;
}

void MainFrameState::loadAttributes(const Element& element) {
    for (const auto& [name, value] : element.attributes()) readAttribute(name, value);
    Korvo::UI::XML::RestoreWindowRect(element, windowRect);
    showCommand = Korvo::UI::XML::GetShowWindowCommand(element, showCommand);
}

void MainFrameState::readAttribute(const std::wstring& name, const std::wstring& value) {
    const std::pair<const wchar_t*, bool*> flags[] = {
        {L"fullscreen", &fullscreen},
        {L"workbook", &workbook},
        {L"maximizeMdi", &maximizeMdi},
        {L"minimizeRibbonBarInWindowedMode", &minimizeRibbonWindowed},
        {L"minimizeRibbonBarInFullscreenMode", &minimizeRibbonFullScreen},
        {L"showClassicAutoMenu", &showClassicAutoMenu},
        {L"showDockingPaneTabCaptions", &showDockingPaneTabCaptions},
    };
    for (const auto& [flagName, flag] : flags) {
        if (name != flagName) continue;
        *flag = Korvo::UI::XML::ToBool(&value, *flag);
        return;
    }
    if (name == L"analysisMode") {
        if (value == L"dynamics") analysisMode = 2;
        else if (value == L"fea") analysisMode = 1;
    } else if (name == L"varnelWindows") {
        pdmWindows = ParsePdmWindows(CString(value.c_str()));
    }
}

void MainFrameState::loadElement(const Element& child) {
    // The library keeps the menu bar and the ribbon; a further tool bar joins the list (the
    // library's own reading of "ToolBar"), and the rest is the library's too.
    Korvo::UI::MainFrameState::loadElement(child);
}

void MainFrameState::merge(const Korvo::UI::MainFrameState& other) {
    Korvo::UI::MainFrameState::merge(other);
    if (&other == this) return;
    MergeDefinition(menuBar, other.menuBar);
    MergeDefinition(ribbonBar, other.ribbonBar);
    toolBars = other.toolBars;
}

void RemapOldRibbonGroupIds(Korvo::UI::XML::RibbonBar& ribbon, Korvo::VersionNumber stateVersion) {
    if (ribbon.layoutVersion(stateVersion) >= kGroupIdsReplaced) return;
    for (const auto& tab : ribbon.children()) {
        if (tab->name() != L"RibbonTab") continue;
        for (const auto& group : tab->children()) {
            if (group->name() != L"RibbonGroup") continue;
            const std::wstring id = group->attribute(L"id", L"");
            for (const auto& [old, replacement] : kOldGroupIds) {
                if (id != std::to_wstring(old)) continue;
                Korvo::UI::XML::RibbonBar::setGroupSecondId(*group, replacement);
                break;
            }
        }
    }
}

std::shared_ptr<MainFrameState> LoadMainFrameState(const Element& element, Korvo::VersionNumber version,
                                                   const Korvo::UI::MainFrameState* defaults) {
    if (!Korvo::UI::XML::IsApplicable(element)) return nullptr;
    auto state = std::make_shared<MainFrameState>();
    if (!state->load(element, version)) return nullptr;
    if (state->ribbonBar) RemapOldRibbonGroupIds(*state->ribbonBar, version);
    if (defaults) state->merge(*defaults);
    return state;
}

CString GetDefaultLayoutPath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    CString folder(module);
    const int slash = folder.ReverseFind(L'\\');
    if (slash >= 0) folder = folder.Left(slash);
    return folder + L"\\DefaultLayout.xml";
}

std::shared_ptr<MainFrameState> LoadDefaultMainFrameState() {
    auto state = std::make_shared<MainFrameState>();
    if (!state->loadDefault(GetDefaultLayoutPath(), Korvo::VersionNumber(18, 0, 0, 0))) state->reset();
    return state;
}
