// The shell's main frame object behind the session's N-th main frame window, for tests that
// inspect the frame's own state after driving it as a user would.
#pragma once

#include <cstddef>

#include "mainframe/main_frame.h"
#include "platform/harness.h"

namespace platform::harness {

inline CMainFrame* mainFrameAt(Session& session, std::size_t index = 0) {
    return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(session.inspect().mainFrames().at(index)));
}

}  // namespace platform::harness
