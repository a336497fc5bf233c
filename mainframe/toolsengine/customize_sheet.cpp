#include "mainframe/toolsengine/customize_sheet.h"

#include "mainframe/main_frame.h"
#include "mainframe/ribbon_page_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"

namespace CustomizeSheet {

namespace {

PageFactory& profilesPageFactory() {
    static PageFactory factory;
    return factory;
}

}  // namespace

void SetProfilesPageFactory(PageFactory factory) { profilesPageFactory() = std::move(factory); }

INT_PTR Show(CWnd* owner, CPropertyPage* first) {
    std::unique_ptr<CPropertyPage> profiles = profilesPageFactory() ? profilesPageFactory()() : nullptr;
    if (!profiles && !first) return -1;
    CPropertySheet sheet(L"Options", owner);
    if (first) sheet.AddPage(first);
    if (profiles) sheet.AddPage(profiles.get());
    return sheet.DoModal();
}

}  // namespace CustomizeSheet

// Mode 1 opens the profiles page; the other customise pages come with the customise sheet.
void CFrameToolsEngine::ShowCustomizeSheet(int mode, LPARAM ribbonValue) {
    if (mode == 2) return ShowRibbonCustomizeSheet(GetOwningFrame(), ribbonValue);
    if (mode != 1) return;
    CustomizeSheet::Show(GetOwningFrame());
}
