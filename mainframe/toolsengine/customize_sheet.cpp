#include "mainframe/toolsengine/customize_sheet.h"

#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"

namespace CustomizeSheet {

namespace {

PageFactory& profilesPageFactory() {
    static PageFactory factory;
    return factory;
}

}  // namespace

void SetProfilesPageFactory(PageFactory factory) { profilesPageFactory() = std::move(factory); }

INT_PTR Show(CWnd* owner) {
    if (!profilesPageFactory()) return -1;
    std::unique_ptr<CPropertyPage> profiles = profilesPageFactory()();
    if (!profiles) return -1;
    CPropertySheet sheet(L"Options", owner);
    sheet.AddPage(profiles.get());
    return sheet.DoModal();
}

}  // namespace CustomizeSheet

// Mode 1 opens the profiles page; the other customise pages come with the customise sheet.
void CFrameToolsEngine::ShowCustomizeSheet(int mode, LPARAM) {
    if (mode != 1) return;
    CustomizeSheet::Show(GetOwningFrame());
}
