#include "app/command_registration.h"

void RegisterApplicationCommands(DWORD) {}

void RegisterBuiltInCommands() {}
