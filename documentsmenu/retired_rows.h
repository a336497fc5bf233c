// Rows that left the documents menu's views are deleted in steps while the UI thread is idle: a
// huge folder's tens of thousands of document rows would otherwise hold the user up for a long
// moment whenever a search or a refill replaces them.
#pragma once

#include <memory>
#include <string>
#include <map>

#include "platform/toolkit.h"

namespace DocumentsMenu {

class DocumentRecord;

// Deletes the records (taken out of their view, observing nothing) in idle steps.
void RetireRecords(std::unique_ptr<CXTPReportRecords> records);
// The same for a library row's index of its document rows by name.
void RetireIndex(std::map<std::wstring, DocumentRecord*> index);

}  // namespace DocumentsMenu
