#include "mainframe/frame_tools.h"

namespace {

FrameToolsMaker g_maker = nullptr;

}  // namespace

void SetFrameToolsMaker(FrameToolsMaker maker) { g_maker = maker; }

std::unique_ptr<FrameTools> MakeFrameTools(CMainFrame& frame) { return g_maker ? g_maker(frame) : nullptr; }
