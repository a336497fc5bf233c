#include "app/kvw32_app.h"
#include "app/startup/product_settings.h"

void CKvw32App::EnableDockingPaneWindows(const kvio::IniFile& ini) {
    if (!ini.HasKey(app::kSettingsSection, L"DockingPanes")) {
        for (const DockingPaneName& row : kDockingPaneNames) (m_paneWindows.*row.slot).SetEnabled(true);
        return;
    }
    ApplyDockingPanesValue(m_paneWindows, ini.GetString(app::kSettingsSection, L"DockingPanes"));
}
