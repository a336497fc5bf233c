#include "platform/core/process_heap.h"

#include <malloc.h>

namespace platform::core {

void useEagerlyMergingHeap() {
    // The C library keeps freed small blocks unmerged ("fast bins") until some later large
    // request merges all of them at once. After a huge folder's rows were deleted in short idle
    // steps, that one merge held the UI thread for 30-40 ms at whatever step asked for a large
    // block next. Without fast bins each free pays its own small share; the per-thread cache
    // still serves the hot small sizes.
    mallopt(M_MXFAST, 0);
}

}  // namespace platform::core
