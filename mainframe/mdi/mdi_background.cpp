#include "mainframe/mdi/mdi_background.h"

#include <algorithm>

#include "services/application.h"
#include "platform/compression.h"
#include "platform/diagnostics.h"
#include "platform/kernel/graphics.h"

namespace {

CString BackgroundPath() {
    ApplicationServices* app = ApplicationServices::Instance();
    CString path = app ? app->GetBackgroundImage() : CString();
    if (path.IsEmpty()) path = KVAppendProgramPath(L"Background.png");
    return path;
}

}  // namespace

std::shared_ptr<CMDIClientWndBackground> CMDIClientWndBackground::Acquire() {
    static std::weak_ptr<CMDIClientWndBackground> shared;
    if (auto held = shared.lock()) return held;
    auto loaded = std::make_shared<CMDIClientWndBackground>(BackgroundPath());
    shared = loaded;
    return loaded;
}

CMDIClientWndBackground::CMDIClientWndBackground(const CString& path) {
    m_bitmap = KVGC::LoadBitmapFromFile(path, kBackgroundColour);
    BITMAP info{};
    if (m_bitmap && ::GetObjectW(m_bitmap, sizeof(info), &info)) {
        m_width = info.bmWidth;
        m_height = info.bmHeight;
        return;
    }
    KVLog_WriteF(6, L"Failed to load background image from \"%ls\"", path.GetString());
}

CMDIClientWndBackground::~CMDIClientWndBackground() {
    if (m_bitmap) ::DeleteObject(m_bitmap);
}

bool CMDIClientWndBackground::Paint(HDC dc, const RECT& rect) const {
    // One pixel more to the right and bottom, so no unpainted seam stays at the edges.
    const RECT fill{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    HBRUSH brush = ::CreateSolidBrush(kBackgroundColour);
    ::FillRect(dc, &fill, brush);
    ::DeleteObject(brush);
    if (!m_bitmap || m_width == 0 || m_height == 0) return false;
    const int x = std::max(15, static_cast<int>((rect.right - rect.left) - m_width) / 2);
    const int y = std::max(10, static_cast<int>((rect.bottom - rect.top) - m_height) / 2);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(memory, m_bitmap);
    ::BitBlt(dc, rect.left + x, rect.top + y, m_width, m_height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    return true;
}
