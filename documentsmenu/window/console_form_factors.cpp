#include "documentsmenu/window/console_form_factors.h"

#include "documentsmenu/window/form_factor_preview_wnd.h"
#include "documentsmenu/window/preview_form_factor_apply_manager.h"
#include "platform/core/record.h"

namespace DocumentsMenu {

namespace {

FormFactorPreviewWnd* FindView(HWND window) {
    if (auto* view = dynamic_cast<FormFactorPreviewWnd*>(CWnd::FromHandlePermanent(window))) return view;
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (FormFactorPreviewWnd* view = FindView(child)) return view;
    return nullptr;
}

std::wstring Quoted(const CString& text) { return platform::core::quoted(std::wstring(text.GetString())); }

}  // namespace

CXTPControlEdit* FormFactorSearchBox(HWND window) {
    FormFactorPreviewWnd* view = IsWindow(window) ? FindView(window) : nullptr;
    CXTPCommandBars* bars = view && view->IsWindowVisible() ? view->GetSite().GetCommandBars() : nullptr;
    for (int index = 0; bars && index < bars->GetCount(); ++index) {
        CXTPControls* controls = bars->GetAt(index)->GetControls();
        for (int at = 0; at < controls->GetCount(); ++at)
            if (auto* box = dynamic_cast<Korvo::UI::ReportControlSearchBox*>(controls->GetAt(at))) return box;
    }
    return nullptr;
}

std::wstring FormFactorsOutline(HWND window) {
    FormFactorPreviewWnd* view = IsWindow(window) ? FindView(window) : nullptr;
    if (!view) return {};
    FormFactorPreviewControlSite& site = view->GetSite();
    const Korvo::UI::FormFactorReportControl* report = site.GetReportControl();
    std::wstring dump = L"formfactors " + Quoted(site.GetDocumentPath());
    dump += view->IsWindowVisible() ? L" shown" : L" hidden";
    const ILibrary* library = site.GetLibrary();
    dump += L" library " + (library ? Quoted(library->GetName()) : std::wstring(L"none"));
    if (report) {
        auto* rows = const_cast<Korvo::UI::FormFactorReportControl*>(report)->GetRows();
        dump += L" rows " + std::to_wstring(rows->GetCount()) + L" view " +
                (report->GetViewMode() == 1 ? L"values" : L"names") + L" search " + Quoted(report->GetSearchText());
        const CXTPCommandBars* bars = site.GetCommandBars();
        dump += bars && !const_cast<CXTPCommandBars*>(bars)->GetCommandBarsOptions()->bToolBarScreenTips ? L" screen-tips off"
                                                                                                          : L" screen-tips on";
        const CString focused = report->GetFocusedFormFactor();
        const CString selected = report->GetSelectedFormFactor();
        for (int index = 0; index < rows->GetCount(); ++index) {
            const CXTPReportRecord* record = rows->GetAt(index)->GetRecord();
            const CString name = record->GetItem(0)->GetCaption();
            dump += L"\n  " + std::to_wstring(index) + L" " + Quoted(name) + L" values " +
                    Quoted(record->GetItem(1)->GetCaption());
            if (name == focused) dump += L" focused";
            if (name == selected) dump += L" selected";
        }
    } else {
        dump += L" (no report)";
    }
    const auto& pending = PreviewFormFactorApplyManager::Instance().GetPending();
    dump += L"\n  pending " + (pending ? Quoted(pending->GetCurrentFormFactor()) + L" of " + Quoted(pending->GetDocumentPath())
                                       : std::wstring(L"none"));
    return dump;
}

}  // namespace DocumentsMenu
