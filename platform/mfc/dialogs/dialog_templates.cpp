#include "platform/mfc/dialogs/dialog_templates.h"

#include <mutex>
#include <optional>
#include <pugixml.hpp>
#include <set>

#include "platform/core/config.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32/controls/treeview.h"
#include "platform/mfc/xml_reading.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/controls/listview.h"
#include "platform/win32/files/file.h"
#include "platform/win32/window/window.h"

namespace platform::mfc {

namespace {

constexpr const wchar_t* kTemplateFile = L"dialogs.xml";

struct ControlKind {
    const char* element;
    const wchar_t* className;
    DWORD style;
};
constexpr ControlKind kKinds[] = {
    {"Button", L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP},
    {"Radio", L"BUTTON", BS_AUTORADIOBUTTON},
    {"CheckBox", L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP},
    {"Edit", L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {"Static", L"STATIC", 0},
    {"ListBox", L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP},
    {"ListView", L"SysListView32", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP},
    {"ComboBox", L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP},
    {"Slider", L"msctls_trackbar32", WS_TABSTOP},
    {"Tree", L"SysTreeView32", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP},
};

// Reads one template; the first problem found, if any.
class DialogReader {
public:
    DialogReader(std::string_view text, std::wstring_view origin) : text_(text), origin_(origin) {}

    std::wstring where(const pugi::xml_node& node) const {
        return std::wstring(origin_) + L"(" + std::to_wstring(platform::xml::lineAt(text_, node.offset_debug())) +
               L"): ";
    }

    std::optional<int> number(const pugi::xml_attribute& attribute, int low, int high) const {
        std::string_view value = attribute.value();
        const bool negative = !value.empty() && value.front() == '-';
        if (negative) value.remove_prefix(1);
        const auto parsed = platform::core::parseWholeNumber<unsigned>(value);
        if (!parsed || *parsed > 65535u) return std::nullopt;
        const int result = negative ? -static_cast<int>(*parsed) : static_cast<int>(*parsed);
        if (result < low || result > high) return std::nullopt;
        return result;
    }

    // "a,b" or "a,b,c,d" of whole numbers 0 to 10000.
    std::optional<std::vector<int>> numbers(const char* text, std::size_t count) const {
        std::vector<int> values;
        std::string_view rest = text;
        while (true) {
            const std::size_t comma = rest.find(',');
            const auto value = platform::core::parseWholeNumber<unsigned>(rest.substr(0, comma));
            if (!value || *value > 10000u) return std::nullopt;
            values.push_back(static_cast<int>(*value));
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        if (values.size() != count) return std::nullopt;
        return values;
    }

    std::optional<bool> flag(const pugi::xml_node& node, const char* name, std::wstring& problem) const {
        const pugi::xml_attribute attribute = node.attribute(name);
        if (!attribute) return false;
        const std::string_view value = attribute.value();
        if (value == "true") return true;
        if (value == "false") return false;
        problem = where(node) + platform::core::fromUtf8(name) + L"=" + platform::core::quotedInput(platform::core::fromUtf8(value)) +
                  L" is neither \"true\" nor \"false\"";
        return std::nullopt;
    }

    std::wstring readControl(const pugi::xml_node& node, DialogTemplate& dialog, std::set<int>& ids) const {
        const std::string_view element = node.name();
        const ControlKind* kind = nullptr;
        for (const ControlKind& candidate : kKinds)
            if (element == candidate.element) kind = &candidate;
        if (!kind)
            return where(node) + L"unknown control <" + platform::core::fromUtf8(element) +
                   L"> (Button, Radio, CheckBox, Edit, Static, ListBox, ListView, ComboBox, Slider, Tree)";
        for (const pugi::xml_attribute& attribute : node.attributes()) {
            const std::string_view name = attribute.name();
            if (name != "id" && name != "text" && name != "rect" && name != "group" && name != "disabled" &&
                name != "hidden" && !(name == "default" && element == "Button") &&
                !(name == "ownerdraw" && element == "ListBox") && !(name == "items" && element == "ComboBox"))
                return where(node) + L"<" + platform::core::fromUtf8(element) + L"> has no attribute " +
                       platform::core::fromUtf8(name);
        }
        DialogControlTemplate control;
        control.className = kind->className;
        const pugi::xml_attribute idAttribute = node.attribute("id");
        if (!idAttribute && element != "Static") return where(node) + L"<" + platform::core::fromUtf8(element) + L"> needs an id";
        if (idAttribute) {
            const auto id = number(idAttribute, -1, 65535);
            if (!id) return where(node) + L"id " + platform::core::quotedInput(platform::core::fromUtf8(idAttribute.value())) +
                            L" is not a control id (-1 to 65535)";
            control.id = *id;
        }
        if (control.id != -1 && !ids.insert(control.id).second)
            return where(node) + L"control id " + std::to_wstring(control.id) + L" is used twice in dialog " +
                   std::to_wstring(dialog.id);
        const auto rect = numbers(node.attribute("rect").value(), 4);
        if (!rect)
            return where(node) + L"rect " + platform::core::quotedInput(platform::core::fromUtf8(node.attribute("rect").value())) +
                   L" is not \"left,top,width,height\"";
        control.rect = RECT{(*rect)[0], (*rect)[1], (*rect)[0] + (*rect)[2], (*rect)[1] + (*rect)[3]};
        control.text = platform::core::fromUtf8(node.attribute("text").value());
        if (const pugi::xml_attribute items = node.attribute("items")) {
            std::wstring rest = platform::core::fromUtf8(items.value());
            for (std::size_t bar; (bar = rest.find(L'|')) != std::wstring::npos; rest.erase(0, bar + 1))
                control.items.push_back(rest.substr(0, bar));
            control.items.push_back(rest);
        }
        control.style = WS_CHILD | kind->style;
        std::wstring problem;
        const auto group = flag(node, "group", problem);
        const auto disabled = flag(node, "disabled", problem);
        const auto hidden = flag(node, "hidden", problem);
        const auto isDefault = flag(node, "default", problem);
        const auto ownerDraw = flag(node, "ownerdraw", problem);
        if (!problem.empty()) return problem;
        if (*ownerDraw) control.style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
        if (*group) control.style |= WS_GROUP;
        if (*disabled) control.style |= WS_DISABLED;
        if (!*hidden) control.style |= WS_VISIBLE;
        if (*isDefault) control.style = (control.style & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON;
        dialog.controls.push_back(std::move(control));
        return {};
    }

    std::wstring readDialog(const pugi::xml_node& node, DialogTemplate& dialog) const {
        for (const pugi::xml_attribute& attribute : node.attributes()) {
            const std::string_view name = attribute.name();
            if (name != "id" && name != "caption" && name != "size" && name != "popup")
                return where(node) + L"<Dialog> has no attribute " + platform::core::fromUtf8(name);
        }
        const auto size = numbers(node.attribute("size").value(), 2);
        if (!size)
            return where(node) + L"size " + platform::core::quotedInput(platform::core::fromUtf8(node.attribute("size").value())) +
                   L" of dialog " + std::to_wstring(dialog.id) + L" is not \"width,height\"";
        dialog.size = SIZE{(*size)[0], (*size)[1]};
        dialog.caption = platform::core::fromUtf8(node.attribute("caption").value());
        std::wstring popupProblem;
        const auto popup = flag(node, "popup", popupProblem);
        if (!popup) return popupProblem;
        dialog.popup = *popup;
        std::set<int> ids;
        for (const pugi::xml_node& child : node.children()) {
            if (child.type() != pugi::node_element) continue;
            if (std::wstring problem = readControl(child, dialog, ids); !problem.empty()) return problem;
        }
        return {};
    }

private:
    std::string_view text_;
    std::wstring_view origin_;
};

struct LoadedTemplates {
    std::mutex mutex;
    bool loaded = false;
    DialogTemplates templates;
    std::wstring unreadable;  // why the file could not be read at all
};

LoadedTemplates& loaded() {
    static auto* state = new LoadedTemplates();
    return *state;
}

}  // namespace

DialogTemplates parseDialogTemplates(std::string_view utf8, std::wstring_view origin) {
    DialogTemplates result;
    pugi::xml_document dom;
    const auto parsed = dom.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        result.problems[0] = std::wstring(origin) + L"(" + std::to_wstring(platform::xml::lineAt(utf8, parsed.offset)) +
                             L"): malformed XML: " + platform::core::fromUtf8(parsed.description());
        return result;
    }
    const DialogReader reader(utf8, origin);
    const pugi::xml_node root = dom.document_element();
    if (std::string_view(root.name()) != "Dialogs") {
        result.problems[0] = reader.where(root) + L"the root element is <" + platform::core::fromUtf8(root.name()) +
                             L">, not <Dialogs>";
        return result;
    }
    for (const pugi::xml_node& node : root.children()) {
        if (node.type() != pugi::node_element) continue;
        if (std::string_view(node.name()) != "Dialog") {
            result.problems.try_emplace(0, reader.where(node) + L"unknown element <" + platform::core::fromUtf8(node.name()) +
                                               L"> (only <Dialog>)");
            continue;
        }
        const auto id = reader.number(node.attribute("id"), 1, 65535);
        if (!id) {
            result.problems.try_emplace(0, reader.where(node) + L"dialog id " +
                                               platform::core::quotedInput(platform::core::fromUtf8(node.attribute("id").value())) +
                                               L" is not a resource id (1 to 65535)");
            continue;
        }
        const UINT dialogId = static_cast<UINT>(*id);
        if (result.dialogs.count(dialogId) || result.problems.count(dialogId)) {
            result.problems.try_emplace(0, reader.where(node) + L"dialog " + std::to_wstring(dialogId) +
                                               L" is defined again; the first one is kept");
            continue;
        }
        DialogTemplate dialog;
        dialog.id = dialogId;
        if (std::wstring problem = reader.readDialog(node, dialog); !problem.empty()) {
            result.problems[dialogId] = std::move(problem);
            continue;
        }
        result.dialogs.emplace(dialogId, std::move(dialog));
    }
    return result;
}

std::variant<DialogTemplate, std::wstring> findDialogTemplate(UINT id) {
    LoadedTemplates& state = loaded();
    std::lock_guard lock(state.mutex);
    if (!state.loaded) {
        state.loaded = true;
        const std::wstring path = platform::core::config().programFolder + L"\\" + kTemplateFile;
        std::string bytes;
        if (const DWORD error = platform::files::readAll(path, bytes); error != 0) {
            state.unreadable = path + L" cannot be read (error " + std::to_wstring(error) + L")";
            platform::core::recordWarning(state.unreadable);
        } else {
            state.templates = parseDialogTemplates(bytes, path);
            for (const auto& [dialog, problem] : state.templates.problems) platform::core::recordWarning(problem);
        }
    }
    if (auto it = state.templates.dialogs.find(id); it != state.templates.dialogs.end()) return it->second;
    if (auto it = state.templates.problems.find(id); it != state.templates.problems.end()) return it->second;
    if (!state.unreadable.empty()) return state.unreadable;
    return std::wstring(L"the dialog templates hold no dialog ") + std::to_wstring(id);
}

void reloadDialogTemplates() {
    LoadedTemplates& state = loaded();
    std::lock_guard lock(state.mutex);
    state.loaded = false;
    state.templates = {};
    state.unreadable.clear();
}

DialogTemplate listChoiceTemplate(std::wstring caption, int listId, std::wstring okText, std::wstring cancelText) {
    DialogTemplate dialog;
    dialog.caption = std::move(caption);
    dialog.size = SIZE{360, 260};
    dialog.controls.push_back({listId, L"LISTBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, L"",
                               RECT{10, 10, 340, 200}});
    dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, std::move(okText),
                               RECT{170, 214, 250, 238}});
    dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                               std::move(cancelText), RECT{260, 214, 340, 238}});
    return dialog;
}

}  // namespace platform::mfc
