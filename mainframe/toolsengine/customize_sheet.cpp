#include "mainframe/toolsengine/customize_sheet.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "auxiliary/spaceball/spaceball_page.h"
#include "commandbars/modespage/mainbar_modes_dialog.h"
#include "services/application.h"
#include "commandbars/command_tooltips.h"
#include "commandbars/user_commands.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/frame_control_walk.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"
#include "platform/toolkit/commandbars/customize.h"

namespace CustomizeSheet {

namespace {

constexpr UINT kUserCommandsCategory = 41693;
constexpr UINT kPaneSettingsChangedEvent = 1043;

PageFactory& profilesPageFactory() {
    static PageFactory factory;
    return factory;
}

OptionsPageFactory& optionsPageFactory() {
    static OptionsPageFactory factory;
    return factory;
}

RibbonPageFactory& ribbonPageFactory() {
    static RibbonPageFactory factory;
    return factory;
}

int& lastPage() {
    static int index = -1;
    return index;
}

CString withoutMnemonics(CString caption) {
    caption.Replace(L"&&", L"\x1");
    caption.Remove(L'&');
    caption.Replace(L"\x1", L"&");
    return caption;
}

// The customise sheet: while it is open the frame's document area and pane windows take no
// input, each getting back the enabled state it had (when it still exists), and the command bars
// are in customise mode exactly while the commands page shows.
class CKVCustomizeSheet : public CXTPCustomizeSheet {
public:
    CKVCustomizeSheet(CMainFrame& frame, CXTPCommandBars* bars, UINT startPage)
        : CXTPCustomizeSheet(bars, L"Options", &frame, startPage) {
        SetResizable(TRUE);
        SetTabLayout(4);
        disable(frame.m_hWndMDIClient);
        if (const CXTPDockingPaneManager* panes = frame.GetDockingPaneManager())
            for (const CXTPDockingPane* pane : panes->GetPaneList()) disable(pane->GetChild());
    }
    ~CKVCustomizeSheet() override {
        for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
            if (::IsWindow(it->first)) ::EnableWindow(it->first, it->second);
    }
    CKVCustomizeSheet(const CKVCustomizeSheet&) = delete;
    CKVCustomizeSheet& operator=(const CKVCustomizeSheet&) = delete;

    INT_PTR RunModal(CPropertyPage* commandsPage) {
        commandsPage_ = commandsPage;
        const INT_PTR result = CXTPCustomizeSheet::DoModal();
        if (CXTPCommandBars* bars = GetCommandBars()) bars->SetCustomizeMode(FALSE);
        return result;
    }

protected:
    void OnShownPageChanged() override {
        if (CXTPCommandBars* bars = GetCommandBars()) bars->SetCustomizeMode(GetShownPage() == commandsPage_);
    }
    // An edited, pasted or reset image of the selected control (or one its renaming changed)
    // goes to every control of that command in the active frame's bars.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const UINT id = LOWORD(wParam);
        if (lParam != 0 || id < XTP_ID_CUSTOMIZE_PASTEBUTTONIMAGE || id > XTP_ID_CUSTOMIZE_EDITBUTTONIMAGE)
            return CXTPCustomizeSheet::OnCommand(wParam, lParam);
        BOOL handled = FALSE;
        spreadingIconChange([&] { handled = CXTPCustomizeSheet::OnCommand(wParam, lParam); });
        return handled;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != XTPWM_CONTROLNOTIFY || wParam != XTP_ID_CUSTOMIZE_NAME)
            return CXTPCustomizeSheet::WindowProc(message, wParam, lParam);
        LRESULT result = 0;
        spreadingIconChange([&] { result = CXTPCustomizeSheet::WindowProc(message, wParam, lParam); });
        return result;
    }

private:
    void disable(HWND window) {
        if (!window || !::IsWindow(window)) return;
        if (std::any_of(disabled_.begin(), disabled_.end(), [&](const auto& entry) { return entry.first == window; })) return;
        disabled_.emplace_back(window, ::IsWindowEnabled(window) ? TRUE : FALSE);
        ::EnableWindow(window, FALSE);
    }

    template <class Handling>
    void spreadingIconChange(Handling&& handling) {
        CXTPControl* control = GetSelectedControl();
        if (control) control->InternalAddRef();
        const int before = control ? control->GetIconId() : 0;
        handling();
        if (control && control->GetIconId() != before) SpreadIconId(control->GetID(), control->GetIconId());
        if (control) control->InternalRelease();
    }

    std::vector<std::pair<HWND, BOOL>> disabled_;
    CPropertyPage* commandsPage_ = nullptr;
};

// The all-commands category also offers every kernel command that no bar carries yet (but the
// service commands and the commands without a caption), in the order of their captions.
void addKernelCommands(CXTPControls& all) {
    std::set<int> present;
    for (int index = 0; index < all.GetCount(); ++index) present.insert(all.GetAt(index)->GetID());
    std::vector<CXTPControl*> made;
    for (const GlobalContainer::RegisteredCommand& command : GlobalContainer::GetRegisteredCommands()) {
        if (IsServiceCommand(command.id) || present.count(static_cast<int>(command.id))) continue;
        CXTPControl* control = CreateToolBarControl(command.id, L"Button");
        if (!control) continue;
        // The kernel's text is "description\ncaption".
        if (const int newline = command.text.ReverseFind(L'\n'); control->GetCaption().IsEmpty() && newline >= 0)
            control->SetCaption(command.text.Mid(newline + 1));
        if (control->GetCaption().IsEmpty()) {
            control->InternalRelease();
            continue;
        }
        made.push_back(control);
    }
    std::stable_sort(made.begin(), made.end(), [](const CXTPControl* left, const CXTPControl* right) {
        return withoutMnemonics(left->GetCaption()).CompareNoCase(withoutMnemonics(right->GetCaption())) < 0;
    });
    for (CXTPControl* control : made) all.Add(control, control->GetID());
}

