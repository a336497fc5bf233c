// The simulated user: every modal request of the platform (for now: message boxes) is answered
// here, by an expectation the harness registered, by an interactive handler (console), or - for
// exploratory runs only - by the default button. In strict mode an unexpected request is a
// failure. Every request and answer is journalled (kind "box").
//
// Patterns match the whole text with '*' (any run) and '?' (any one character) wildcards,
// case-insensitively (the platform's fixed case folding).
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/win32/types.h"

namespace platform::core {

struct MessageBoxRequest {
    HWND owner = nullptr;  // the disabled owner (top-level), or null
    HWND box = nullptr;    // the visible "#32770" window standing for the box
    std::wstring text;
    std::wstring caption;
    UINT type = 0;  // MB_* buttons | icon | default button
    DWORD thread = 0;
};

// A file chooser (open or save) waiting for the user's choice.
struct FileDialogRequest {
    bool open = true;
    std::wstring title;
    std::wstring filter;
    std::wstring initialFolder;
    std::wstring initialName;
    DWORD thread = 0;
};

// "OK", "YESNO", ... and the button ids of the box type, in display order.
std::wstring messageBoxButtonsName(UINT type);
std::vector<int> messageBoxButtons(UINT type);
std::wstring buttonName(int id);  // "IDYES", ...
int defaultButton(UINT type);

class UserAgent {
public:
    using BoxCallback = std::function<int(const MessageBoxRequest&)>;

    // Expectations are consumed in registration order: a request takes the first unconsumed one
    // whose pattern matches its text. Returns the expectation's id.
    int expectMessageBox(std::wstring textPattern, int answer);
    // The callback runs while the box is open and returns the button that closes it.
    int expectMessageBox(std::wstring textPattern, BoxCallback whileOpen);

    // Asked for requests no expectation matched, before the policy applies (the console's
    // interactive mode). Returning nothing falls through to the policy.
    void setUnexpectedHandler(std::function<std::optional<int>(const MessageBoxRequest&)> handler);

    ModalPolicy policy() const;
    void setPolicy(ModalPolicy policy);

    // Called by MessageBoxW while the box window exists. Thread-safe; callbacks run on the
    // calling thread, outside the agent's lock.
    int answerMessageBox(const MessageBoxRequest& request);

    // The next file chooser chooses `path` (nothing: it is cancelled). File choosers take these
    // in registration order; one nobody expected is cancelled and, in strict mode, a failure.
    void expectFileDialog(std::optional<std::wstring> path);
    // Called by the file choosers: the chosen path, or nothing when cancelled. Journalled as kind
    // "file".
    std::optional<std::wstring> answerFileDialog(const FileDialogRequest& request);

    // Descriptions ("box \"pattern\"", "file choose \"path\"") of expectations never consumed.
    std::vector<std::wstring> unconsumed() const;
    void clearExpectations();
    std::vector<MessageBoxRequest> requests() const;  // every box so far, in order

private:
    struct Expectation {
        int id = 0;
        std::wstring pattern;
        int answer = 0;
        BoxCallback whileOpen;
        bool consumed = false;
    };

    mutable std::mutex mutex_;
    std::vector<Expectation> expectations_;
    std::vector<MessageBoxRequest> requests_;
    struct FileExpectation {
        std::optional<std::wstring> path;
        bool consumed = false;
    };
    std::vector<FileExpectation> fileExpectations_;
    std::function<std::optional<int>(const MessageBoxRequest&)> unexpectedHandler_;
    std::optional<ModalPolicy> policy_;  // unset: the configuration's
    int nextId_ = 1;
};

UserAgent& userAgent();

}  // namespace platform::core
