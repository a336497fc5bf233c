#include <stdexcept>

#include "platform/core/control.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/harness/session_state.h"

namespace platform::harness {

namespace {

using platform::core::handleText;

// Records the acknowledgement the program sends back for a DDE command.
LRESULT ddeClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DDE_ACK) {
        const bool positive = (LOWORD(static_cast<DWORD_PTR>(lParam)) & 0x8000) != 0;
        platform::core::journal().add("dde", std::wstring(L"ack ") + (positive ? L"positive" : L"negative") +
                                                 L" from " + handleText(reinterpret_cast<HWND>(wParam)));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND ddeClientWindow(Session::State& state) {
    if (state.ddeClient && IsWindow(state.ddeClient)) return state.ddeClient;
    static constexpr const wchar_t* kClass = L"Korvo.HarnessDdeClient";
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &ddeClientProc;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);  // fails harmlessly when a previous call registered it
    // Message-only: the harness's window is no part of the program, so the program's windows,
    // their dumps and the journal never show it.
    state.ddeClient = CreateWindowExW(0, kClass, L"DDE client", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                      nullptr);
    if (!state.ddeClient) throw std::runtime_error("harness: cannot create the DDE client window");
    return state.ddeClient;
}

}  // namespace

void User::expectBox(std::wstring pattern, Button answer) {
    platform::core::control::user().expectMessageBox(std::move(pattern), static_cast<int>(answer));
}

void User::expectBox(std::wstring pattern, std::function<Button(const BoxRequest&)> whileOpen) {
    platform::core::control::user().expectMessageBox(
        std::move(pattern), [whileOpen = std::move(whileOpen)](const platform::core::MessageBoxRequest& request) {
            BoxRequest box{request.text, request.caption, request.type, request.owner};
            return static_cast<int>(whileOpen(box));
        });
}

void User::command(HWND frame, unsigned id) {
    platform::core::journal().add("user", L"command " + std::to_wstring(id) + L" to " + handleText(frame));
    if (!PostMessageW(frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0)) {
        throw std::invalid_argument("harness: cannot post a command to " + platform::core::toUtf8(handleText(frame)));
    }
}

void User::dde(std::wstring_view text) {
    Session::State& state = currentState();
    // The framework's main window serves DDE; before it is set, the first main frame.
    HWND server = nullptr;
    if (CWnd* main = AfxGetMainWnd()) {
        server = main->GetSafeHwnd();
    } else if (const auto frames = session_.inspect().mainFrames(); !frames.empty()) {
        server = frames.front();
    }
    if (!server) throw std::logic_error("harness: there is no main frame to send a DDE command to");
    const HWND client = ddeClientWindow(state);
    state.ddeTexts.emplace_back(text);
    platform::core::journal().add("user", L"dde " + platform::core::quoted(text) + L" to " + handleText(server));
    PostMessageW(server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client),
                 reinterpret_cast<LPARAM>(state.ddeTexts.back().c_str()));
}

void User::close(HWND window) {
    platform::core::journal().add("user", L"close " + handleText(window));
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::optional<std::wstring> User::drop(HWND window, POINT clientPoint, const std::vector<std::wstring>& paths,
                                      bool control) {
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    std::wstring text = L"drop on " + handleText(window) + L" at " + std::to_wstring(clientPoint.x) + L"," +
                        std::to_wstring(clientPoint.y) + (control ? L" ctrl" : L"");
    for (const std::wstring& path : paths) text += L" " + platform::core::quoted(path);
    platform::core::journal().add("user", text);
    // The shell drags files as a data object: a drop target under the point sees it first.
    if (dropOnOleTarget(window, clientPoint, paths, control)) return std::nullopt;
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    HWND target = window;
    while (target && !(static_cast<DWORD>(GetWindowLongPtrW(target, GWL_EXSTYLE)) & WS_EX_ACCEPTFILES))
        target = (static_cast<DWORD>(GetWindowLongPtrW(target, GWL_STYLE)) & WS_CHILD) ? GetParent(target) : nullptr;
    if (!target) return L"no window under " + handleText(window) + L" accepts dropped files";
    POINT at = screen;
    ScreenToClient(target, &at);
    HDROP block = CreateShellDrop(paths, at);
    if (!block) throw std::runtime_error("harness: no memory for the dropped files");
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0)) {
        DragFinish(block);
        return L"the drop cannot be posted to " + handleText(target);
    }
    return std::nullopt;
}

