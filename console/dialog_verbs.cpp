// The console's answers to the program's dialogs: what the user will do in the next dialog made
// from a template, given before the action that opens it.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "console/driver.h"
#include "console/printable.h"
#include "platform/core/numbers.h"
#include "platform/core/text.h"
#include "platform/toolkit/commandbars/customize.h"

namespace korvo::console {

namespace {

using platform::core::DialogAction;

// "click ID", "text ID \"TEXT\"", "select ID \"ITEM\"", "check ID on|off", "page ID", "ok", "cancel", one
// after another (a UI-library control by its quoted full id: click, text, select, and a list's
// cell with check "ID" "ROW" COL on|off and edit "ID" "ROW" COL "TEXT"); what is wrong otherwise.
std::variant<std::vector<DialogAction>, std::string> parseDialogAnswer(const std::vector<ArgumentValue>& words, bool named) {
    std::vector<DialogAction> actions;
    auto controlId = [&](std::size_t index) -> std::optional<int> {
        if (index >= words.size() || words[index].quoted) return std::nullopt;
        const auto value = platform::core::parseWholeNumber<unsigned>(platform::core::toUtf8(words[index].text));
        if (!value || *value > 0xFFFFu) return std::nullopt;
        return static_cast<int>(*value);
    };
    for (std::size_t i = 0; i < words.size();) {
        const ArgumentValue& word = words[i];
        const std::string text = platform::core::toUtf8(word.text);
        if (word.quoted) return "a text " + echo(text) + " where an action belongs (click, text, select, check, page, ok, cancel)";
        if (text == "ok" || text == "cancel") {
            actions.push_back(DialogAction{text == "ok" ? DialogAction::Kind::Ok : DialogAction::Kind::Cancel, 0, {}});
            ++i;
            continue;
        }
        if (text == "check" && !(i + 1 < words.size() && words[i + 1].quoted)) {
            const auto id = controlId(i + 1);
            if (!id) return "check needs a control id (0 to 65535)";
            const std::string state = i + 2 < words.size() && !words[i + 2].quoted ? platform::core::toUtf8(words[i + 2].text) : "";
            if (state != "on" && state != "off") return "check " + std::to_string(*id) + " needs on or off";
            actions.push_back(DialogAction{DialogAction::Kind::Check, *id, words[i + 2].text, {}});
            i += 3;
            continue;
        }
        // A sheet's page is shown as a click on its tab shows it, named by the id of its template.
        if (text == "page") {
            const auto id = controlId(i + 1);
            if (!id) return "page needs a page's template id (0 to 65535)";
            actions.push_back(DialogAction{DialogAction::Kind::Page, *id, {}});
            i += 2;
            continue;
        }
        // A list cell of a UI-library control: check "ID" "ROW" COL on|off, edit "ID" "ROW" COL "TEXT".
        if ((text == "check" || text == "edit") && i + 1 < words.size() && words[i + 1].quoted) {
            const std::string target = echo(platform::core::toUtf8(words[i + 1].text));
            const auto column = i + 3 < words.size() && !words[i + 3].quoted
                                    ? platform::core::parseWholeNumber<unsigned>(platform::core::toUtf8(words[i + 3].text))
                                    : std::nullopt;
            if (i + 2 >= words.size() || !words[i + 2].quoted || !column || *column > 0xFFFFu)
                return text + " " + target + " needs a row in quotes and a column number";
            DialogAction action{text == "check" ? DialogAction::Kind::Check : DialogAction::Kind::Edit, 0, {}, words[i + 1].text,
                                words[i + 2].text, static_cast<int>(*column)};
            const bool hasLast = i + 4 < words.size();
            const std::string last = hasLast ? platform::core::toUtf8(words[i + 4].text) : "";
            if (text == "check" && (!hasLast || words[i + 4].quoted || (last != "on" && last != "off")))
                return "check " + target + " needs on or off";
            if (text == "edit" && (!hasLast || !words[i + 4].quoted)) return "edit " + target + " needs a text in quotes";
            action.text = words[i + 4].text;
            actions.push_back(std::move(action));
            i += 5;
            continue;
        }
        if (text != "click" && text != "text" && text != "select")
            return "unknown action " + echo(text) + " (click, text, select, check, edit, page, ok, cancel)";
        // click presses a UI-library button by its quoted full id, in a dialog named by its name.
        if (named && text == "click" && i + 1 < words.size() && words[i + 1].quoted) {
            actions.push_back(DialogAction{DialogAction::Kind::Click, 0, {}, words[i + 1].text});
            i += 2;
            continue;
        }
        // text and select also reach a UI-library control of the dialog's form by its quoted full id.
        const bool named = text != "click" && i + 1 < words.size() && words[i + 1].quoted;
        const auto id = named ? std::optional<int>(0) : controlId(i + 1);
        if (!id) return text + " needs a control id (0 to 65535)";
        if (text == "click") {
            actions.push_back(DialogAction{DialogAction::Kind::Click, *id, {}});
            i += 2;
            continue;
        }
        const std::string target = named ? echo(platform::core::toUtf8(words[i + 1].text)) : std::to_string(*id);
        if (i + 2 >= words.size() || !words[i + 2].quoted)
            return text + " " + target + (text == "text" ? " needs a text in quotes" : " needs an item in quotes");
        actions.push_back(DialogAction{text == "text" ? DialogAction::Kind::Text : DialogAction::Kind::Select, *id,
                                       words[i + 2].text, named ? words[i + 1].text : std::wstring()});
        i += 3;
    }
    if (actions.empty()) return "the answer is empty (click ID, text ID \"TEXT\", select ID \"ITEM\", check ID on|off, page ID, ok, cancel)";
    return actions;
}

}  // namespace

bool Driver::expectDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values, false);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    session_.user().expectDialog(step.arguments.number, std::move(std::get<std::vector<DialogAction>>(parsed)));
    return true;
}

bool Driver::expectNamedDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values, true);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    session_.user().expectDialog(step.arguments.name, std::move(std::get<std::vector<DialogAction>>(parsed)));
    return true;
}

}  // namespace korvo::console
