// The picture behind the document windows: one per process, loaded when the first MDI client
// takes it and dropped when the last lets it go, so a later client loads it afresh.
#pragma once

#include <memory>

#include "platform/win32.h"
#include "platform/mfc.h"

class CMDIClientWndBackground {
public:
    // The shared picture, loaded now when no client holds it.
    static std::shared_ptr<CMDIClientWndBackground> Acquire();
    // The picture at `path` (nothing loaded when it cannot be read; the failure is logged).
    explicit CMDIClientWndBackground(const CString& path);
    ~CMDIClientWndBackground();
    CMDIClientWndBackground(const CMDIClientWndBackground&) = delete;
    CMDIClientWndBackground& operator=(const CMDIClientWndBackground&) = delete;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    // Fills `rect` with the background colour and centres the picture on it (at least 15 pixels
    // from the left and 10 from the top); false when there is no picture to draw.
    bool Paint(HDC dc, const RECT& rect) const;

    static constexpr COLORREF kBackgroundColour = 0xABABAB;

private:
    HBITMAP m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};
