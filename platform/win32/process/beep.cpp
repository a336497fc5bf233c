#include "platform/core/record.h"
#include "platform/win32/window/window.h"

BOOL MessageBeep(UINT type) {
    wchar_t text[32];
    swprintf(text, 32, L"MessageBeep(0x%X)", type);
    platform::core::recordCall(text);
    return TRUE;
}
