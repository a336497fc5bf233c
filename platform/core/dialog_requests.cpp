// Modal dialogs as requests of the simulated user, and what a user does in one.
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/window/window.h"

namespace platform::core {

namespace {

std::wstring describe(const DialogRequest& request) {
    const std::wstring which = request.templateId != 0 || request.name.empty() ? std::to_wstring(request.templateId)
                                                                                : quoted(request.name);
    return which + L" " + quoted(request.caption) + L" window " +
           handleText(request.dialog) + L" owner " + handleText(request.owner) + L" thread " +
           std::to_wstring(request.thread);
}

std::wstring className(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return foldCase(name);
}

// The control a user can reach: present, visible and enabled; the reason otherwise.
std::optional<std::wstring> reachable(HWND dialog, int id, HWND& control) {
    control = GetDlgItem(dialog, id);
    if (!control) return L"the dialog has no control " + std::to_wstring(id);
    if (!IsWindowVisible(control)) return L"control " + std::to_wstring(id) + L" is hidden";
    if (!IsWindowEnabled(control)) return L"control " + std::to_wstring(id) + L" is disabled";
    return std::nullopt;
}

std::optional<std::wstring> clickButton(HWND dialog, int id) {
    HWND button = nullptr;
    if (auto refusal = reachable(dialog, id, button)) return refusal;
    if (className(button) != L"button") return L"control " + std::to_wstring(id) + L" is not a button";
    SendMessageW(button, BM_CLICK, 0, 0);
    return std::nullopt;
}

// The list's item the action names: its text without '&' (case ignored), or "#N" from 0; -1 when none.
int listItem(HWND list, const std::wstring& item) {
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    if (item.size() > 1 && item[0] == L'#' && item.find_first_not_of(L"0123456789", 1) == std::wstring::npos) {
        const int index = std::stoi(item.substr(1));
        return index < count ? index : -1;
    }
    auto plain = [](std::wstring text) {
        std::erase(text, L'&');
        return foldCase(text);
    };
    for (int index = 0; index < count; ++index) {
        const auto length = static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0));
        std::wstring text(length + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        if (plain(text) == plain(item)) return index;
    }
    return -1;
}

std::optional<std::wstring> selectItem(HWND dialog, const DialogAction& action) {
    HWND list = nullptr;
    if (auto refusal = reachable(dialog, action.id, list)) return refusal;
    if (className(list) != L"listbox") return L"control " + std::to_wstring(action.id) + L" is not a list";
    const int index = listItem(list, action.text);
    if (index < 0) return L"list " + std::to_wstring(action.id) + L" has no item " + quoted(action.text);
    // A click on the row: the selection moves and the dialog hears of it.
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(action.id), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return std::nullopt;
}

FrameworkControlActor& frameworkControlActor() {
    static FrameworkControlActor actor;
    return actor;
}

}  // namespace

void setFrameworkControlActor(FrameworkControlActor actor) { frameworkControlActor() = std::move(actor); }

std::wstring describeDialogAction(const DialogAction& action) {
    if (!action.control.empty())
        return std::wstring(action.kind == DialogAction::Kind::Text ? L"text " : L"select ") + quoted(action.control) + L" " +
               quoted(action.text);
    switch (action.kind) {
        case DialogAction::Kind::Click: return L"click " + std::to_wstring(action.id);
        case DialogAction::Kind::Text: return L"text " + std::to_wstring(action.id) + L" " + quoted(action.text);
        case DialogAction::Kind::Ok: return L"ok";
        case DialogAction::Kind::Cancel: return L"cancel";
        case DialogAction::Kind::Select: return L"select " + std::to_wstring(action.id) + L" " + quoted(action.text);
    }
    return L"?";
}

std::optional<std::wstring> performDialogAction(HWND dialog, const DialogAction& action) {
    if (!IsWindow(dialog)) return std::wstring(L"the dialog is gone");
    if (!action.control.empty()) {
        if (!frameworkControlActor()) return L"the dialog has no control " + quoted(action.control);
        return frameworkControlActor()(dialog, action);
    }
    switch (action.kind) {
        case DialogAction::Kind::Click: return clickButton(dialog, action.id);
        case DialogAction::Kind::Ok: return clickButton(dialog, IDOK);
        case DialogAction::Kind::Select: return selectItem(dialog, action);
        case DialogAction::Kind::Text: {
            HWND edit = nullptr;
            if (auto refusal = reachable(dialog, action.id, edit)) return refusal;
            if (className(edit) != L"edit") return L"control " + std::to_wstring(action.id) + L" is not an edit";
            SetWindowTextW(edit, action.text.c_str());
            return std::nullopt;
        }
        case DialogAction::Kind::Cancel:
            // Escape: the dialog hears IDCANCEL whether or not it shows a Cancel button.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
            return std::nullopt;
    }
    return std::wstring(L"unknown action");
}

void UserAgent::expectDialog(UINT templateId, DialogAnswer answer) {
    std::lock_guard lock(mutex_);
    dialogExpectations_.push_back(DialogExpectation{templateId, std::move(answer), false, std::nullopt});
}

void UserAgent::expectDialog(std::wstring pattern, DialogAnswer answer) {
    std::lock_guard lock(mutex_);
    dialogExpectations_.push_back(DialogExpectation{0, std::move(answer), false, std::move(pattern)});
}

std::optional<DialogAnswer> UserAgent::answerDialog(const DialogRequest& request) {
    journal().add("dialog", describe(request));
    std::optional<DialogAnswer> match;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : dialogExpectations_) {
            if (e.consumed) continue;
            if (e.pattern ? !(wildcardMatch(*e.pattern, request.caption) || wildcardMatch(*e.pattern, request.className) ||
                              (!request.name.empty() && wildcardMatch(*e.pattern, request.name)))
                          : e.templateId != request.templateId)
                continue;
            e.consumed = true;
            match = e.answer;
            break;
        }
    }
    if (!match) {
        if (policy() == ModalPolicy::Strict) reportFailure(L"unexpected dialog " + describe(request));
        journal().add("dialog", L"cancel (unexpected)");
    }
    return match;
}

}  // namespace platform::core
