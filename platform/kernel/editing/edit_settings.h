// The kernel's edit settings: the value lists that edits offer, named by a pair of keys, and the
// popup menu an edit's list button opens.
//
// Where the lists come from: "EditSettings.txt" in the program folder, read at the first lookup
// (reloadEditSettings reads it again). A tester edits that file; each line is
//
//     KEY1 KEY2 = ENTRY | ENTRY | ...
//
// with whole-number keys of 1 or more, entries trimmed of blanks and not empty, at most 501 of
// them (the menu's command ids 1 to 501). Empty lines and lines starting with '#' are ignored. A
// bad line is skipped with a journal warning "EditSettings.txt(<line>): <problem>"; a key pair
// given again keeps its first list. The sample's file holds the standard font sizes under the
// ribbon's "FontSize" keys 1016 and 1023.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/mfc.h"

class CXTPCommandBars;
class CXTPPopupBar;

// The entries of a value list, in order.
class CMenuItemArray {
public:
    CMenuItemArray() = default;
    explicit CMenuItemArray(std::vector<CString> items) : items_(std::move(items)) {}

    int GetSize() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    const CString& GetAt(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    const std::vector<CString>& Items() const { return items_; }

    // The index of the entry that reads exactly `text`, or -1.
    int ItemByStr(const CString& text) const;
    // The entry before (`back`) or after the entry at `index`; false, leaving `text` alone, when
    // there is none or `index` names no entry.
    bool GetPrevNextStr(int index, bool back, CString& text) const;

private:
    std::vector<CString> items_;
};

namespace Korvo::ControlSettings {

// The settings of one edit: its value list.
struct EditSettings {
    int key1 = 0;
    int key2 = 0;
    std::vector<CString> items;
};

class EditSettingsManager {
public:
    static EditSettingsManager& Settings();
    // The settings named by the keys, or null. The stand-in keeps lists under two keys: a third
    // key other than -1 or flags other than 0 name nothing it has.
    const EditSettings* GetEditSettigns(int key1, int key2, int key3, int flags) const;

private:
    EditSettingsManager() = default;
};

class EditSettingsAccessor {
public:
    // The value list of `settings`; empty for null.
    static CMenuItemArray GetMenuItems(const EditSettings* settings);
};

}  // namespace Korvo::ControlSettings

// The popup menu of an edit's list button: one item per entry, command ids 1, 2, ... in list
// order, the entry that reads `currentText` checked. The caller releases the bar. Null without
// command bars.
CXTPPopupBar* CreateEditMenuPopup(CXTPCommandBars* commandBars, const CMenuItemArray& items, LPCWSTR currentText);

namespace platform::kernel {

constexpr int kMaxEditListEntries = 501;

using EditSettingsTable = std::map<std::pair<int, int>, std::vector<CString>>;
// Parses edit-settings text (format above). Bad lines are skipped with a warning naming
// `origin` and the line.
EditSettingsTable parseEditSettings(std::string_view utf8, std::wstring_view origin,
                                    std::vector<std::wstring>* warnings = nullptr);
// Reads the program folder's file again at the next lookup.
void reloadEditSettings();

}  // namespace platform::kernel
