// The list of commands the command search shows: every command the user may see, with its text
// "description\ncaption", filtered by words of the text, by synonyms or by the id, sorted by
// caption.
#pragma once

#include <vector>

#include "platform/mfc.h"

struct CommandEntry {
    UINT id = 0;
    CString text;  // "description\ncaption" (or the caption alone), single "&" removed
};

// The caption: the part after the first line break, the whole text when there is none.
std::wstring_view CommandCaption(const CString& text);
// The description: the part before the first line break, empty when there is none.
std::wstring_view CommandDescription(const CString& text);

// Caption order (UTF-16 units, a proper prefix first); an empty caption after every other,
// empty captions and equal captions by id.
bool CommandEntryLess(const CommandEntry& a, const CommandEntry& b);

// The commands the kernel lists and the add-on applications' commands (15000 to 16999) that only
// the command container knows, each when it is visible, has a text and, for the settings-profile
// commands 1190 to 1199, names an existing profile. With a `filter` (in searchable form) a
// command stays when its id is the filter read as a number, or the filter occurs in its synonyms
// (when the find-by-synonyms option is on) or in the searchable form of its text. Sorted.
std::vector<CommandEntry> BuildCommandList(const CString& filter);
