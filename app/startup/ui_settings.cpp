// Application-wide UI settings applied to every main frame: the theme, ribbon mode and tool-bar
// icon size, and the theme choices offered to the user.
#include "app/kvw32_app.h"
#include "auxiliary/start_page.h"
#include "auxiliary/theme_names.h"
#include "mainframe/main_frame.h"

namespace {

// The theme commands 3401-3449: only the first 49 themes of the UI module can be chosen.
constexpr int kThemeLimit = 49;
constexpr UINT kFirstThemeCommand = 3401;
// Tool-bar icons wider or higher than this are large icons.
constexpr LONG kSmallIconSide = 16;

constexpr COLORREF kDarkFormBackground = RGB(141, 141, 141);
constexpr COLORREF kLightFormBackground = RGB(255, 255, 255);

// The UI module's themes that have a theme command.
std::vector<Korvo::UI::Theme> ChoosableThemes() {
    std::vector<Korvo::UI::Theme> themes = UIModuleProxy::Instance().GetThemes();
    if (themes.size() > static_cast<std::size_t>(kThemeLimit)) themes.resize(kThemeLimit);
    return themes;
}

}  // namespace

bool CKvw32App::SetTheme(LPCWSTR name) {
    UIModuleProxy& ui = UIModuleProxy::Instance();
    const int index = ui.FindTheme(name);
    if (index < 0 || index >= kThemeLimit) return false;
    if (!ui.ApplyTheme(name)) return false;

    m_themeName = name;
    m_themeCommandId = kFirstThemeCommand + static_cast<UINT>(index);
    // During start-up the stored theme is being applied, not chosen.
    if (m_startupComplete) WriteProfileString(L"Settings", L"UIStyle", name);

    const int themeNumber = ParseThemeName(name);
    ForEachStartPageView([themeNumber](IStartPageView* view) { view->SetTheme(themeNumber); });

    const bool dark = IsDarkThemeNumber(themeNumber);
    KorvoManagedUIProxy::WpfAccessor::EnableDarkTheme(dark);
    kvpf::CmdDockFormView::SetDefaultBgColor(dark ? kDarkFormBackground : kLightFormBackground);
    Korvo::UI::ExpandedFormView::EnableTheme(dark);

    if (MacroManager* macros = MacroManagerInstance()) macros->SetTheme(name);

    if (const Korvo::UI::Theme* theme = ui.GetCurrentTheme()) {
        if (m_logWindow && m_logWindow->GetSafeHwnd()) m_logWindow->SetTheme(theme->index);
        ApplicationEventManager::Instance().Raise(kEventThemeChanged, ThemeEventArgs(*theme));
    }
    return true;
}

void CKvw32App::SetRibbonMode(bool ribbon) {
    m_ribbonMode = ribbon;
    ForEachMainFrame([ribbon](CMainFrame* frame) { frame->SetRibbonMode(ribbon); });
}

void CKvw32App::SetToolBarIconSize(SIZE size) {
    if (size.cx < 1 || size.cy < 1) return;
    m_toolBarIconSize = size;
    m_scaledToolBarIconSize = XTPDpiHelper()->Scale(size);
    m_largeToolBarIcons = size.cx > kSmallIconSide || size.cy > kSmallIconSide;
    const bool large = m_largeToolBarIcons;
    ForEachMainFrame([size, large](CMainFrame* frame) { frame->ApplyToolBarIconSize(size, large); });
}

void CKvw32App::FillThemeControls(CXTPControls* controls) const {
    if (!controls) return;
    for (const Korvo::UI::Theme& theme : ChoosableThemes()) {
        CXTPControl* control =
            controls->Add(xtpControlButton, static_cast<int>(kFirstThemeCommand) + theme.index);
        control->SetCaption(theme.caption);
    }
}

void CKvw32App::FillThemeMenu(CMenu* menu) const {
    if (!menu) return;
    for (const Korvo::UI::Theme& theme : ChoosableThemes()) {
        menu->AppendMenu(MF_STRING, kFirstThemeCommand + static_cast<UINT>(theme.index), theme.caption);
    }
}
