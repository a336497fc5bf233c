// The console's answers to the program's dialogs: what the user will do in the next dialog made
// from a template, given before the action that opens it.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "console/driver.h"
#include "console/printable.h"
#include "platform/core/journal.h"
#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness/customize_mode.h"
#include "platform/mfc.h"
#include "platform/toolkit/commandbars/customize.h"
#include "platform/win32.h"
#include "platform/win32/controls/split_button.h"
#include "platform/win32/controls/trackbar.h"

namespace korvo::console {

namespace {

using platform::core::DialogAction;

// The steps a user takes that the platform's own answers do not: dragging a slider,
// right-clicking or double-clicking a list's row, pressing a key, resting the mouse on a control.
// Any other step is a DialogAction.
struct DialogStep {
    enum class Extra { None, Slider, RightClick, DoubleClick, Key, BarRightClick, Hover, DropDown };
    DialogAction action;
    Extra extra = Extra::None;
};

// The virtual-key code of a key a dialog step names; 0 for none.
unsigned dialogKeyCode(const std::string& name) {
    static const struct {
        const char* name;
        unsigned code;
    } kNamed[] = {{"Enter", 0x0D}, {"Esc", 0x1B}, {"Space", 0x20}, {"Tab", 0x09}};
    for (const auto& key : kNamed)
        if (name == key.name) return key.code;
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<unsigned char>(name[0]);
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        const auto number = platform::core::parseWholeNumber<unsigned>(name.substr(1));
        if (number && *number >= 1 && *number <= 12) return 0x70 + *number - 1;
    }
    if (name.size() == 4 && name.starts_with("0x")) {
        unsigned code = 0;
        for (const char digit : name.substr(2)) {
            const int value = digit >= '0' && digit <= '9' ? digit - '0' : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                              : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10 : -1;
            if (value < 0) return 0;
            code = code * 16 + static_cast<unsigned>(value);
        }
        return code;
    }
    return 0;
}

// "click ID", "text ID \"TEXT\"", "select ID \"ITEM\"", "check ID on|off", "page ID", "slider ID N",
// "rclick ID \"ROW\"", "dblclick ID \"ROW\"", "key NAME", "hover ID", "dump", "ok", "cancel", one after another (a
// UI-library control by its quoted full id: click, text, select, and a list's cell with
// check "ID" "ROW" COL on|off and edit "ID" "ROW" COL "TEXT"); what is wrong otherwise.
std::variant<std::vector<DialogStep>, std::string> parseDialogAnswer(const std::vector<ArgumentValue>& words,
                                                                  bool namedDialog) {
    std::vector<DialogStep> actions;
    auto controlId = [&](std::size_t index) -> std::optional<int> {
        if (index >= words.size() || words[index].quoted) return std::nullopt;
        const auto value = platform::core::parseWholeNumber<unsigned>(platform::core::toUtf8(words[index].text));
        if (!value || *value > 0xFFFFu) return std::nullopt;
        return static_cast<int>(*value);
    };
    for (std::size_t i = 0; i < words.size();) {
        const ArgumentValue& word = words[i];
        const std::string text = platform::core::toUtf8(word.text);
        if (word.quoted) return "a text " + echo(text) + " where an action belongs (click, text, select, check, page, slider, rclick, dblclick, rclick-bar, dropdown, key, hover, dump, ok, cancel)";
        // The user reads the dialog as it stands: its controls go to the transcript.
        if (text == "dump") {
            actions.push_back({DialogAction{DialogAction::Kind::Dump, 0, {}}});
            ++i;
            continue;
        }
        if (text == "ok" || text == "cancel") {
            actions.push_back({DialogAction{text == "ok" ? DialogAction::Kind::Ok : DialogAction::Kind::Cancel, 0, {}}});
            ++i;
            continue;
        }
        if (text == "check" && !(i + 1 < words.size() && words[i + 1].quoted)) {
            const auto id = controlId(i + 1);
            if (!id) return "check needs a control id (0 to 65535)";
            const std::string state = i + 2 < words.size() && !words[i + 2].quoted ? platform::core::toUtf8(words[i + 2].text) : "";
            if (state != "on" && state != "off") return "check " + std::to_string(*id) + " needs on or off";
            actions.push_back({DialogAction{DialogAction::Kind::Check, *id, words[i + 2].text, {}}});
            i += 3;
            continue;
        }
        // A sheet's page is shown as a click on its tab shows it, named by the id of its template.
        if (text == "page") {
            const auto id = controlId(i + 1);
            if (!id) return "page needs a page's template id (0 to 65535)";
            actions.push_back({DialogAction{DialogAction::Kind::Page, *id, {}}});
            i += 2;
            continue;
        }
        // The customise sheet's bars: a right click on a control in customise mode.
        if (text == "rclick-bar") {
            const auto id = controlId(i + 1);
            if (!id) return "rclick-bar needs a control id (0 to 65535)";
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, {}}, DialogStep::Extra::BarRightClick});
            i += 2;
            continue;
        }
        if (text == "slider") {
            const auto id = controlId(i + 1);
            if (!id) return "slider needs a control id (0 to 65535)";
            const std::string value = i + 2 < words.size() && !words[i + 2].quoted ? platform::core::toUtf8(words[i + 2].text) : "";
            const auto position = platform::core::parseWholeNumber<unsigned>(value);
            if (!position || *position > 32767u) return "slider " + std::to_string(*id) + " needs a position (0 to 32767)";
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, words[i + 2].text, {}}, DialogStep::Extra::Slider});
            i += 3;
            continue;
        }
        if (text == "key") {
            const std::string name = i + 1 < words.size() && !words[i + 1].quoted ? platform::core::toUtf8(words[i + 1].text) : "";
            const unsigned code = dialogKeyCode(name);
            if (code == 0) return "key needs a key: A to Z, 0 to 9, F1 to F12, Enter, Esc, Space, Tab or 0x and two hex digits";
            actions.push_back({DialogAction{DialogAction::Kind::Click, static_cast<int>(code), words[i + 1].text, {}}, DialogStep::Extra::Key});
            i += 2;
            continue;
        }
        // A split button's arrow pressed: the button's drop-down opens.
        if (text == "dropdown") {
            const auto id = controlId(i + 1);
            if (!id) return "dropdown needs a control id (0 to 65535)";
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, {}, {}}, DialogStep::Extra::DropDown});
            i += 2;
            continue;
        }
        if (text == "hover") {
            const auto id = controlId(i + 1);
            if (!id) return "hover needs a control id (0 to 65535)";
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, {}, {}}, DialogStep::Extra::Hover});
            i += 2;
            continue;
        }
        if (text == "rclick" || text == "dblclick") {
            const auto id = controlId(i + 1);
            if (!id) return text + " needs a list's control id (0 to 65535)";
            if (i + 2 >= words.size() || !words[i + 2].quoted) return text + " " + std::to_string(*id) + " needs a row in quotes";
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, words[i + 2].text, {}},
                               text == "rclick" ? DialogStep::Extra::RightClick : DialogStep::Extra::DoubleClick});
            i += 3;
            continue;
        }
        // A list cell of a UI-library control: check "ID" "ROW" COL on|off, edit "ID" "ROW" COL "TEXT".
        if ((text == "check" || text == "edit") && i + 1 < words.size() && words[i + 1].quoted) {
            const std::string target = echo(platform::core::toUtf8(words[i + 1].text));
            unsigned column = 0x10000u;  // out of range until a column number is read
            if (i + 3 < words.size() && !words[i + 3].quoted) {
                if (const auto parsed = platform::core::parseWholeNumber<unsigned>(platform::core::toUtf8(words[i + 3].text)))
                    column = *parsed;
            }
            if (i + 2 >= words.size() || !words[i + 2].quoted || column > 0xFFFFu)
                return text + " " + target + " needs a row in quotes and a column number";
            DialogAction action{text == "check" ? DialogAction::Kind::Check : DialogAction::Kind::Edit, 0, {}, words[i + 1].text,
                                words[i + 2].text, static_cast<int>(column)};
            const bool hasLast = i + 4 < words.size();
            const std::string last = hasLast ? platform::core::toUtf8(words[i + 4].text) : "";
            if (text == "check" && (!hasLast || words[i + 4].quoted || (last != "on" && last != "off")))
                return "check " + target + " needs on or off";
            if (text == "edit" && (!hasLast || !words[i + 4].quoted)) return "edit " + target + " needs a text in quotes";
            action.text = words[i + 4].text;
            actions.push_back({std::move(action)});
            i += 5;
            continue;
        }
        if (text != "click" && text != "text" && text != "select")
            return "unknown action " + echo(text) + " (click, text, select, check, edit, page, slider, rclick, dblclick, rclick-bar, dropdown, key, hover, dump, ok, cancel)";
        // click presses a UI-library button by its quoted full id, in a dialog named by its name.
        if (namedDialog && text == "click" && i + 1 < words.size() && words[i + 1].quoted) {
            actions.push_back({DialogAction{DialogAction::Kind::Click, 0, {}, words[i + 1].text}});
            i += 2;
            continue;
        }
        // text and select also reach a UI-library control of the dialog's form by its quoted full
        // id, or the one control of a kind the dialog shows.
        const bool named = text != "click" && i + 1 < words.size() && words[i + 1].quoted;
        const std::string kind = text != "click" && i + 1 < words.size() && !words[i + 1].quoted ? platform::core::toUtf8(words[i + 1].text) : "";
        if (kind == "edit" || kind == "list" || kind == "combo" || kind == "tree" || kind == "select") {
            if (i + 2 >= words.size() || !words[i + 2].quoted)
                return text + " " + kind + (text == "text" ? " needs a text in quotes" : " needs an item in quotes");
            DialogAction action{text == "text" ? DialogAction::Kind::Text : DialogAction::Kind::Select, 0, words[i + 2].text, {}};
            action.controlKind = words[i + 1].text;
            actions.push_back({std::move(action)});
            i += 3;
            continue;
        }
        const auto id = named ? std::optional<int>(0) : controlId(i + 1);
        if (!id) return text + (text == "click" ? " needs a control id (0 to 65535)" : " needs a control id (0 to 65535) or kind (edit, list, combo, tree, select)");
        if (text == "click") {
            actions.push_back({DialogAction{DialogAction::Kind::Click, *id, {}}});
            i += 2;
            continue;
        }
        const std::string target = named ? echo(platform::core::toUtf8(words[i + 1].text)) : std::to_string(*id);
        if (i + 2 >= words.size() || !words[i + 2].quoted)
            return text + " " + target + (text == "text" ? " needs a text in quotes" : " needs an item in quotes");
        actions.push_back({DialogAction{text == "text" ? DialogAction::Kind::Text : DialogAction::Kind::Select, *id,
                                        words[i + 2].text, named ? words[i + 1].text : std::wstring()}});
        i += 3;
    }
    if (actions.empty()) return "the answer is empty (click ID, text ID \"TEXT\", select ID \"ITEM\", check ID on|off, page ID, slider ID N, "
               "rclick ID \"ROW\", dblclick ID \"ROW\", rclick-bar ID, dropdown ID, key NAME, hover ID, dump, ok, cancel)";
    return actions;
}

