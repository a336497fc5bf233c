// The rich tooltip texts of commands: one process-wide map from command id to its record, filled
// on the first tip of each command from the command strings, the "CommandInfo" description files
// and the shortcut keys.
#pragma once

#include <map>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

// Stores the record when the id has none (true); otherwise true only when the stored record has
// the same texts; the stored record stays.
bool SetCommandTooltipInfo(UINT id, const CommandTooltipInfo& info);
// The record of a command, loading it on first use; null for commands without rich tooltips.
const CommandTooltipInfo* LoadCommandDescription(UINT id, CXTPCommandBars* bars, COLORREF background);
// Rebuilds the shortcut line of every stored record from the bars' shortcut keys.
void UpdateCommandTooltips(CXTPCommandBars* bars);

// Whether a command gets no rich tooltip by its id alone.
bool IsExcludedFromCommandTooltips(UINT id);

// The shortcut line of a command: the keyboard call, the seventh command string and every
// accelerator, each once, ordered by priority, joined by "; ".
CString BuildCommandShortcut(UINT id, const CString& keyboardCall, CXTPCommandBars* bars,
                             const std::vector<CString>* commandStrings);

// What a description file gives: the short text (when the file has one) and the long text.
struct CommandDescription {
    CString text;
    CString longText;
};
CommandDescription ParseCommandDescription(const CString& fileText);
