// Kernel dialogs that ask for one text, as modal requests of the simulated user.
#include <algorithm>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"

namespace platform::core {

namespace {

std::wstring describe(const KernelDialogRequest& request) {
    std::wstring text = request.kind + L" dialog";
    if (!request.current.empty()) text += L", text " + quoted(request.current);
    if (!request.anyText) {
        text += L", choices";
        for (const std::wstring& choice : request.choices) text += L" " + quoted(choice);
    }
    return text;
}

}  // namespace

void UserAgent::expectKernelDialog(std::wstring kind, std::optional<std::wstring> text) {
    std::lock_guard lock(mutex_);
    kernelDialogExpectations_.push_back(KernelDialogExpectation{std::move(kind), std::move(text), false});
}

std::optional<std::wstring> UserAgent::answerKernelDialog(const KernelDialogRequest& request) {
    const std::wstring description = describe(request);
    journal().add("dialog", description);
    std::optional<KernelDialogExpectation> match;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : kernelDialogExpectations_) {
            if (e.consumed || e.kind != request.kind) continue;
            e.consumed = true;
            match = e;
            break;
        }
    }
    if (!match) {
        if (policy() == ModalPolicy::Strict) reportFailure(L"unexpected " + description);
        journal().add("dialog", L"cancel (unexpected)");
        return std::nullopt;
    }
    if (!match->text) {
        journal().add("dialog", L"cancel");
        return std::nullopt;
    }
    const auto& choices = request.choices;
    if (!request.anyText && std::find(choices.begin(), choices.end(), *match->text) == choices.end()) {
        reportFailure(L"the " + request.kind + L" dialog offers no " + quoted(*match->text));
        journal().add("dialog", L"cancel (no such choice)");
        return std::nullopt;
    }
    journal().add("dialog", L"choose " + quoted(*match->text));
    return match->text;
}

}  // namespace platform::core

namespace platform::core {

void UserAgent::expectDrag(std::optional<DragAnswer> answer) {
    std::lock_guard lock(mutex_);
    dragExpectations_.emplace_back(std::move(answer), false);
}

std::optional<UserAgent::DragAnswer> UserAgent::answerDrag(const std::wstring& description) {
    journal().add("user", L"drag " + description);
    std::optional<std::optional<DragAnswer>> match;
    {
        std::lock_guard lock(mutex_);
        for (auto& [answer, consumed] : dragExpectations_) {
            if (consumed) continue;
            consumed = true;
            match = answer;
            break;
        }
    }
    if (!match) {
        if (policy() == ModalPolicy::Strict) reportFailure(L"unexpected drag " + description);
        journal().add("user", L"drag cancel (unexpected)");
        return std::nullopt;
    }
    journal().add("user", *match ? L"drop at " + (*match)->words : std::wstring(L"drag cancel"));
    return *match;
}

}  // namespace platform::core