void fillCommandsPage(CXTPCustomizeCommandsPage& page, CXTPCommandBar* menuBar) {
    page.AddCategories(menuBar, TRUE);
    addKernelCommands(*page.InsertAllCommandsCategory());
    CXTPControls* builtIn = page.GetControls(XTPResourceString(XTP_IDS_BUILT_IN_MENUS));
    if (CXTPControls* top = menuBar ? menuBar->GetControls() : nullptr)
        for (int index = 0; index < top->GetCount(); ++index) builtIn->AddClone(top->GetAt(index), -1, TRUE);
    page.InsertNewMenuCategory();
    CXTPControls* userCommands = page.GetControls(KVLoadString(kUserCommandsCategory));
    if (ApplicationServices* app = ApplicationServices::Instance())
        app->GetUserCommands().ForEach([&](UINT id, const CKVUserCommand& command) {
            userCommands->Add(command.CreateControl(false, menuBar ? menuBar->GetCommandBars() : nullptr), static_cast<int>(id));
        });
}

}  // namespace

void SetProfilesPageFactory(PageFactory factory) { profilesPageFactory() = std::move(factory); }
void SetRibbonPageFactory(RibbonPageFactory factory) { ribbonPageFactory() = std::move(factory); }
void SetOptionsPageFactory(OptionsPageFactory factory) { optionsPageFactory() = std::move(factory); }
int LastPageIndex() { return lastPage(); }

void SpreadIconId(int commandId, int iconId) {
    CMainFrame* frame = CMainFrame::GetActive();
    if (!frame) return;
    std::set<CXTPCommandBar*> touched;
    ForEachFrameControl(*frame, [&](CXTPControl* control) {
        if (control->GetID() != commandId || control->GetIconId() == iconId) return;
        control->SetIconId(iconId);
        if (CXTPCommandBar* parent = control->GetParent()) touched.insert(parent);
    });
    for (CXTPCommandBar* bar : touched)
        if (bar->GetSafeHwnd()) bar->Invalidate(FALSE);
}

bool IsServiceCommand(UINT id) { return id == 3002 || (id >= 35000 && id <= 35003) || (id >= 1190 && id <= 1199); }

}  // namespace CustomizeSheet

void CFrameToolsEngine::ShowCustomizeSheet(int mode, LPARAM ribbonValue) {
    using namespace CustomizeSheet;
    if (!m_frame) return;
    CXTPCommandBars* bars = m_frame->GetCommandBars();
    if (!bars) return;
    CXTPCommandBar* menuBar = bars->GetMenuBar();
    // The 3D-mouse page outlives the sheet: its settings are applied after the sheet's windows go.
    std::vector<UINT> commandIds;
    for (const GlobalContainer::RegisteredCommand& command : GlobalContainer::GetRegisteredCommands()) commandIds.push_back(command.id);
    const std::unique_ptr<CKVSpaceballConfigDlg> spaceball = CreateSpaceballSettingsPage(commandIds, m_frame->GetSafeHwnd());
    INT_PTR result = IDCANCEL;
    {
        std::unique_ptr<CPropertyPage> options = optionsPageFactory() ? optionsPageFactory()(bars) : nullptr;
        std::unique_ptr<CPropertyPage> ribbon =
            ribbonPageFactory() ? ribbonPageFactory()(*m_frame, RibbonPageRequest{0, ribbonValue}) : nullptr;
        std::unique_ptr<CPropertyPage> profiles = profilesPageFactory() ? profilesPageFactory()() : nullptr;
        // In page order: the tool-bar options, the ribbon page, keyboard, commands, profiles,
        // main-bar modes, and the 3D mouse last.
        const UINT ribbonIndex = options ? 1 : 0;
        const UINT keyboardIndex = ribbonIndex + (ribbon ? 1 : 0);
        const UINT startPage = mode == kRibbonPageMode && ribbon ? ribbonIndex
                               : mode == kProfilesPageMode && profiles ? keyboardIndex + 2
                                                                       : 0;
        CKVCustomizeSheet sheet(*m_frame, bars, startPage);
        CXTPCustomizeKeyboardPage keyboard(&sheet);
        keyboard.AddCategories(menuBar, FALSE);
        CXTPCustomizeCommandsPage commands(&sheet);
        fillCommandsPage(commands, menuBar);
        MainbarModesDialog modes;
        std::vector<CPropertyPage*> pages;
        if (options) pages.push_back(options.get());
        if (ribbon) pages.push_back(ribbon.get());
        pages.push_back(&keyboard);
        pages.push_back(&commands);
        if (profiles) pages.push_back(profiles.get());
        pages.push_back(&modes);
        if (spaceball) pages.push_back(spaceball.get());
        for (CPropertyPage* page : pages) sheet.AddPage(page);
        result = sheet.RunModal(&commands);
        lastPage() = sheet.GetShownIndex();
    }
    ApplyCommandBarsOptions(true);
    CopyShortcutsToFramelessToolBars();
    // Cancelling the sheet drops the page's edits.
    if (spaceball && result == IDOK) spaceball->SaveSettings();
    // The modes' keys as the page left them (modes may have moved, come or gone).
    if (CKVTabToolBar* tabs = GetTabToolBar()) tabs->UpdateAccelerators();
    if (KVRibbonBar* ribbon = m_frame->GetRibbonBar()) ribbon->ShowTabsForDocumentKeywords(m_frame->GetActiveKorvoDocument());
    UpdateCommandTooltips(bars);
    m_frame->ApplySettings();
    ApplicationEventManager::Instance().Raise(kPaneSettingsChangedEvent, ApplicationEventArgs());
}
