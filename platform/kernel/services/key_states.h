// The kernel's view of the modifier keys: down now, as the keyboard messages taken so far tell.
#pragma once

bool KVGetShiftKeyState();
bool KVGetControlKeyState();