std::wstring describeStep(const DialogStep& step) {
    const DialogAction& action = step.action;
    switch (step.extra) {
        case DialogStep::Extra::Slider: return L"slider " + std::to_wstring(action.id) + L" " + action.text;
        case DialogStep::Extra::RightClick: return L"rclick " + std::to_wstring(action.id) + L" " + platform::core::quoted(action.text);
        case DialogStep::Extra::DoubleClick: return L"dblclick " + std::to_wstring(action.id) + L" " + platform::core::quoted(action.text);
        case DialogStep::Extra::Key: return L"key " + action.text;
        case DialogStep::Extra::BarRightClick: return L"rclick-bar " + std::to_wstring(action.id);
        case DialogStep::Extra::Hover: return L"hover " + std::to_wstring(action.id);
        case DialogStep::Extra::DropDown: return L"dropdown " + std::to_wstring(action.id);
        case DialogStep::Extra::None: break;
    }
    return platform::core::describeDialogAction(action);
}

// The control of the dialog (or of the page a sheet shows) with the id, when a user can reach it.
HWND reachableControl(HWND dialog, int id, std::wstring& refusal) {
    HWND control = GetDlgItem(dialog, id);
    for (HWND child = GetWindow(dialog, GW_CHILD); !control && child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring_view(name) == L"#32770" && IsWindowVisible(child)) control = GetDlgItem(child, id);
    }
    if (!control) refusal = L"the dialog has no control " + std::to_wstring(id);
    else if (!IsWindowVisible(control) || !IsWindowEnabled(control)) refusal = L"control " + std::to_wstring(id) + L" is hidden or disabled";
    return refusal.empty() ? control : nullptr;
}

