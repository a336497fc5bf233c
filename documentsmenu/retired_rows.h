// Rows that left the documents menu's views are deleted in steps while the UI thread is idle: a
// huge folder's tens of thousands of document rows would otherwise hold the user up for a long
// moment whenever a search or a refill replaces them.
#pragma once

#include <memory>

#include "platform/toolkit.h"

namespace DocumentsMenu {

// Deletes the records (taken out of their view, observing nothing) in idle steps.
void RetireRecords(std::unique_ptr<CXTPReportRecords> records);

}  // namespace DocumentsMenu
