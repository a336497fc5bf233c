#include "platform/kernel/editing/edit_settings.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "platform/core/config.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/numbers.h"
#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/toolkit.h"
#include "platform/win32/files/file.h"

int CMenuItemArray::ItemByStr(const CString& text) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == text) return static_cast<int>(i);
    return -1;
}

bool CMenuItemArray::GetPrevNextStr(int index, bool back, CString& text) const {
    if (index < 0 || index >= GetSize()) return false;
    const int next = back ? index - 1 : index + 1;
    if (next < 0 || next >= GetSize()) return false;
    text = items_[static_cast<std::size_t>(next)];
    return true;
}

namespace platform::kernel {
namespace {

constexpr const wchar_t* kSettingsFile = L"EditSettings.txt";

struct LoadedSettings {
    std::mutex mutex;
    bool loaded = false;
    EditSettingsTable table;
    // Handed out by GetEditSettigns; rebuilt on reload, so pointers last until then.
    std::map<std::pair<int, int>, Korvo::ControlSettings::EditSettings> settings;
};

LoadedSettings& loadedSettings() {
    static auto* state = new LoadedSettings();
    return *state;
}

// Call with the mutex held.
void loadIfNeeded(LoadedSettings& state) {
    if (state.loaded) return;
    state.loaded = true;
    const std::wstring path = platform::core::config().programFolder + L"\\" + kSettingsFile;
    std::string bytes;
    if (const DWORD error = platform::files::readAll(path, bytes); error != 0) {
        recordWarning(L"edit settings " + path + L" cannot be read (error " + std::to_wstring(error) +
                      L"): edits offer no value lists");
        return;
    }
    std::vector<std::wstring> warnings;
    state.table = parseEditSettings(bytes, kSettingsFile, &warnings);
    for (auto& warning : warnings) recordWarning(std::move(warning));
    for (const auto& [keys, items] : state.table)
        state.settings.emplace(keys, Korvo::ControlSettings::EditSettings{keys.first, keys.second, items});
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<int> readKey(std::string_view word) {
    const auto key = platform::core::parseWholeNumber<int>(word);
    if (!key || *key < 1) return std::nullopt;
    return key;
}

}  // namespace

EditSettingsTable parseEditSettings(std::string_view utf8, std::wstring_view origin,
                                    std::vector<std::wstring>* warnings) {
    EditSettingsTable table;
    platform::core::MalformedLines problems{std::wstring(origin), [&](std::wstring warning) {
                                                if (warnings) warnings->push_back(std::move(warning));
                                            }};
    auto quoted = [](std::string_view text) { return platform::core::quotedInput(platform::core::fromUtf8(text)); };
    platform::core::TextLines lines(utf8);
    for (std::string_view line; lines.next(line);) {
        const std::size_t lineNumber = lines.number();
        line = trimmed(line);
        if (line.empty() || line.front() == '#') continue;

        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            problems.report(lineNumber, L"no \"=\" between the keys and the entries; line skipped");
            continue;
        }
        const std::string_view keys = trimmed(line.substr(0, equals));
        const std::size_t space = keys.find_first_of(" \t");
        const std::string_view first = keys.substr(0, space);
        const std::string_view second = space == std::string_view::npos ? std::string_view{} : trimmed(keys.substr(space));
        const auto key1 = readKey(first);
        const auto key2 = readKey(second);
        if (!key1 || !key2) {
            problems.report(lineNumber, quoted(keys) + L" are not two keys (whole numbers of 1 or more); line skipped");
            continue;
        }
        std::vector<CString> items;
        std::string_view rest = line.substr(equals + 1);
        bool bad = false;
        while (true) {
            const std::size_t bar = rest.find('|');
            const std::string_view entry = trimmed(rest.substr(0, bar));
            if (entry.empty()) {
                problems.report(lineNumber, L"entry " + std::to_wstring(items.size() + 1) +
                                                L" is empty; line skipped");
                bad = true;
                break;
            }
            items.emplace_back(platform::core::fromUtf8(entry).c_str());
            if (bar == std::string_view::npos) break;
            rest = rest.substr(bar + 1);
        }
        if (bad) continue;
        if (items.size() > static_cast<std::size_t>(kMaxEditListEntries)) {
            problems.report(lineNumber, std::to_wstring(items.size()) + L" entries, more than " +
                                            std::to_wstring(kMaxEditListEntries) + L"; line skipped");
            continue;
        }
        if (!table.emplace(std::pair{*key1, *key2}, std::move(items)).second)
            problems.report(lineNumber, L"keys " + std::to_wstring(*key1) + L" " + std::to_wstring(*key2) +
                                            L" are given again; the first list is kept");
    }
    problems.finish();
    return table;
}

void reloadEditSettings() {
    auto& state = loadedSettings();
    std::lock_guard lock(state.mutex);
    state.loaded = false;
    state.table.clear();
    state.settings.clear();
}

}  // namespace platform::kernel

namespace Korvo::ControlSettings {

EditSettingsManager& EditSettingsManager::Settings() {
    static EditSettingsManager manager;
    return manager;
}

const EditSettings* EditSettingsManager::GetEditSettigns(int key1, int key2, int key3, int flags) const {
    if (key3 != -1 || flags != 0) return nullptr;
    auto& state = platform::kernel::loadedSettings();
    std::lock_guard lock(state.mutex);
    platform::kernel::loadIfNeeded(state);
    const auto found = state.settings.find({key1, key2});
    return found == state.settings.end() ? nullptr : &found->second;
}

CMenuItemArray EditSettingsAccessor::GetMenuItems(const EditSettings* settings) {
    return settings ? CMenuItemArray(settings->items) : CMenuItemArray();
}

}  // namespace Korvo::ControlSettings

CXTPPopupBar* CreateEditMenuPopup(CXTPCommandBars* commandBars, const CMenuItemArray& items, LPCWSTR currentText) {
    if (!commandBars) return nullptr;
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(commandBars);
    const CString current(currentText ? currentText : L"");
    const int count = std::min(items.GetSize(), platform::kernel::kMaxEditListEntries);
    for (int i = 0; i < count; ++i) {
        CXTPControl* item = popup->GetControls()->Add(xtpControlButton, i + 1);
        CString caption = items.GetAt(i);
        caption.Replace(L"&", L"&&");  // an entry's "&" is no mnemonic
        item->SetCaption(caption);
        item->SetChecked(items.GetAt(i) == current);
        // The menu is the list: no command handler decides about its items.
        item->SetFlags(item->GetFlags() | xtpFlagManualUpdate);
    }
    return popup;
}
