#include "platform/kernel/documents/sheet_view.h"

#include <cwchar>
#include <string>

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kvgc/screen_gc.h"
#include "platform/win32/window/window.h"

namespace {

std::wstring number(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%g", value);
    return text;
}

}  // namespace

void set_next_zoom(double x1, double y1, double x2, double y2) {
    platform::core::recordCall(L"set_next_zoom(" + number(x1) + L", " + number(y1) + L", " + number(x2) + L", " +
                               number(y2) + L")");
}

COLORREF KVGetColorIndex(int index) { return KVColorToRGB(index); }

LRESULT KorvoSafeSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::IsWindow(window) ? ::SendMessageW(window, message, wParam, lParam) : 0;
}

void CKvw32Doc::RepaintNeeded() { platform::core::recordCall(L"CKvw32Doc::RepaintNeeded(" + platform::kernel::documentText(this) + L")"); }

void CKVBaseView::GetVisibleWindow(double& left, double& top, double& right, double& bottom) const {
    GetExactVisibleWindow(left, top, right, bottom);
}

void CKVBaseView::GetExactVisibleWindow(double& left, double& top, double& right, double& bottom) const {
    left = visible_[0];
    top = visible_[1];
    right = visible_[2];
    bottom = visible_[3];
}

void CKVBaseView::SetVisibleWindow(double left, double top, double right, double bottom) {
    visible_[0] = left;
    visible_[1] = top;
    visible_[2] = right;
    visible_[3] = bottom;
}

void KVDocument::show_sheet_borders(KVScreenGC&) const { platform::core::recordCall(L"KVDocument::show_sheet_borders()"); }

void KVDocument::redraw_struct(int page, KVScreenGC&) const {
    platform::core::recordCall(L"KVDocument::redraw_struct(" + std::to_wstring(page) + L")");
}

int SCREEN_STAT::FindValidPage(const KVDocument* document) {
    return document && !document->GetPageIds().empty() ? document->GetPageIds().front() : 0;
}