// Runs what the posted input set off through the dialog's own loop, as a user's input would be.
void pumpPending(HWND dialog) {
    MSG pending;
    while (IsWindow(dialog) && PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE) && pending.message != WM_QUIT)
        AfxGetThread()->PumpMessage();
}

// The mouse comes to rest on the middle of the control; the transcript shows the tip it gets.
void hover(HWND dialog, HWND control, int id) {
    RECT client{};
    GetClientRect(control, &client);
    PostMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(client.right / 2), static_cast<WORD>(client.bottom / 2)));
    pumpPending(dialog);
    const HWND tip = platform::mfc::threadToolTip();
    std::wstring line = L"tip " + std::to_wstring(id) + L" ";
    if (tip && IsWindowVisible(tip)) {
        CString text;
        CWnd::FromHandle(tip)->GetWindowText(text);
        line += platform::core::quoted(std::wstring(text.view()));
    } else {
        line += L"none";
    }
    platform::core::journal().add("dialog", line);
}

// Does a step the platform's answers do not know as a user would; the reason a user could not.
std::wstring performExtra(HWND dialog, const DialogStep& step) {
    const DialogAction& action = step.action;
    std::wstring refusal;
    if (step.extra == DialogStep::Extra::Key) {
        // Through the dialog's own loop, so that the dialog sees the key before the control with the focus.
        HWND target = GetFocus();
        if (!target || (target != dialog && !IsChild(dialog, target))) target = dialog;
        PostMessageW(target, WM_KEYDOWN, static_cast<WPARAM>(action.id), 1);
        PostMessageW(target, WM_KEYUP, static_cast<WPARAM>(action.id), static_cast<LPARAM>(0xC0000001u));
        pumpPending(dialog);
        return {};
    }
    if (step.extra == DialogStep::Extra::BarRightClick)
        return platform::harness::rightClickInCustomizeMode(dialog, action.id).value_or(std::wstring());
    const HWND control = reachableControl(dialog, action.id, refusal);
    if (!control) return refusal;
    if (step.extra == DialogStep::Extra::Hover) {
        hover(dialog, control, action.id);
        return {};
    }
    wchar_t name[32] = {};
    GetClassNameW(control, name, 32);
    if (step.extra == DialogStep::Extra::DropDown) {
        const DWORD kind = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & BS_TYPEMASK;
        if (platform::core::foldCase(name) != platform::core::foldCase(L"Button") || (kind != BS_SPLITBUTTON && kind != BS_DEFSPLITBUTTON))
            return L"control " + std::to_wstring(action.id) + L" is not a split button";
        RECT client{};
        GetClientRect(control, &client);
        const LPARAM at = MAKELPARAM(static_cast<WORD>(client.right - 4), static_cast<WORD>(client.bottom / 2));
        SendMessageW(control, WM_LBUTTONDOWN, 0x0001, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
        return {};
    }
    if (step.extra == DialogStep::Extra::Slider) {
        if (platform::core::foldCase(name) != platform::core::foldCase(TRACKBAR_CLASSW))
            return L"control " + std::to_wstring(action.id) + L" is not a slider";
        SendMessageW(control, TBM_USERDRAG, static_cast<WPARAM>(std::stoi(action.text)), 0);
        return {};
    }
    if (platform::core::foldCase(name) != platform::core::foldCase(WC_LISTVIEWW))
        return L"control " + std::to_wstring(action.id) + L" is not a report list";
    // Either click selects the row first, as the platform's own select does.
    if (auto selectRefusal = platform::core::performDialogAction(dialog, DialogAction{DialogAction::Kind::Select, action.id, action.text, {}}))
        return *selectRefusal;
    const auto row = static_cast<int>(SendMessageW(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(control, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    const LPARAM at = MAKELPARAM(static_cast<WORD>((bounds.left + bounds.right) / 2), static_cast<WORD>((bounds.top + bounds.bottom) / 2));
    constexpr WPARAM kLeftButton = 0x0001, kRightButton = 0x0002;
    if (step.extra == DialogStep::Extra::DoubleClick) {
        SendMessageW(control, WM_LBUTTONDOWN, kLeftButton, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
        SendMessageW(control, WM_LBUTTONDBLCLK, kLeftButton, at);
        SendMessageW(control, WM_LBUTTONUP, 0, at);
        return {};
    }
    SendMessageW(control, WM_RBUTTONDOWN, kRightButton, at);
    SendMessageW(control, WM_RBUTTONUP, 0, at);
    return {};
}

bool hasExtras(const std::vector<DialogStep>& steps) {
    return std::any_of(steps.begin(), steps.end(), [](const DialogStep& step) { return step.extra != DialogStep::Extra::None; });
}

std::vector<DialogAction> plainActions(const std::vector<DialogStep>& steps) {
    std::vector<DialogAction> actions;
    for (const DialogStep& step : steps) actions.push_back(step.action);
    return actions;
}

// With a step the platform's answers do not know, the console works the dialog itself, one step
// after another as a user would; a step a user could not take fails the run and cancels the dialog.
std::function<void(HWND)> dialogWorker(std::vector<DialogStep> steps) {
    return [steps = std::move(steps)](HWND dialog) {
        for (const DialogStep& step : steps) {
            if (!IsWindow(dialog)) break;
            platform::core::journal().add("dialog", describeStep(step));
            std::wstring refusal;
            if (step.extra == DialogStep::Extra::None) {
                if (auto answer = platform::core::performDialogAction(dialog, step.action)) refusal = *answer;
            } else {
                refusal = performExtra(dialog, step);
            }
            if (!refusal.empty()) {
                platform::core::reportFailure(L"dialog: " + describeStep(step) + L": " + refusal + L"; the dialog is cancelled");
                if (IsWindow(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                break;
            }
        }
    };
}

}  // namespace

bool Driver::expectDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values, false);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    auto& steps = std::get<std::vector<DialogStep>>(parsed);
    if (hasExtras(steps))
        session_.user().expectDialog(step.arguments.number, dialogWorker(std::move(steps)));
    else
        session_.user().expectDialog(step.arguments.number, plainActions(steps));
    return true;
}

bool Driver::expectNamedDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values, true);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    auto& steps = std::get<std::vector<DialogStep>>(parsed);
    if (hasExtras(steps))
        session_.user().expectDialog(step.arguments.name, dialogWorker(std::move(steps)));
    else
        session_.user().expectDialog(step.arguments.name, plainActions(steps));
    return true;
}

}  // namespace korvo::console