std::vector<User::SessionEndAnswer> User::logoff() {
    platform::core::journal().add("user", L"log off");
    constexpr LPARAM kLogoff = static_cast<LPARAM>(0x80000000u);  // ENDSESSION_LOGOFF
    std::vector<SessionEndAnswer> answers;
    for (HWND window : session_.inspect().mainFrames()) {
        if (!IsWindow(window)) continue;
        SessionEndAnswer answer;
        answer.window = window;
        answer.agreed = SendMessageW(window, WM_QUERYENDSESSION, 0, kLogoff) != FALSE;
        DWORD size = 0;
        if (ShutdownBlockReasonQuery(window, nullptr, &size) && size > 0) {
            std::wstring reason(size, L'\0');
            if (ShutdownBlockReasonQuery(window, reason.data(), &size)) answer.blockReason = reason.c_str();
        }
        answers.push_back(std::move(answer));
    }
    bool ending = true;
    for (const SessionEndAnswer& answer : answers) ending = ending && answer.agreed;
    for (const SessionEndAnswer& answer : answers)
        if (IsWindow(answer.window)) SendMessageW(answer.window, WM_ENDSESSION, ending ? TRUE : FALSE, kLogoff);
    return answers;
}

std::vector<std::wstring> User::pendingExpectations() const { return platform::core::control::user().unconsumed(); }

}  // namespace platform::harness

namespace platform::harness {

void User::expectFileChoose(std::wstring windowsPath) { platform::core::userAgent().expectFileDialog(std::move(windowsPath)); }

void User::expectFileCancel() { platform::core::userAgent().expectFileDialog(std::nullopt); }

void User::expectFileClickAccept(int buttonId) { platform::core::userAgent().expectFileDialogClickAccept(buttonId); }

void User::expectPrintOk() { platform::core::userAgent().expectPrintDialog(true); }

void User::expectPrintCancel() { platform::core::userAgent().expectPrintDialog(false); }

void User::expectDialog(unsigned templateId, std::vector<DialogAction> actions) {
    platform::core::userAgent().expectDialog(templateId, platform::core::DialogAnswer{std::move(actions), {}});
}

void User::expectDialog(unsigned templateId, std::function<void(HWND dialog)> whileOpen) {
    platform::core::userAgent().expectDialog(
        templateId, platform::core::DialogAnswer{{}, [whileOpen = std::move(whileOpen)](
                                                         const platform::core::DialogRequest& request) {
                                                     whileOpen(request.dialog);
                                                 }});
}

void User::expectDialog(std::wstring pattern, std::vector<DialogAction> actions) {
    platform::core::userAgent().expectDialog(std::move(pattern), platform::core::DialogAnswer{std::move(actions), {}});
}

void User::expectDialog(std::wstring pattern, std::function<void(HWND dialog)> whileOpen) {
    platform::core::userAgent().expectDialog(
        std::move(pattern), platform::core::DialogAnswer{{}, [whileOpen = std::move(whileOpen)](
                                                                const platform::core::DialogRequest& request) {
                                                            whileOpen(request.dialog);
                                                        }});
}

std::optional<std::wstring> User::act(HWND dialog, const DialogAction& action) {
    platform::core::journal().add("dialog", platform::core::describeDialogAction(action));
    return platform::core::performDialogAction(dialog, action);
}

}  // namespace platform::harness
