#include "app/application_object_commands.h"

namespace AppCommands {

int OnQuit(std::int64_t) { return 0; }

int OnWindowCloseAll(std::int64_t) { return 0; }

}  // namespace AppCommands
