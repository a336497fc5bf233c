#include "platform/core/useragent.h"

#include <algorithm>

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/message_box_types.h"

namespace platform::core {

std::vector<int> messageBoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
        default: return {IDOK};
    }
}

std::wstring messageBoxButtonsName(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return L"OKCANCEL";
        case MB_ABORTRETRYIGNORE: return L"ABORTRETRYIGNORE";
        case MB_YESNOCANCEL: return L"YESNOCANCEL";
        case MB_YESNO: return L"YESNO";
        case MB_RETRYCANCEL: return L"RETRYCANCEL";
        case MB_CANCELTRYCONTINUE: return L"CANCELTRYCONTINUE";
        default: return L"OK";
    }
}

std::wstring buttonName(int id) {
    switch (id) {
        case IDOK: return L"IDOK";
        case IDCANCEL: return L"IDCANCEL";
        case IDABORT: return L"IDABORT";
        case IDRETRY: return L"IDRETRY";
        case IDIGNORE: return L"IDIGNORE";
        case IDYES: return L"IDYES";
        case IDNO: return L"IDNO";
        case IDCLOSE: return L"IDCLOSE";
        case IDHELP: return L"IDHELP";
        case IDTRYAGAIN: return L"IDTRYAGAIN";
        case IDCONTINUE: return L"IDCONTINUE";
        default: return L"button " + std::to_wstring(id);
    }
}

int defaultButton(UINT type) {
    const auto buttons = messageBoxButtons(type);
    const auto index = static_cast<std::size_t>((type & MB_DEFMASK) >> 8);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

namespace {

std::wstring iconName(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR: return L"ERROR";
        case MB_ICONQUESTION: return L"QUESTION";
        case MB_ICONWARNING: return L"WARNING";
        case MB_ICONINFORMATION: return L"INFORMATION";
        default: return L"NONE";
    }
}

// The answer to a box nobody expected: the choice that commits to nothing.
int cautiousAnswer(UINT type) {
    const auto buttons = messageBoxButtons(type);
    if (std::find(buttons.begin(), buttons.end(), IDCANCEL) != buttons.end()) return IDCANCEL;
    switch (type & MB_TYPEMASK) {
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
    }
}

std::wstring describe(const MessageBoxRequest& r) {
    return handleText(r.box) + L" " + quoted(r.caption) + L" " + quoted(r.text) + L" " + messageBoxButtonsName(r.type) +
           L" icon " + iconName(r.type) + L" default " + buttonName(defaultButton(r.type)) + L" thread " +
           std::to_wstring(r.thread);
}

bool isButtonOf(UINT type, int id) {
    const auto buttons = messageBoxButtons(type);
    return std::find(buttons.begin(), buttons.end(), id) != buttons.end();
}

}  // namespace

int UserAgent::expectMessageBox(std::wstring textPattern, int answer) {
    std::lock_guard lock(mutex_);
    expectations_.push_back(Expectation{nextId_, std::move(textPattern), answer, nullptr, false});
    return nextId_++;
}

int UserAgent::expectMessageBox(std::wstring textPattern, BoxCallback whileOpen) {
    std::lock_guard lock(mutex_);
    expectations_.push_back(Expectation{nextId_, std::move(textPattern), 0, std::move(whileOpen), false});
    return nextId_++;
}

void UserAgent::setUnexpectedHandler(std::function<std::optional<int>(const MessageBoxRequest&)> handler) {
    std::lock_guard lock(mutex_);
    unexpectedHandler_ = std::move(handler);
}

ModalPolicy UserAgent::policy() const {
    std::lock_guard lock(mutex_);
    return policy_.value_or(config().modal);
}

void UserAgent::setPolicy(ModalPolicy policy) {
    std::lock_guard lock(mutex_);
    policy_ = policy;
}

int UserAgent::answerMessageBox(const MessageBoxRequest& request) {
    journal().add("box", describe(request));
    std::optional<Expectation> match;
    std::function<std::optional<int>(const MessageBoxRequest&)> handler;
    ModalPolicy currentPolicy;
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
        for (auto& e : expectations_) {
            if (!e.consumed && wildcardMatch(e.pattern, request.text)) {
                e.consumed = true;
                match = e;
                break;
            }
        }
        handler = unexpectedHandler_;
        currentPolicy = policy_.value_or(config().modal);
    }

    int answer = 0;
    std::wstring how;
    if (match) {
        answer = match->whileOpen ? match->whileOpen(request) : match->answer;
        how = L"expected";
    } else if (auto interactive = handler ? handler(request) : std::nullopt) {
        answer = *interactive;
        how = L"interactive";
    } else if (currentPolicy == ModalPolicy::Lenient) {
        answer = defaultButton(request.type);
        how = L"default";
    } else {
        answer = cautiousAnswer(request.type);
        how = L"unexpected";
        reportFailure(L"unexpected message box " + describe(request));
    }
    if (!isButtonOf(request.type, answer)) {
        reportFailure(L"answer " + buttonName(answer) + L" is not a button of message box " + describe(request));
        answer = cautiousAnswer(request.type);
    }
    journal().add("box", L"answer " + buttonName(answer) + L" (" + how + L")");
    return answer;
}

