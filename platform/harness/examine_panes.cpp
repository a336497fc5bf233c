// What the docking panes and the status line of a main frame show, and the user's clicks on the
// buttons inside a frame or a pane's window.
#include <stdexcept>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/session_state.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace platform::harness {

namespace {

using platform::core::handleText;
using platform::core::quoted;

Korvo::UI::MainFrame* mainFrameOf(HWND frame) {
    for (Korvo::UI::MainFrame* candidate : UIModuleProxy::Instance().GetMainFrames()) {
        const CFrameWnd* window = candidate->AsWindow();
        if (window && window->GetSafeHwnd() == frame) return candidate;
    }
    return nullptr;
}

const wchar_t* stateText(const CXTPDockingPane* pane) {
    switch (pane->GetState()) {
        case xtpPaneDocked: return L"docked";
        case xtpPaneHidden: return L"hidden";
        case xtpPaneClosed: return L"closed";
        case xtpPaneFloating: return L"floating";
    }
    return L"?";
}

CXTPStatusBar* statusBarOf(HWND frame) {
    const HWND bar = ::GetDlgItem(frame, AFX_IDW_STATUS_BAR);
    return bar ? dynamic_cast<CXTPStatusBar*>(CWnd::FromHandlePermanent(bar)) : nullptr;
}

template <class Visit>
void forEachChild(HWND parent, Visit visit) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) visit(child);
}

const wchar_t* taskbarStateText(TBPFLAG state) {
    switch (state) {
        case TBPF_NOPROGRESS: return L"none";
        case TBPF_INDETERMINATE: return L"indeterminate";
        case TBPF_NORMAL: return L"normal";
        case TBPF_ERROR: return L"error";
        case TBPF_PAUSED: return L"paused";
    }
    return L"?";
}

// A button with control id `id` among the descendants of `window`, depth first.
CXTPButton* findButton(HWND window, unsigned id) {
    CXTPButton* found = nullptr;
    forEachChild(window, [&](HWND child) {
        if (found) return;
        auto* button = dynamic_cast<CXTPButton*>(CWnd::FromHandlePermanent(child));
        if (button && static_cast<unsigned>(button->GetDlgCtrlID()) == id) found = button;
        else found = findButton(child, id);
    });
    return found;
}

// A control with id `id` on a command bar among the descendants of `window`.
CXTPControl* findBarControl(HWND window, unsigned id) {
    CXTPControl* found = nullptr;
    forEachChild(window, [&](HWND child) {
        if (found) return;
        auto* bar = dynamic_cast<CXTPCommandBar*>(CWnd::FromHandlePermanent(child));
        if (bar && bar->GetControls()) found = bar->GetControls()->FindControl(static_cast<int>(id));
        if (!found) found = findBarControl(child, id);
    });
    return found;
}

}  // namespace

HWND Inspect::paneWindow(HWND frame, unsigned paneId) const {
    Korvo::UI::MainFrame* main = mainFrameOf(frame);
    CXTPDockingPaneManager* manager = main ? main->GetDockingPaneManager() : nullptr;
    CXTPDockingPane* pane = manager ? manager->FindPane(paneId) : nullptr;
    return pane && pane->IsValid() ? pane->GetChild() : nullptr;
}

HWND Inspect::shownReportControl(HWND window) const {
    HWND found = nullptr;
    forEachChild(window, [&](HWND child) {
        if (found || !::IsWindowVisible(child)) return;
        if (dynamic_cast<CXTPReportControl*>(CWnd::FromHandlePermanent(child))) found = child;
        else found = shownReportControl(child);
    });
    return found;
}

