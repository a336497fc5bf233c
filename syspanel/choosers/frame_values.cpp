#include "syspanel/choosers/frame_values.h"

namespace {

SyspanelIntSetter g_intSetter = nullptr;
SyspanelTextSetter g_textSetter = nullptr;

}  // namespace

void SetSyspanelSetters(SyspanelIntSetter intSetter, SyspanelTextSetter textSetter) {
    g_intSetter = intSetter;
    g_textSetter = textSetter;
}

bool SetFrameSyspanelInt(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, int value) {
    return frame && g_intSetter && g_intSetter(frame, document, id, value);
}

bool SetFrameSyspanelText(Korvo::UI::MainFrame* frame, KVDocument* document, unsigned id, const CString& text) {
    return frame && g_textSetter && g_textSetter(frame, document, id, text);
}

void SendFrameValueCommand(Korvo::UI::MainFrame* frame, unsigned id, const void* value) {
    CFrameWnd* window = frame ? frame->AsWindow() : nullptr;
    if (window && window->GetSafeHwnd())
        window->SendMessage(WM_COMMAND, id, reinterpret_cast<LPARAM>(value));
}

void NotifyBarSite(CXTPControl& control) {
    CXTPCommandBar* bar = control.GetParent();
    CWnd* site = bar ? bar->GetSite() : nullptr;
    if (!site || !site->GetSafeHwnd()) return;
    NMXTPCONTROL notify{};
    notify.hdr.hwndFrom = bar->GetSafeHwnd();
    notify.hdr.idFrom = static_cast<UINT_PTR>(control.GetID());
    notify.hdr.code = CBN_XTP_EXECUTE;
    notify.pControl = &control;
    site->SendMessage(XTPWM_CONTROLNOTIFY, CBN_XTP_EXECUTE, reinterpret_cast<LPARAM>(&notify));
}
