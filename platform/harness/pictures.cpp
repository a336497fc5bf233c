// Pictures on the host's files, the user at a document window's scroll bars, and what image
// windows and print jobs show.
#include <algorithm>
#include <stdexcept>
#include <variant>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/kvgc/picture_codec.h"

namespace platform::harness {

namespace {

using platform::core::handleText;

std::wstring extensionOf(std::wstring_view path) {
    const std::size_t dot = path.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(dot));
}

// A colour per quarter, so that a crop or a shift of the picture shows.
std::vector<std::uint32_t> quarters(int width, int height) {
    static constexpr std::uint32_t kColours[4] = {0xC03020, 0x30A040, 0x2050C0, 0xE0C020};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<std::size_t>(y) * width + x] = kColours[(y * 2 / height) * 2 + x * 2 / width];
    return pixels;
}

// The view of the active MDI child of a main frame, or null.
CView* activeView(HWND frame) {
    auto* mdiFrame = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame));
    CMDIChildWnd* child = mdiFrame ? mdiFrame->MDIGetActive() : nullptr;
    if (!child) return nullptr;
    if (CView* view = child->GetActiveView()) return view;
    return dynamic_cast<CView*>(CWnd::FromHandlePermanent(::GetDlgItem(child->GetSafeHwnd(), AFX_IDW_PANE_FIRST)));
}

const wchar_t* barName(int bar) { return bar == SB_HORZ ? L"horizontal" : L"vertical"; }

std::wstring barText(HWND view, int bar) {
    const DWORD shown = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (!(::GetWindowLongW(view, GWL_STYLE) & shown)) return std::wstring(barName(bar)) + L" none";
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(view, bar, &info);
    return std::wstring(barName(bar)) + L" " + std::to_wstring(info.nMin) + L".." + std::to_wstring(info.nMax) +
           L" page " + std::to_wstring(info.nPage) + L" pos " + std::to_wstring(info.nPos);
}

// The view whose bar a user would use, or why there is none.
std::variant<HWND, std::wstring> scrollTarget(HWND frame, int bar) {
    if (bar != SB_HORZ && bar != SB_VERT) return std::wstring(L"there is no such scroll bar");
    CView* view = activeView(frame);
    if (!view) return std::wstring(L"main frame " + handleText(frame) + L" has no active document window");
    const DWORD shown = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (!(view->GetStyle() & shown))
        return std::wstring(L"the active document window shows no ") + barName(bar) + L" scroll bar";
    return view->GetSafeHwnd();
}

void sendScroll(HWND view, int bar, int code, int position) {
    const UINT message = bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
    ::SendMessageW(view, message, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(position & 0xFFFF)), 0);
}

void journalUser(const std::wstring& what) { platform::core::journal().add("user", what); }

}  // namespace

void Files::writePicture(std::wstring_view windowsPath, int width, int height, std::vector<std::uint32_t> pixels) {
    if (pixels.empty()) pixels = quarters(width, height);
    platform::kvgc::Picture picture{width, height, std::move(pixels)};
    for (std::uint32_t& pixel : picture.pixels) pixel |= 0xFF000000u;
    const auto bytes = platform::kvgc::encodePicture(picture, extensionOf(windowsPath));
    if (!bytes) throw std::invalid_argument("harness: cannot write a picture as " + core::toUtf8(windowsPath));
    write(windowsPath, *bytes);
}

std::optional<Picture> Files::readPicture(std::wstring_view windowsPath) const {
    const auto bytes = read(windowsPath);
    if (!bytes) return std::nullopt;
    auto decoded = platform::kvgc::decodePicture(*bytes, extensionOf(windowsPath));
    if (!decoded) return std::nullopt;
    for (std::uint32_t& pixel : decoded->pixels) pixel &= 0x00FFFFFFu;
    return Picture{decoded->width, decoded->height, std::move(decoded->pixels)};
}

std::optional<std::wstring> User::scroll(HWND frame, int bar, int code, std::wstring_view name) {
    const auto target = scrollTarget(frame, bar);
    if (const auto* refusal = std::get_if<std::wstring>(&target)) return *refusal;
    const HWND view = std::get<HWND>(target);
    const std::wstring request = name.empty() ? std::to_wstring(code) : std::wstring(name);
    journalUser(L"scroll " + std::wstring(barName(bar)) + L" " + request + L" in " + handleText(view));
    sendScroll(view, bar, code, 0);
    sendScroll(view, bar, SB_ENDSCROLL, 0);
    session_.runUntilIdle();
    return std::nullopt;
}

std::optional<std::wstring> User::dragThumb(HWND frame, int bar, int position) {
    const auto target = scrollTarget(frame, bar);
    if (const auto* refusal = std::get_if<std::wstring>(&target)) return *refusal;
    const HWND view = std::get<HWND>(target);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(view, bar, &info);
    // The thumb cannot leave the bar.
    const int last = info.nMax - std::max<int>(static_cast<int>(info.nPage) - 1, 0);
    position = std::clamp(position, info.nMin, std::max(info.nMin, last));
    journalUser(L"drag " + std::wstring(barName(bar)) + L" thumb to " + std::to_wstring(position) + L" in " +
                handleText(view));
    platform::win32::setScrollTrackPosition(view, bar, position);
    sendScroll(view, bar, SB_THUMBTRACK, position);
    sendScroll(view, bar, SB_THUMBPOSITION, position);
    sendScroll(view, bar, SB_ENDSCROLL, 0);
    session_.runUntilIdle();
    return std::nullopt;
}

std::wstring Inspect::dumpActiveView(HWND frame) const {
    CView* view = activeView(frame);
    if (!view) return {};
    CDumpContext context;
    view->Dump(context);
    const HWND handle = view->GetSafeHwnd();
    std::wstring dump = handleText(handle) + L" " + context.GetText() + L"\n" + barText(handle, SB_HORZ) + L"\n" +
                        barText(handle, SB_VERT) + L"\npaint";
    for (const std::wstring& line : drawing(handle)) dump += L"\n  " + line;
    // A print preview shows the view's pages in the frame's place of its windows.
    const auto* mainFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(frame));
    if (const CPreviewView* preview = mainFrame ? mainFrame->GetPreviewView() : nullptr) {
        dump += L"\nprint preview " + handleText(preview->GetSafeHwnd()) + L" page " +
                std::to_wstring(preview->GetCurrentPage()) + L" of " + std::to_wstring(preview->GetPageCount());
        for (const std::wstring& line : drawing(preview->GetSafeHwnd())) dump += L"\n  " + line;
    }
    return dump;
}

std::wstring Inspect::dumpPrintJobs() const {
    std::wstring dump;
    int number = 0;
    for (const platform::win32::PrintJob& job : platform::win32::printJobs()) {
        if (!dump.empty()) dump += L"\n";
        dump += L"job " + std::to_wstring(++number) + L" " + platform::core::quoted(job.document) +
                (job.ended ? L" ended" : L" printing");
        for (const std::wstring& line : job.drawing) dump += L"\n  " + line;
    }
    return dump;
}

}  // namespace platform::harness
