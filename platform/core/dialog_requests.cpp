// Modal dialogs as requests of the simulated user; what a user does in one is Windows' work
// (platform/win32/window/dialog_actions.cpp), reached through the performer it installs.
#include <mutex>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"

namespace platform::core {

namespace {

std::wstring describe(const DialogRequest& request) {
    const std::wstring which = request.templateId != 0 || request.name.empty() ? std::to_wstring(request.templateId)
                                                                                : quoted(request.name);
    return which + L" " + quoted(request.caption) + L" window " +
           handleText(request.dialog) + L" owner " + handleText(request.owner) + L" thread " +
           std::to_wstring(request.thread);
}

struct Hooks {
    std::mutex mutex;
    FrameworkControlActor frameworkActor;
    DialogActionPerformer performer;
};
Hooks& hooks() {
    static Hooks instance;
    return instance;
}

}  // namespace

void setFrameworkControlActor(FrameworkControlActor actor) {
    std::lock_guard lock(hooks().mutex);
    hooks().frameworkActor = std::move(actor);
}

FrameworkControlActor frameworkControlActor() {
    std::lock_guard lock(hooks().mutex);
    return hooks().frameworkActor;
}

void setDialogActionPerformer(DialogActionPerformer performer) {
    std::lock_guard lock(hooks().mutex);
    hooks().performer = std::move(performer);
}

std::wstring describeDialogAction(const DialogAction& action) {
    if (!action.controlKind.empty())
        return std::wstring(action.kind == DialogAction::Kind::Text ? L"text " : L"select ") + action.controlKind + L" " +
               quoted(action.text);
    if (!action.control.empty()) {
        const std::wstring control = quoted(action.control);
        switch (action.kind) {
            case DialogAction::Kind::Click: return L"click " + control;
            case DialogAction::Kind::Check:
                return L"check " + control + L" " + quoted(action.row) + L" " + std::to_wstring(action.column) + L" " + action.text;
            case DialogAction::Kind::Edit:
                return L"edit " + control + L" " + quoted(action.row) + L" " + std::to_wstring(action.column) + L" " + quoted(action.text);
            default: return std::wstring(action.kind == DialogAction::Kind::Text ? L"text " : L"select ") + control + L" " + quoted(action.text);
        }
    }
    switch (action.kind) {
        case DialogAction::Kind::Click: return L"click " + std::to_wstring(action.id);
        case DialogAction::Kind::Text: return L"text " + std::to_wstring(action.id) + L" " + quoted(action.text);
        case DialogAction::Kind::Ok: return L"ok";
        case DialogAction::Kind::Cancel: return L"cancel";
        case DialogAction::Kind::Select: return L"select " + std::to_wstring(action.id) + L" " + quoted(action.text);
        case DialogAction::Kind::Check: return L"check " + std::to_wstring(action.id) + L" " + action.text;
        case DialogAction::Kind::Page: return L"page " + std::to_wstring(action.id);
        case DialogAction::Kind::Edit: return L"edit";
        case DialogAction::Kind::Dump: return L"dump";
    }
    return L"?";
}

std::optional<std::wstring> performDialogAction(HWND dialog, const DialogAction& action) {
    DialogActionPerformer performer;
    {
        std::lock_guard lock(hooks().mutex);
        performer = hooks().performer;
    }
    // Windows installs the performer with its window table: until then no window exists.
    if (!performer) return std::wstring(L"the dialog is gone");
    return performer(dialog, action);
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
