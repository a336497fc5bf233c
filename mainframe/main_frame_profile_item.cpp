#include "mainframe/main_frame_profile_item.h"

#include "mainframe/main_frame.h"

int CMainFrameProfileItem::LoadState() {
    CMainFrame* frame = GetOwningFrame();
    if (!frame) return CFrameToolsEngine::LoadState();
    // The state is read as this frame sees it: in the current theme, as the active frame.
    if (const Korvo::UI::Theme* theme = UIModuleProxy::Instance().GetCurrentTheme()) frame->SetTheme(*theme);
    UIModule::FakeActiveMainFrameManager active(frame);
    return CFrameToolsEngine::LoadState();
}

int CMainFrameProfileItem::SaveState() {
    if (CMainFrame* frame = GetOwningFrame()) {
        UIModule::FakeActiveMainFrameManager active(frame);
        const CString style = UIModuleProxy::Instance().GetUIStyle();
        CWinApp* application = AfxGetApp();
        if (!style.IsEmpty() && application) application->WriteProfileString(GetRegistrySection(), L"UIStyle", style);
    }
    return CFrameToolsEngine::SaveState();
}

void CMainFrameProfileItem::GetRegistryKeys(std::vector<CString>& keys) const {
    CFrameToolsEngine::GetRegistryKeys(keys);
    keys.push_back(L"MainFrame");
}
