// Modal dialogs as requests of the simulated user, and what a user does in one.
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/window/window.h"

namespace platform::core {

namespace {

std::wstring describe(const DialogRequest& request) {
    return std::to_wstring(request.templateId) + L" " + quoted(request.caption) + L" window " +
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

}  // namespace

std::wstring describeDialogAction(const DialogAction& action) {
    switch (action.kind) {
        case DialogAction::Kind::Click: return L"click " + std::to_wstring(action.id);
        case DialogAction::Kind::Text: return L"text " + std::to_wstring(action.id) + L" " + quoted(action.text);
        case DialogAction::Kind::Ok: return L"ok";
        case DialogAction::Kind::Cancel: return L"cancel";
    }
    return L"?";
}

std::optional<std::wstring> performDialogAction(HWND dialog, const DialogAction& action) {
    if (!IsWindow(dialog)) return std::wstring(L"the dialog is gone");
    switch (action.kind) {
        case DialogAction::Kind::Click: return clickButton(dialog, action.id);
        case DialogAction::Kind::Ok: return clickButton(dialog, IDOK);
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
    dialogExpectations_.push_back(DialogExpectation{templateId, std::move(answer), false});
}

std::optional<DialogAnswer> UserAgent::answerDialog(const DialogRequest& request) {
    journal().add("dialog", describe(request));
    std::optional<DialogAnswer> match;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : dialogExpectations_) {
            if (e.consumed || e.templateId != request.templateId) continue;
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
