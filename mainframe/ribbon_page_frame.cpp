#include "mainframe/ribbon_page_frame.h"

#include <memory>

#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "mainframe/frame_controls.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "platform/kernel.h"
#include "techrequirements/add_select_control.h"

namespace {

std::optional<RibbonPageFrame> RibbonPageFrameOf(CWnd* site) {
    auto* frame = dynamic_cast<CMainFrame*>(site);
    if (!frame) return std::nullopt;
    RibbonPageFrame page;
    page.menuBar = frame->GetMenuBar();
    page.framelessToolBar = frame->GetFramelessViewToolBar();
    page.createToolBarControl = [frame](UINT id) {
        return CreateToolBarControl(id, L"Button", [frame](UINT control, const CString& tag) {
            return frame->CreateCustomControl(control, reinterpret_cast<DWORD_PTR>(tag.GetString()), nullptr);
        });
    };
    // The 3D kernel names its dynamic commands by their command strings.
    page.update3D = [](CCmdUI& update) {
        const std::wstring text(KVGetCmdStr3D(update.m_nID).GetString());
        const std::size_t newline = text.find(L'\n');
        const std::wstring caption = newline == std::wstring::npos ? text : text.substr(newline + 1);
        if (!caption.empty()) update.SetText(caption.c_str());
    };
    // The ribbon's parameters with both leading flags set, as every applied ribbon gets them.
    page.ribbonParameters = [frame] {
        Korvo::UI::XML::ApplicationParameters parameters = *frame->GetRibbonApplicationParameters();
        parameters.replaceControls = true;
        parameters.storeOriginal = true;
        return parameters;
    };
    page.controlName = FrameControlName;
    page.writeAttributes = WriteLayoutControlAttributes;
    page.layoutApplied = [frame] { frame->OnRibbonLayoutImported(); };
    page.popupCommandCaption = [frame](UINT id) -> CString {
        CXTPToolBar* bar = frame->GetPopupToolbar();
        CXTPControl* control = bar ? bar->GetControls()->FindControl(static_cast<int>(id)) : nullptr;
        return control ? control->GetCaption() : CString();
    };
    page.addSelectControl = AddSelectControl;
    return page;
}

}  // namespace

void CMainFrame::OnRibbonLayoutImported() {
    InitRibbonControls();
    if (KVRibbonBar* ribbon = GetRibbonBar()) ribbon->ShowTabsForDocumentKeywords(GetActiveKorvoDocument());
    UpdateCommandState();
    RecalcLayout();
}

void UseMainFramesForRibbonPage() { SetRibbonPageFrameQuery(RibbonPageFrameOf); }

void UseRibbonPageInCustomizeSheet() {
    CustomizeSheet::SetRibbonPageFactory(
        [](CMainFrame& frame, const CustomizeSheet::RibbonPageRequest& request) -> std::unique_ptr<CPropertyPage> {
            KVRibbonBar* ribbon = frame.GetRibbonBar();
            if (!ribbon) return nullptr;
            UseMainFramesForRibbonPage();
            return std::make_unique<RibbonPropertyPage>(ribbon, RibbonPageOpenRequest::ForItem(reinterpret_cast<CCmdTarget*>(request.value)));
        });
}