void UserAgent::expectFileDialog(std::optional<std::wstring> path) {
    std::lock_guard lock(mutex_);
    fileExpectations_.push_back(FileExpectation{std::move(path), false, std::nullopt});
}

void UserAgent::expectFileDialogClickAccept(int buttonId) {
    std::lock_guard lock(mutex_);
    fileExpectations_.push_back(FileExpectation{std::nullopt, false, buttonId});
}

namespace {

// The dialog's own buttons as the journal names them; nothing for a dialog without any.
std::wstring fileDialogButtons(const FileDialogRequest& request) {
    std::wstring text;
    for (const auto& [id, caption] : request.buttons) text += L" button " + std::to_wstring(id) + L" " + quoted(caption);
    return text;
}

}  // namespace

std::optional<std::wstring> UserAgent::answerFileDialog(const FileDialogRequest& request) {
    const std::wstring description = std::wstring(request.open ? L"open" : L"save") + L" " + quoted(request.title) +
                                     L" filter " + quoted(request.filter) + L" folder " +
                                     quoted(request.initialFolder) + L" name " + quoted(request.initialName) +
                                     L" thread " + std::to_wstring(request.thread) + fileDialogButtons(request);
    journal().add("file", description);
    std::optional<FileExpectation> match;
    {
        std::lock_guard lock(mutex_);
        for (auto& e : fileExpectations_) {
            if (!e.consumed) {
                e.consumed = true;
                match = e;
                break;
            }
        }
    }
    if (!match) {
        if (policy() == ModalPolicy::Strict) reportFailure(L"unexpected file dialog " + description);
        journal().add("file", L"cancel (unexpected)");
        return std::nullopt;
    }
    if (match->click) return clickAndAccept(request, *match->click);
    journal().add("file", match->path ? L"choose " + quoted(*match->path) : std::wstring(L"cancel"));
    return match->path;
}

std::optional<std::wstring> UserAgent::clickAndAccept(const FileDialogRequest& request, int buttonId) {
    const bool shown = std::any_of(request.buttons.begin(), request.buttons.end(),
                                   [&](const auto& button) { return button.first == buttonId; });
    if (!shown || !request.click) {
        reportFailure(L"the file dialog has no button " + std::to_wstring(buttonId));
        journal().add("file", L"cancel (no button " + std::to_wstring(buttonId) + L")");
        return std::nullopt;
    }
    journal().add("file", L"click " + std::to_wstring(buttonId));
    const std::wstring name = request.click(buttonId);
    if (name.empty()) {
        journal().add("file", L"cancel (empty name)");
        return std::nullopt;
    }
    journal().add("file", L"choose " + quoted(name));
    return name;
}

void UserAgent::expectPrintDialog(bool print) {
    std::lock_guard lock(mutex_);
    printExpectations_.emplace_back(print, false);
}

bool UserAgent::answerPrintDialog(const std::wstring& document) {
    journal().add("print", L"dialog for " + quoted(document));
    std::optional<bool> print;
    {
        std::lock_guard lock(mutex_);
        for (auto& [answer, consumed] : printExpectations_) {
            if (!consumed) {
                consumed = true;
                print = answer;
                break;
            }
        }
    }
    if (!print) {
        if (policy() == ModalPolicy::Strict) reportFailure(L"unexpected print dialog for " + quoted(document));
        journal().add("print", L"cancel (unexpected)");
        return false;
    }
    journal().add("print", *print ? L"ok" : L"cancel");
    return *print;
}

std::vector<std::wstring> UserAgent::unconsumed() const {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> out;
    for (const auto& e : expectations_)
        if (!e.consumed) out.push_back(L"box \"" + e.pattern + L"\"");
    for (const auto& e : menuExpectations_)
        if (!e.consumed) out.push_back(e.decide ? std::wstring(L"menu") : L"menu " + describeMenuAnswer(e.answer));
    for (const auto& e : fileExpectations_)
        if (!e.consumed) out.push_back(e.path ? L"file choose \"" + *e.path + L"\"" : std::wstring(L"file cancel"));
    for (const auto& [print, consumed] : printExpectations_)
        if (!consumed) out.push_back(print ? L"print ok" : L"print cancel");
    for (const auto& e : dialogExpectations_)
        if (!e.consumed) out.push_back(L"dialog " + (e.pattern ? L"\"" + *e.pattern + L"\"" : std::to_wstring(e.templateId)));
    for (const auto& e : kernelDialogExpectations_)
        if (!e.consumed) out.push_back(e.kind + (e.text ? L" \"" + *e.text + L"\"" : std::wstring(L" cancel")));
    for (const auto& [answer, consumed] : dragExpectations_)
        if (!consumed) out.push_back(answer ? L"drag choose " + answer->words : std::wstring(L"drag cancel"));
    return out;
}

void UserAgent::clearExpectations() {
    std::lock_guard lock(mutex_);
    expectations_.clear();
    menuExpectations_.clear();
    printExpectations_.clear();
    fileExpectations_.clear();
    dialogExpectations_.clear();
    kernelDialogExpectations_.clear();
    dragExpectations_.clear();
}

std::vector<MessageBoxRequest> UserAgent::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

UserAgent& userAgent() {
    static UserAgent& instance = process().userAgent();
    return instance;
}

}  // namespace platform::core
