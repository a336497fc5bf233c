// The clipart kinds a saved layout can name.
#include "mainframe/clipart/application_clipart.h"
#include "mainframe/clipart/documents_menu_clipart.h"
#include "mainframe/clipart/expanded_form_clipart.h"
#include "mainframe/clipart/model_tree_clipart.h"
#include "mainframe/clipart/workmix_clipart.h"

CClipartView* CClipartView::CreateOfKind(const CString& kind) {
    if (kind == L"ModelTree") return new ModelTreeClipart();
    if (kind == L"Workmix") return new WorkmixClipart();
    if (kind == L"Application") return new ApplicationClipart();
    if (kind == L"DocumentsMenu") return new DocumentsMenuClipart();
    if (kind == L"ExpandedForm") return new ExpandedFormClipart();
    return nullptr;
}

namespace {

std::wstring Outline(HWND window) {
    const auto* view = dynamic_cast<const CClipartView*>(CWnd::FromHandlePermanent(window));
    if (!view) return {};
    return std::wstring(view->GetKindName()) + L" state " + std::to_wstring(view->GetViewState()) + L" " + view->DescribeKeys();
}

// The exports are in place as soon as the program is loaded, before it starts.
[[maybe_unused]] const bool kExported = [] {
    GetApplicationExports().clipartOutline = &Outline;
    return true;
}();

}  // namespace
