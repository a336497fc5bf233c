#include "platform/kernel/services/key_states.h"

#include "platform/win32/window/window.h"

bool KVGetShiftKeyState() { return GetKeyState(VK_SHIFT) < 0; }
bool KVGetControlKeyState() { return GetKeyState(VK_CONTROL) < 0; }
