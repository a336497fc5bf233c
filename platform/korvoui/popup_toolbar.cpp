#include "platform/korvoui/popup_toolbar.h"

#include <string>

#include "platform/core/record.h"

namespace Korvo::UI {

namespace {

CView* g_shownOver = nullptr;

}  // namespace

void PopupToolBar::ShowPopupToolBar(CView* view, POINT offset) {
    platform::core::recordCall(L"Korvo::UI::PopupToolBar::ShowPopupToolBar(" +
                               platform::core::handleText(view ? view->GetSafeHwnd() : nullptr) + L", " +
                               std::to_wstring(offset.x) + L", " + std::to_wstring(offset.y) + L")");
    g_shownOver = view;
}

void PopupToolBar::HidePopupToolBar() {
    platform::core::recordCall(L"Korvo::UI::PopupToolBar::HidePopupToolBar()");
    g_shownOver = nullptr;
}

CView* PopupToolBar::GetShownView() { return g_shownOver; }

}  // namespace Korvo::UI
