#include "mainframe/main_frame_profile_item.h"

int CMainFrameProfileItem::LoadState() { return CFrameToolsEngine::LoadState(); }

int CMainFrameProfileItem::SaveState() { return CFrameToolsEngine::SaveState(); }

void CMainFrameProfileItem::GetRegistryKeys(std::vector<CString>& keys) const {
    CFrameToolsEngine::GetRegistryKeys(keys);
    keys.push_back(L"MainFrame");
}
