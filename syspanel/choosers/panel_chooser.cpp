#include "syspanel/choosers/panel_chooser.h"

namespace {

PanelChooser* g_open = nullptr;

std::optional<std::wstring> noChooser() { return std::wstring(L"no chooser is open in that frame"); }

}  // namespace

PanelChooser::~PanelChooser() { MarkClosed(); }

void PanelChooser::MarkOpen() {
    // Opening one chooser takes the activation from any other.
    if (g_open && g_open != this) g_open->Deactivate();
    g_open = this;
}

void PanelChooser::MarkClosed() {
    if (g_open == this) g_open = nullptr;
}

std::optional<std::wstring> PickInOpenChooser(HWND frame, const std::wstring& item) {
    if (!g_open || g_open->GetFrameWindow() != frame) return noChooser();
    return g_open->Pick(item);
}

std::optional<std::wstring> DeactivateOpenChooser(HWND frame) {
    if (!g_open || g_open->GetFrameWindow() != frame) return noChooser();
    g_open->Deactivate();
    return std::nullopt;
}

bool IsChooserOpen() { return g_open != nullptr; }

std::wstring ConsolePickInChooser(HWND frame, const std::wstring& item) {
    return PickInOpenChooser(frame, item).value_or(std::wstring());
}

std::wstring ConsoleAwayFromChooser(HWND frame) { return DeactivateOpenChooser(frame).value_or(std::wstring()); }
