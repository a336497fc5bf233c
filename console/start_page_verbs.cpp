// The console at the start page: the user's clicks in the page's control, which reach the
// program through the control's callback, and what the start and work-mix pages of a frame show.
#include "console/driver.h"
#include "platform/core/record.h"
#include "platform/kernel.h"
#include "platform/managedui/start_page_control.h"
#include "platform/win32/icons.h"

namespace korvo::console {

namespace {

using platform::core::handleText;
using platform::core::quoted;

bool inside(HWND window, HWND frame) {
    for (HWND at = window; at; at = ::GetParent(at))
        if (at == frame) return true;
    return false;
}

// The start-page control a user sees in the frame: the one of the active tab when that is a
// start page, else the first.
HWND startPageOf(HWND frame) {
    HWND first = nullptr;
    for (HWND control : platform::managedui::startPageControls()) {
        if (!inside(control, frame)) continue;
        if (::IsWindowVisible(control)) return control;
        if (!first) first = control;
    }
    return first;
}

bool endsWith(const std::string& text, std::string_view word) {
    return text.size() >= word.size() && text.compare(text.size() - word.size(), word.size(), word) == 0;
}

// The tab of a page: the MDI child frame around the page's view.
std::wstring tabOf(HWND view) {
    const HWND child = view ? ::GetParent(view) : nullptr;
    wchar_t caption[256] = {};
    if (child) ::GetWindowTextW(child, caption, 256);
    const auto icon = reinterpret_cast<HICON>(child ? ::SendMessageW(child, WM_GETICON, ICON_SMALL, 0) : 0);
    const UINT resource = platform::win32::iconResource(icon);
    return L"tab " + quoted(std::wstring(caption)) + L" icon " +
           (!icon ? std::wstring(L"none") : resource ? std::to_wstring(resource) : std::wstring(L"own"));
}

}  // namespace

bool Driver::startPageAction(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    const HWND control = startPageOf(frame);
    const platform::managedui::StartPageState* state = platform::managedui::startPageState(control);
    if (!state || !state->callback) {
        printRefusal("startpage", frameName(frame) + L" shows no start page");
        return true;
    }
    KorvoManagedUIProxy::IStartPageCallback& page = *state->callback;
    const std::string& source = step.source;
    const bool close = endsWith(source, " close");
    const auto index = static_cast<unsigned>(step.arguments.position);
    const std::string action = source.substr(source.find(' ', source.find(' ') + 1) + 1);
    if (action.starts_with("open-recent")) page.OpenRecentDocument(index, close);
    else if (action.starts_with("open")) page.OpenDocument(close);
    else if (action.starts_with("new")) page.CreateDocumentFromPrototype(step.arguments.text.c_str(), close);
    else if (action.starts_with("pin")) page.SetRecentDocumentPinned(index, endsWith(source, " on"));
    else if (action.starts_with("remove")) page.RemoveRecentDocument(index);
    else if (action.starts_with("show-option")) platform::managedui::tickShowOption(control, endsWith(source, " on"));
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpStartPage(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    std::wstring out;
    for (HWND control : platform::managedui::startPageControls()) {
        const platform::managedui::StartPageState* state = platform::managedui::startPageState(control);
        if (!state || !inside(control, frame)) continue;
        out += L"start-page " + handleText(control) + L" " + tabOf(::GetParent(control)) + L" theme " +
               std::to_wstring(state->theme) + L" folder " + quoted(std::wstring(state->folder.GetString())) +
               (state->showOption ? L" show-option on" : L" show-option off") +
               (state->closeAfterOpen ? L" close-after-open on\n" : L" close-after-open off\n");
        for (std::size_t i = 0; i < state->items.size(); ++i)
            out += L"  recent " + std::to_wstring(i) + L" " + quoted(std::wstring(state->items[i].path.GetString())) +
                   (state->items[i].pinned ? L" pinned\n" : L"\n");
    }
    for (KVPDMPage* page : platform::kernel::livePages()) {
        const HWND window = page->PeekWindow();
        if (!window || !inside(window, frame)) continue;
        out += L"work-mix-page " + handleText(window) + L" " + tabOf(::GetParent(window)) + L" url " +
               quoted(std::wstring(page->GetUrl().GetString())) + L"\n";
    }
    printDump(out, L"(no start page)");
    return true;
}

}  // namespace korvo::console
