// The default tool bars of this edition, as a main frame builds them when no saved layout exists.
#pragma once

#include <span>

#include "mainframe/toolsengine/default_toolbar_table.h"
#include "platform/mfc.h"

// One default tool bar: its record, its caption and the command ids of its buttons (0 for a
// separator).
struct DefaultToolBarButtons {
    const CommandTables::DefaultToolBarRecord* record = nullptr;
    CString caption;  // the caption string, or the record's internal name when it does not load
    CommandTables::ToolBarCommandIds commandIds;
    // The bar's icon: the image under the bar's id, as the toolkit names a bar's image.
    int iconId = 0;
};

// Built on the first call, captions included, and kept for the life of the process; safe to call
// from any thread.
std::span<const DefaultToolBarButtons> GetDefaultToolBars();
