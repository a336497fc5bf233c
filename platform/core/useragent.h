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
#include "platform/core/windows_types.h"

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
    // The dialog's own push buttons (id, caption), and what clicking one does: the file-name box
    // afterwards.
    std::vector<std::pair<int, std::wstring>> buttons;
    std::function<std::wstring(int)> click;
};

// "OK", "YESNO", ... and the button ids of the box type, in display order.
std::wstring messageBoxButtonsName(UINT type);
std::vector<int> messageBoxButtons(UINT type);
std::wstring buttonName(int id);  // "IDYES", ...
int defaultButton(UINT type);

// A popup menu or context menu as the user sees it: its items in order, those of sub-menus after
// their parent item with a greater depth.
struct MenuItemInfo {
    int id = 0;
    std::wstring caption;
    bool enabled = true;
    bool checked = false;
    bool beginGroup = false;  // a separator comes before it
    bool radio = false;       // its check mark is a radio mark
    int depth = 0;            // 0: the menu itself, 1: a sub-menu of it, ...
    bool subMenu = false;     // the item opens a sub-menu
    std::wstring image;       // what the item's picture shows; empty: none
};

struct PopupMenuRequest {
    HWND owner = nullptr;
    std::vector<MenuItemInfo> items;
};

// How the user answers a menu: choose an item by id or by caption (mnemonic marks ignored), or
// dismiss it.
struct MenuAnswer {
    enum class Kind { ChooseId, ChooseCaption, Dismiss };
    Kind kind = Kind::Dismiss;
    int id = 0;
    std::wstring caption;
};

// "choose 57600", "choose \"Save\"" or "dismiss".
std::wstring describeMenuAnswer(const MenuAnswer& answer);

// A popup menu as tracking shows it: items in order, sub-menus inline.
struct MenuItemView {
    UINT id = 0;  // 0 for separators and sub-menus
    std::wstring text;
    bool separator = false;
    bool checked = false;
    bool radio = false;
    bool greyed = false;
    std::vector<MenuItemView> submenu;
};
struct TrackedMenuRequest {
    HWND owner = nullptr;
    std::vector<MenuItemView> items;
};
// One line per item, sub-menu items indented: "600 Close", "605 [x] Fixed width", "606 (greyed)".
std::wstring describeMenu(const std::vector<MenuItemView>& items, int indent = 0);

// A modal dialog waiting for the user: its window (visible, with its controls), the owner it
// disabled, and the template it was built from.
struct DialogRequest {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    UINT templateId = 0;  // 0: a dialog made from no template
    std::wstring caption;
    std::wstring className;  // the dialog object's class name
    std::wstring name;       // the UI library's name of a dialog made from no template
    DWORD thread = 0;
};

// One thing a user does in a dialog: click a button (a radio button, a check box), type a text
// into an edit (its whole text replaced) or a tree's selected label (in place, then Enter), press
// OK (its OK button) or cancel (Escape), select a list's item or a tree's item by its caption path
// ("Parent|Child"), or set a check box or the tick of a tree's selected item (text "on" or "off"),
// or show a property sheet's page by its template id.
struct DialogAction {
    // Dump: the user reads the dialog, each control one "dialog" journal line (see
    // performDialogAction).
    enum class Kind { Click, Text, Ok, Cancel, Select, Check, Page, Edit, Dump };
    Kind kind = Kind::Cancel;
    int id = 0;
    std::wstring text;
    // A UI-library control of the dialog's form by its full id ("Form.Filter"), in place of `id`:
    // click presses a button, text types into a string, select picks rows of a list ("ROW" or
    // "ROW,ROW"), check ticks a list cell (`row`, `column`, text "on"/"off") and edit edits one
    // with the text.
    std::wstring control;
    std::wstring row;
    int column = 0;
    // A control named by its kind ("edit", "list", "combo", "tree", or "select": the UI
    // library's select), in place of `id`, where the dialog holds one control of that kind.
    std::wstring controlKind;
};
// Acts on a UI-library control inside a dialog: the reason a user could not, or nothing when done.
// The UI library installs it with its first form; without it such an action is refused.
using FrameworkControlActor = std::function<std::optional<std::wstring>(HWND dialog, const DialogAction& action)>;
void setFrameworkControlActor(FrameworkControlActor actor);
FrameworkControlActor frameworkControlActor();  // empty until the UI library installs one
// Does an action in a dialog's window. Windows installs it when its window table is made; before
// that no window exists, and every action finds the dialog gone.
using DialogActionPerformer = std::function<std::optional<std::wstring>(HWND dialog, const DialogAction& action)>;
void setDialogActionPerformer(DialogActionPerformer performer);
// "click 1491", "text 102 \"2.5\"", "ok", "cancel", "select 100 \"Gear.grb\"" (an item of a list
// by its text without '&', or "#N" for the N-th item from 0); a UI-library control is quoted:
// "text \"Form.Filter\" \"open\"", "check \"Form.List\" \"#1\" 2 on", "edit \"Form.List\" \"#0\" 0 \"Name\"".
std::wstring describeDialogAction(const DialogAction& action);
// Does it in the open dialog as a user would (the controls send their real notifications); the
// reason a user could not (no such control, hidden, disabled, not a button or an edit), or
// nothing when done.
std::optional<std::wstring> performDialogAction(HWND dialog, const DialogAction& action);

// How an expected dialog is answered: its actions one at a time, each when the dialog's loop has
// nothing else to do; or a callback that runs while the dialog is open and acts itself.
struct DialogAnswer {
    std::vector<DialogAction> actions;
    std::function<void(const DialogRequest&)> whileOpen;
};
// A kernel dialog in which the user picks or enters one text: `kind` names it ("variable": the
// insert-variable dialog, whose choices are the document's variables; "text-module": the text
// modules, where any text may be entered). `current` is the text of the edit that opened it.
struct KernelDialogRequest {
    std::wstring kind;
    std::wstring current;
    std::vector<std::wstring> choices;
    bool anyText = false;  // any text may be entered, not only a choice
};


