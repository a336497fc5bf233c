// The functions behind the handler names of the application command table.
#pragma once

#include "app/commands/command_table_data.h"
#include "platform/kernel.h"

namespace CommandTables {

// Null for a name that is not a document handler (or an update handler of a document command).
KVDocumentCommand::Handler DocumentHandler(AppHandler handler);
KVDocumentCommand::UpdateHandler DocumentUpdateHandler(AppUpdateHandler handler);
// Null for a name that is not a system handler (or an update handler of a system command).
KVSystemCommand::Handler SystemHandler(AppHandler handler);
KVSystemCommand::UpdateHandler SystemUpdateHandler(AppUpdateHandler handler);

}  // namespace CommandTables
