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

// "click ID", "text ID \"TEXT\"", "select ID \"ITEM\"", "check ID on|off", "page ID", "dump", "ok", "cancel", one
// after another; what is wrong otherwise.
std::variant<std::vector<DialogAction>, std::string> parseDialogAnswer(const std::vector<ArgumentValue>& words) {
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
        if (word.quoted) return "a text " + echo(text) + " where an action belongs (click, text, select, check, page, dump, ok, cancel)";
        // The user reads the dialog as it stands: its controls go to the transcript.
        if (text == "dump") {
            actions.push_back(DialogAction{DialogAction::Kind::Dump, 0, {}});
            ++i;
            continue;
        }
        if (text == "ok" || text == "cancel") {
            actions.push_back(DialogAction{text == "ok" ? DialogAction::Kind::Ok : DialogAction::Kind::Cancel, 0, {}});
            ++i;
            continue;
        }
        if (text == "check") {
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
        if (text != "click" && text != "text" && text != "select")
            return "unknown action " + echo(text) + " (click, text, select, check, page, dump, ok, cancel)";
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
    if (actions.empty()) return "the answer is empty (click ID, text ID \"TEXT\", select ID \"ITEM\", check ID on|off, page ID, dump, ok, cancel)";
    return actions;
}

}  // namespace

bool Driver::expectDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    session_.user().expectDialog(step.arguments.number, std::move(std::get<std::vector<DialogAction>>(parsed)));
    return true;
}

bool Driver::expectNamedDialog(const Step& step) {
    auto parsed = parseDialogAnswer(step.arguments.values);
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        scriptError(step.line, "expect dialog: " + *error);
        return false;
    }
    session_.user().expectDialog(step.arguments.name, std::move(std::get<std::vector<DialogAction>>(parsed)));
    return true;
}

}  // namespace korvo::console
