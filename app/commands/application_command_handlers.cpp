#include "app/commands/application_command_handlers.h"

namespace AppCommands {

int OnSettings(std::int64_t) { return 0; }
int ReturnTrueStub(std::int64_t) { return 1; }

}  // namespace AppCommands
