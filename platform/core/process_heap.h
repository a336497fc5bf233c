// The process heap as the platform's heap behaves: a freed block is merged with its free
// neighbours when it is freed.
#pragma once

namespace platform::core {

// Called once when the session starts, before the program allocates much.
void useEagerlyMergingHeap();

}  // namespace platform::core
