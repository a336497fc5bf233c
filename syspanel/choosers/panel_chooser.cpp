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
    // Clicking elsewhere activates the frame, which takes the activation from the chooser.
    const HWND window = g_open->GetChooserWindow();
    if (window && ::GetActiveWindow() == window) ::SetActiveWindow(frame);
    if (g_open && g_open->GetFrameWindow() == frame) g_open->Deactivate();
    return std::nullopt;
}

std::vector<std::wstring> DescribeOpenChooser(HWND frame) {
    if (!g_open || g_open->GetFrameWindow() != frame) return {};
    std::vector<std::wstring> lines;
    if (const HWND window = g_open->GetChooserWindow()) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        std::wstring line = L"window at " + std::to_wstring(rect.left) + L"," +
                            std::to_wstring(rect.top) + L" size " + std::to_wstring(rect.right - rect.left) + L"x" +
                            std::to_wstring(rect.bottom - rect.top) + (::IsWindowVisible(window) ? L" shown" : L" hidden") +
                            (::GetActiveWindow() == window ? L" active" : L"");
        if (::GetCapture() == window) line += L" capturing the mouse";
        if (const UINT_PTR cursor = platform::win32::cursorResource(::GetCursor())) line += L" cursor " + std::to_wstring(cursor);
        lines.push_back(line);
    }
    for (std::wstring& line : g_open->Describe()) lines.push_back(std::move(line));
    return lines;
}

bool IsChooserOpen() { return g_open != nullptr; }

std::wstring ConsolePickInChooser(HWND frame, const std::wstring& item) {
    return PickInOpenChooser(frame, item).value_or(std::wstring());
}

std::wstring ConsoleAwayFromChooser(HWND frame) { return DeactivateOpenChooser(frame).value_or(std::wstring()); }

std::wstring ConsoleDescribeChooser(HWND frame) {
    std::wstring text;
    for (const std::wstring& line : DescribeOpenChooser(frame)) text += (text.empty() ? L"" : L"\n") + line;
    return text;
}

HWND ConsoleChooserWindow(HWND frame) {
    return g_open && g_open->GetFrameWindow() == frame ? g_open->GetChooserWindow() : nullptr;
}
