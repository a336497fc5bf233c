// What the kernel's running command says about the messages a main frame is about to handle.
#pragma once

#include "platform/mfc.h"

class CKVView;

class KVCmdMsg {
public:
    // Whether the command running in `view`'s document wants the key `message` for itself, so
    // that the frame's shortcuts must leave it alone. False when no command runs.
    static bool SuppressAccelerators(CKVView* view, const MSG& message);
};
