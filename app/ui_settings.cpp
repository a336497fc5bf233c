// Application-wide UI settings: the theme, ribbon mode and tool-bar icon size.
#include "app/kvw32_app.h"

namespace {

constexpr int kThemeLimit = 49;
constexpr UINT kFirstThemeCommand = 3401;

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
    return true;
}

void CKvw32App::SetRibbonMode(bool ribbon) { m_ribbonMode = ribbon; }

void CKvw32App::SetToolBarIconSize(SIZE size) {
    if (size.cx < 1 || size.cy < 1) return;
    m_toolBarIconSize = size;
    m_scaledToolBarIconSize = size;
}