class UserAgent {
public:
    // The next dialog built from template `templateId` is answered so (expectations are taken
    // in registration order by the first dialog with their id).
    void expectDialog(UINT templateId, DialogAnswer answer);
    // The next dialog whose title, class name or UI-library name matches `pattern` (wildcards
    // as a message box's pattern), whatever its template.
    void expectDialog(std::wstring pattern, DialogAnswer answer);
    // Called by a modal dialog's loop the first time it has nothing to do. Nothing when no
    // expectation names the dialog: in strict mode a failure naming it; the dialog is then
    // cancelled. Journalled as kind "dialog".
    std::optional<DialogAnswer> answerDialog(const DialogRequest& request);

    // The next popup or context menu is answered so (expectations are consumed in order).
    void expectPopupMenu(MenuAnswer answer);
    // The index in request.items of the chosen item, or -1 (dismissed). An item that cannot be
    // chosen (missing, disabled, a separator-only or sub-menu item) is a failure naming it, and the
    // menu is dismissed; so is a menu nobody expected in strict mode.
    int answerPopupMenu(const PopupMenuRequest& request);

    // Returns the id chosen (0 dismisses the menu).
    using TrackedMenuCallback = std::function<UINT(const TrackedMenuRequest&)>;
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

    // A Windows popup menu (TrackPopupMenu) is the same request as the toolkit's: it takes the
    // next menu expectation, whichever call registered it. `choose` sees the menu as tracking
    // shows it and returns the id chosen (0 dismisses it).
    int expectTrackedMenu(TrackedMenuCallback choose);
    UINT answerTrackedMenu(const TrackedMenuRequest& request);

    // Descriptions ("box \"pattern\"") of expectations never consumed.
    // The next file chooser chooses `path` (nothing: it is cancelled). File choosers take these
    // in registration order; one nobody expected is cancelled and, in strict mode, a failure.
    void expectFileDialog(std::optional<std::wstring> path);
    // The next file chooser: the user clicks its own push button `buttonId`, then takes what the
    // file-name box holds (cancels when it is empty).
    void expectFileDialogClickAccept(int buttonId);
    // Called by the file choosers: the chosen path, or nothing when cancelled. Journalled as kind
    // "file".
    std::optional<std::wstring> answerFileDialog(const FileDialogRequest& request);

    // The next print dialog prints on the default printer (`print`) or is cancelled. Print
    // dialogs take these in registration order; one nobody expected is cancelled and, in strict
    // mode, a failure.
    void expectPrintDialog(bool print);
    // Called by the framework's print preparation for `document`: whether to print. Journalled as
    // kind "print".
    bool answerPrintDialog(const std::wstring& document);

    // The next kernel dialog of `kind` chooses `text` (nothing: it is cancelled). Each kind takes
    // its expectations in registration order; a dialog nobody expected is cancelled and, in
    // strict mode, a failure; so is a text that is not one of the dialog's choices. Journalled as
    // kind "dialog".
    void expectKernelDialog(std::wstring kind, std::optional<std::wstring> text);
    std::optional<std::wstring> answerKernelDialog(const KernelDialogRequest& request);

    // The next drag ends on `window` at the client point, with the key state (MK_CONTROL), or is
    // cancelled (nothing); `words` says where as the script said it. Drags take these in
    // registration order; one nobody expected is cancelled and, in strict mode, a failure.
    // Journalled as kind "user".
    struct DragAnswer {
        HWND window = nullptr;
        POINT point{};
        DWORD keyState = 0;
        std::wstring words;
    };
    void expectDrag(std::optional<DragAnswer> answer);
    // `description` names the formats dragged.
    std::optional<DragAnswer> answerDrag(const std::wstring& description);

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

    // Every popup or context menu, the toolkit's and Windows' alike, takes the next of these:
    // a fixed answer, or one a callback decides on seeing the menu.
    struct MenuExpectation {
        MenuAnswer answer;
        std::function<MenuAnswer(const PopupMenuRequest&)> decide;
        bool consumed = false;
    };
    mutable std::mutex mutex_;
    std::vector<Expectation> expectations_;
    std::vector<MenuExpectation> menuExpectations_;
    std::vector<MessageBoxRequest> requests_;
    std::optional<std::wstring> clickAndAccept(const FileDialogRequest& request, int buttonId);
    struct FileExpectation {
        std::optional<std::wstring> path;
        bool consumed = false;
        std::optional<int> click;  // a push button clicked first, then the name box taken
    };
    std::vector<FileExpectation> fileExpectations_;
    std::vector<std::pair<bool, bool>> printExpectations_;  // print, consumed
    struct DialogExpectation {
        UINT templateId = 0;
        DialogAnswer answer;
        bool consumed = false;
        std::optional<std::wstring> pattern;  // by title, class or name instead of the template
    };
    std::vector<DialogExpectation> dialogExpectations_;
    struct KernelDialogExpectation {
        std::wstring kind;
        std::optional<std::wstring> text;
        bool consumed = false;
    };
    std::vector<KernelDialogExpectation> kernelDialogExpectations_;
    std::vector<std::pair<std::optional<DragAnswer>, bool>> dragExpectations_;  // answer, consumed
    std::function<std::optional<int>(const MessageBoxRequest&)> unexpectedHandler_;
    std::optional<ModalPolicy> policy_;  // unset: the configuration's
    int nextId_ = 1;
};

UserAgent& userAgent();

}  // namespace platform::core