std::wstring Inspect::dumpPanes(HWND frame) const {
    Korvo::UI::MainFrame* main = mainFrameOf(frame);
    const CXTPDockingPaneManager* manager = main ? main->GetDockingPaneManager() : nullptr;
    if (!manager) return {};
    std::wstring dump;
    for (const CXTPDockingPane* pane : manager->GetPaneList()) {
        if (!dump.empty()) dump += L"\n";
        dump += std::to_wstring(pane->GetID()) + L" " + stateText(pane) + L" " + quoted(pane->GetTitle().GetString());
        dump += L" icon " + std::to_wstring(pane->GetIconID());
        if (const CXTPDockingPane* head = pane->GetNeighbour()) dump += L" group " + std::to_wstring(head->GetID());
        if (pane->IsSelected()) dump += L" selected";
        // The window really inside the pane: a shared window may sit in another frame's pane.
        const bool holds = pane->HoldsChild();
        dump += L" window " + (holds ? handleText(pane->GetChild()) : std::wstring(L"none"));
        // A view waiting out of its pane (a PDM disconnect) sits under the frame with the pane's id.
        const HWND hosted = pane->GetChild() ? pane->GetChild() : ::GetDlgItem(frame, static_cast<int>(pane->GetID()));
        if (const auto clipart = GetApplicationExports().clipartOutline; clipart && hosted) {
            if (const std::wstring outline = clipart(hosted); !outline.empty()) {
                const RECT place = pane->GetFloatingRect();
                if (pane->IsFloating())
                    dump += L" float " + platform::core::rectText(place.left, place.top, place.right, place.bottom);
                dump += L" clipart " + outline;
            }
        }
        // A document-bound list of the UI library inside: the document it shows.
        if (holds) {
            for (HWND child = ::GetWindow(pane->GetChild(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                CWnd* control = CWnd::FromHandlePermanent(child);
                if (const auto* list = dynamic_cast<const CModelElementsList*>(control))
                    dump += L"\n    shows " + list->GetShownDocument();
                else if (const auto* site = dynamic_cast<const Korvo::UI::AssemblyStructureControlSite*>(control))
                    dump += L"\n    shows " + site->GetShownDocument();
            }
        }
        const HWND report = holds ? shownReportControl(pane->GetChild()) : nullptr;
        if (!report) continue;
        if (const auto* control = dynamic_cast<CXTPReportControl*>(CWnd::FromHandlePermanent(report))) {
            dump += std::wstring(L" theme ") + control->GetPaintManager()->GetThemeName();
            if (control->GetTopRowIndex() > 0) dump += L" scrolled-to " + std::to_wstring(control->GetTopRowIndex());
        }
        const std::wstring rows = ReportDriver(report).outline();
        for (std::size_t at = 0; at < rows.size();) {
            const std::size_t end = rows.find(L'\n', at);
            dump += L"\n    " + rows.substr(at, end - at);
            at = end == std::wstring::npos ? rows.size() : end + 1;
        }
    }
    // The kernel's expanded forms, once it shows them: the classes floating in panes of their own.
    if (const auto* forms = dynamic_cast<const Korvo::UI::ExpandedFormView*>(UIModuleProxy::Instance().GetCurrentDockFormView())) {
        std::wstring classes;
        for (const UINT classId : forms->GetFloatingUniquelyDlgs())
            classes += (classes.empty() ? L"" : L",") + std::to_wstring(classId);
        if (!dump.empty()) dump += L"\n";
        dump += L"expanded forms floating " + (classes.empty() ? std::wstring(L"none") : classes);
    }
    return dump;
}

std::wstring Inspect::dumpStatus(HWND frame) const {
    CXTPStatusBar* bar = statusBarOf(frame);
    if (!bar) return {};
    std::wstring dump;
    auto line = [&](const std::wstring& text) {
        if (!dump.empty()) dump += L"\n";
        dump += text;
    };
    for (int index = 0; index < bar->GetPaneCount(); ++index) {
        const CXTPStatusBarPane* pane = bar->GetPane(index);
        std::wstring text = L"pane " + std::to_wstring(index) + L" id " + std::to_wstring(pane->GetID()) + L" " +
                            quoted(pane->GetText().GetString());
        if (!pane->IsVisible()) text += L" hidden";
        line(text);
    }
    forEachChild(bar->GetSafeHwnd(), [&](HWND child) {
        CWnd* window = CWnd::FromHandlePermanent(child);
        if (auto* progress = dynamic_cast<CProgressCtrl*>(window)) {
            std::wstring text = L"progress id " + std::to_wstring(progress->GetDlgCtrlID()) + L" " +
                                std::to_wstring(progress->GetPosValue()) + L"/" +
                                std::to_wstring(progress->GetUpper());
            if (progress->IsMarqueeOn()) text += L" marquee";
            line(text);
        } else if (auto* button = dynamic_cast<CXTPButton*>(window)) {
            std::wstring text = L"button " + std::to_wstring(button->GetDlgCtrlID()) + L" " +
                                quoted(button->GetTooltip().GetString());
            if (!button->IsWindowVisible()) text += L" hidden";
            if (!button->IsWindowEnabled()) text += L" disabled";
            line(text);
        }
    });
    const platform::mfc::TaskbarProgress taskbar = platform::mfc::taskbarProgress(frame);
    line(std::wstring(L"taskbar ") + taskbarStateText(taskbar.state) + L" " + std::to_wstring(taskbar.completed) +
         L"/" + std::to_wstring(taskbar.total));
    return dump;
}

void User::enterText(HWND window, unsigned id, std::wstring_view text) {
    platform::core::journal().add("user", L"enter " + quoted(std::wstring(text)) + L" in " + std::to_wstring(id) +
                                              L" of " + handleText(window));
    if (!::IsWindow(window)) throw std::invalid_argument("harness: typing in a window that does not exist");
    auto* box = dynamic_cast<CXTPControlComboBox*>(findBarControl(window, id));
    if (!box) throw std::invalid_argument("harness: no combo box " + std::to_string(id) + " in " +
                                          platform::core::toUtf8(handleText(window)));
    if (!box->GetEnabled() || !box->IsVisible())
        throw std::invalid_argument("harness: combo box " + std::to_string(id) + " is hidden or disabled");
    box->SetEditText(std::wstring(text).c_str());
    box->OnEditChanged();
    box->OnExecute();
}

void User::click(HWND window, unsigned id) {
    platform::core::journal().add("user", L"click " + std::to_wstring(id) + L" in " + handleText(window));
    if (!::IsWindow(window)) throw std::invalid_argument("harness: click in a window that does not exist");
    if (CXTPButton* button = findButton(window, id)) {
        if (!button->Click())
            throw std::invalid_argument("harness: button " + std::to_string(id) + " is hidden or disabled");
        return;
    }
    if (CXTPControl* control = findBarControl(window, id)) {
        if (!control->GetEnabled() || !control->IsVisible())
            throw std::invalid_argument("harness: control " + std::to_string(id) + " is hidden or disabled");
        control->OnExecute();
        return;
    }
    throw std::invalid_argument("harness: no button or tool-bar control " + std::to_string(id) + " in " +
                                platform::core::toUtf8(handleText(window)));
}

void User::clickArrow(HWND window, unsigned id) {
    platform::core::journal().add("user", L"click the arrow of " + std::to_wstring(id) + L" in " + handleText(window));
    auto* popup = ::IsWindow(window) ? dynamic_cast<CXTPControlPopup*>(findBarControl(window, id)) : nullptr;
    if (!popup) throw std::invalid_argument("harness: no popup control " + std::to_string(id) + " in " +
                                            platform::core::toUtf8(handleText(window)));
    if (!popup->GetEnabled() || !popup->IsVisible())
        throw std::invalid_argument("harness: control " + std::to_string(id) + " is hidden or disabled");
    popup->OpenPopup();
}

std::optional<std::wstring> User::paneAction(HWND frame, unsigned paneId, PaneAction action) {
    static constexpr const wchar_t* kNames[] = {L"close", L"float", L"hide", L"right-click", L"show"};
    const wchar_t* name = kNames[static_cast<int>(action)];
    platform::core::journal().add("user", std::wstring(name) + L" pane " + std::to_wstring(paneId) + L" of " +
                                              handleText(frame));
    Korvo::UI::MainFrame* main = mainFrameOf(frame);
    CXTPDockingPaneManager* manager = main ? main->GetDockingPaneManager() : nullptr;
    if (!manager) return handleText(frame) + L" is not a main frame with docking panes";
    CXTPDockingPane* pane = manager->FindPane(paneId);
    if (!pane) return L"main frame " + handleText(frame) + L" has no docking pane " + std::to_wstring(paneId);
    if (pane->IsClosed() && action != PaneAction::Show) return L"docking pane " + std::to_wstring(paneId) + L" is closed";
    switch (action) {
        case PaneAction::Close: manager->ClosePane(pane); break;
        case PaneAction::Float: {
            // Dropped a little inside the frame, at the size the pane had.
            RECT frameRect{};
            ::GetWindowRect(frame, &frameRect);
            const RECT docked = pane->GetFloatingRect();
            const LONG width = docked.right > docked.left ? docked.right - docked.left : 300;
            const LONG height = docked.bottom > docked.top ? docked.bottom - docked.top : 200;
            const RECT target{frameRect.left + 100, frameRect.top + 100, frameRect.left + 100 + width,
                              frameRect.top + 100 + height};
            manager->FloatPane(pane, target);
            break;
        }
        case PaneAction::Hide: manager->HidePane(pane); break;
        case PaneAction::Menu: {
            // On the caption: the top of the pane's frame (a docked pane's container, else its frame).
            RECT at{};
            ::GetWindowRect(pane->GetContainer() ? pane->GetContainer() : frame, &at);
            manager->ContextMenu(pane, POINT{at.left + 20, at.top + 8});
            break;
        }
        case PaneAction::Show: manager->ShowPane(pane, TRUE); break;
    }
    return std::nullopt;
}

namespace {

// What the status line's progress bar shows: its position, "a marquee", or nothing without one.
std::optional<std::wstring> shownProgress(CXTPStatusBar* bar) {
    std::optional<std::wstring> shown;
    if (!bar) return shown;
    forEachChild(bar->GetSafeHwnd(), [&](HWND child) {
        if (auto* progress = dynamic_cast<CProgressCtrl*>(CWnd::FromHandlePermanent(child)))
            shown = progress->IsMarqueeOn() ? L"a marquee" : std::to_wstring(progress->GetPosValue());
    });
    return shown;
}

}  // namespace

std::optional<std::wstring> Kernel::progress(ProgressCall call, int position) {
    // The kernel's running command asks for the active frame's status line when its progress
    // begins and keeps that line until the progress ends, whichever frame becomes active.
    Session::State& state = currentState();
    StatusLineProxy* line = nullptr;
    if (state.progressDepth > 0 && ::IsWindow(state.progressFrame))
        line = dynamic_cast<StatusLineProxy*>(statusBarOf(state.progressFrame));
    if (!line) {
        KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
        line = shell ? shell->GetStatusLineProxy() : nullptr;
        const auto* bar = dynamic_cast<CXTPStatusBar*>(line);
        if (bar && call == ProgressCall::Begin && state.progressDepth == 0)
            state.progressFrame = ::GetParent(bar->GetSafeHwnd());
    }
    if (!line) return std::nullopt;
    if (call == ProgressCall::Begin) ++state.progressDepth;
    if (call == ProgressCall::End && state.progressDepth > 0 && --state.progressDepth == 0) state.progressFrame = nullptr;
    switch (call) {
        case ProgressCall::Begin: return line->BeginProgress() ? L"true" : L"false";
        case ProgressCall::Step: return std::to_wstring(line->StepProgress());
        case ProgressCall::SetPosition: {
            line->SetProgressPos(position);
            std::wstring answer = std::to_wstring(line->GetProgressPos());
            // The bar draws a position only when its throttle lets it: the kept position and the
            // one a user sees part while the drawing is held back.
            if (const std::optional<std::wstring> shown = shownProgress(dynamic_cast<CXTPStatusBar*>(line));
                shown && *shown != answer)
                answer += L" (the bar shows " + *shown + L")";
            return answer;
        }
        case ProgressCall::End: return line->EndProgress() ? L"true" : L"false";
    }
    return std::nullopt;
}

}  // namespace platform::harness
