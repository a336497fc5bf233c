// Private to the stand-in platform: a modal loop works through the queue in passes. A pass
// handles the messages that waited when it began, not those that its own handling posts, so the
// loop reaches its user between passes even while a window keeps re-posting a message to itself.
#pragma once

#include "platform/win32/window/window.h"

namespace platform::win32 {

// Marks the end of the pass that begins now (a thread message behind everything queued).
void beginModalPass();
// Whether `message` (peeked, not removed) is the end of the pass; it is then removed.
bool endsModalPass(const MSG& message);

}  // namespace platform::win32
