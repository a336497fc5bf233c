// The frame's status line. Its window and panes come with the frame's creation.
#pragma once

#include "platform/mfc.h"

class CStatusLine {
public:
    CStatusLine() = default;
    CStatusLine(const CStatusLine&) = delete;
    CStatusLine& operator=(const CStatusLine&) = delete;
};
