// The user acting by what the screen shows: controls found by caption, right clicks on the
// control's place, document tabs by caption, message-bar buttons, activating a frame or a
// document's window, and the tool bars a window (a pane's, say) holds.
#include <algorithm>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/screen_layout.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"

namespace platform::harness {

namespace {

using platform::core::handleText;
using platform::core::quoted;

void journalUser(const std::wstring& what) { platform::core::journal().add("user", what); }

// Each control place with its window (the bar that draws it), in the layout's order.
void collectControls(const Place& place, const Place* window, std::vector<std::pair<const Place*, const Place*>>& out) {
    const Place* owner = place.kind == Place::Kind::Window ? &place : window;
    if (place.kind == Place::Kind::Control) out.emplace_back(&place, owner);
    for (const Place& child : place.children) collectControls(child, owner, out);
}

void collectBars(HWND window, std::vector<const CXTPToolBar*>& out) {
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (const auto* bar = dynamic_cast<const CXTPToolBar*>(CWnd::FromHandlePermanent(child))) out.push_back(bar);
        collectBars(child, out);
    }
}

}  // namespace

std::vector<Inspect::CaptionedControl> Inspect::controlsCaptioned(HWND window, std::wstring_view caption) const {
    const std::wstring wanted = readableCaption(std::wstring(caption).c_str());
    const Place layout = frameLayout(window);
    std::vector<std::pair<const Place*, const Place*>> controls;
    collectControls(layout, nullptr, controls);
    std::vector<CaptionedControl> found;
    for (const auto& entry : controls) {
        const Place* control = entry.first;
        if (control->text != wanted) continue;
        const auto same = std::find_if(found.begin(), found.end(), [&](const CaptionedControl& seen) { return seen.id == control->id; });
        if (same == found.end()) found.push_back({control->id, control->enabled});
        else same->enabled = same->enabled || control->enabled;
    }
    return found;
}

std::optional<std::wstring> User::rightClickControl(HWND window, long long id) {
    journalUser(L"right-click " + std::to_wstring(id) + L" in " + handleText(window));
    std::vector<std::pair<const Place*, const Place*>> controls;
    const Place layout = frameLayout(window);
    collectControls(layout, nullptr, controls);
    // The ribbon's place of the control first: the tool bars may show it too.
    std::stable_partition(controls.begin(), controls.end(),
                          [](const auto& entry) { return entry.second && entry.second->className == L"XTPRibbon"; });
    for (const auto& [control, bar] : controls) {
        if (control->id != id || !bar) continue;
        const long x = (control->rect.left + control->rect.right) / 2 - bar->client.left;
        const long y = (control->rect.top + control->rect.bottom) / 2 - bar->client.top;
        ::SendMessageW(bar->window, WM_RBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
        session_.runUntilIdle();
        return std::nullopt;
    }
    return L"no visible control " + std::to_wstring(id) + L" in " + handleText(window);
}

std::optional<std::wstring> User::pressMessageBarButton(HWND frame, std::uint64_t barId, unsigned button) {
    journalUser(L"message bar " + std::to_wstring(barId) + L" button " + std::to_wstring(button) + L" in " +
                handleText(frame));
    for (HWND child = ::GetWindow(frame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto* bar = dynamic_cast<Korvo::UI::MessageBar*>(CWnd::FromHandlePermanent(child));
        if (!bar || bar->GetId() != barId || !::IsWindowVisible(child)) continue;
        const HWND pressed = ::GetDlgItem(child, static_cast<int>(button));
        if (!pressed) return L"message bar " + std::to_wstring(barId) + L" has no button " + std::to_wstring(button);
        pressButton(pressed);
        session_.runUntilIdle();
        return std::nullopt;
    }
    return L"main frame " + handleText(frame) + L" shows no message bar " + std::to_wstring(barId);
}

namespace {

// A click into a window: it comes to the front, and the button's messages go through the queue.
void clickInto(HWND frame, HWND target) {
    ::SetForegroundWindow(frame);
    constexpr WPARAM kLeftButtonDown = 0x0001;  // MK_LBUTTON
    ::PostMessageW(target, WM_LBUTTONDOWN, kLeftButtonDown, 0);
    ::PostMessageW(target, WM_LBUTTONUP, 0, 0);
}

}  // namespace

void User::activate(HWND frame) {
    journalUser(L"activate " + handleText(frame));
    clickInto(frame, frame);
    session_.runUntilIdle();
}

std::optional<std::wstring> User::activateDocument(std::wstring_view path) {
    journalUser(L"activate " + quoted(std::wstring(path)));
    CWinApp* app = AfxGetApp();
    const std::wstring wanted = platform::core::foldCase(path);
    for (CDocTemplate* documentTemplate : app && app->m_pDocManager ? app->m_pDocManager->GetTemplates()
                                                                    : std::vector<CDocTemplate*>{})
        for (CDocument* document : documentTemplate->GetDocuments()) {
            // A picture document keeps its path as its title.
            const CString named = document->GetPathName().IsEmpty() ? document->GetTitle() : document->GetPathName();
            if (platform::core::foldCase(named.view()) != wanted) continue;
            for (CView* view : document->GetViews()) {
                auto* child = dynamic_cast<CMDIChildWnd*>(view->GetParentFrame());
                CMDIFrameWnd* frame = child ? child->GetMDIFrame() : nullptr;
                if (!frame) continue;
                // A click into the window: its main frame comes to the front, the window becomes the active one.
                clickInto(frame->GetSafeHwnd(), child->GetSafeHwnd());
                frame->MDIActivate(child);
                session_.runUntilIdle();
                return std::nullopt;
            }
            return L"the document " + quoted(std::wstring(path)) + L" has no window";
        }
    return L"no open document has the path " + quoted(std::wstring(path));
}

std::wstring Inspect::dumpWindowBars(HWND window) const {
    std::vector<const CXTPToolBar*> bars;
    collectBars(window, bars);
    std::wstring dump;
    for (const CXTPToolBar* bar : bars) dump += (dump.empty() ? L"" : L"\n") + barDump(*bar);
    return dump;
}

}  // namespace platform::harness
