#include "auxiliary/log_window.h"

#include <limits>
#include <new>

#include "auxiliary/streams/simple_file.h"
#include "platform/diagnostics.h"
#include "platform/textcore.h"

namespace Korvo::UI {

namespace {

constexpr std::uint64_t kLargestLog = (std::uint64_t{1} << 63) - 2;
constexpr std::size_t kLargestPiece = std::numeric_limits<int>::max();

// Releases the log lock when the lock was obtained. A lockless unlock would release a lock
// another thread holds.
class LogLock {
public:
    LogLock() { KVLog_Lock(&locked_); }
    ~LogLock() {
        if (locked_) KVLog_Unlock();
    }
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;
    bool Locked() const { return locked_; }

private:
    bool locked_ = false;
};

CString Utf8Piece(std::string_view piece) {
    piece = piece.substr(0, std::min(piece.size(), kLargestPiece));
    if (piece.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, piece.data(), static_cast<int>(piece.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, piece.data(), static_cast<int>(piece.size()), text.data(), length);
    return CString(text.c_str());
}

}  // namespace

std::optional<std::string> ReadLogIfChanged(std::uint64_t lastLength) {
    LogLock lock;
    if (!lock.Locked()) return std::nullopt;
    kvio::SimpleFile file;
    if (!file.OpenForRead(KVLog_GetFileName())) return std::nullopt;
    const std::uint64_t length = std::min(file.GetLength(), kLargestLog);
    if (length == lastLength) return std::nullopt;
    try {
        std::string bytes(static_cast<std::size_t>(length), '\0');
        file.Read(bytes.data(), length);
        return bytes;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    } catch (const std::system_error&) {
        // A read that failed half-way leaves the text as it was.
        return std::nullopt;
    }
}

CString LogBytesToText(std::string_view bytes) {
    CString text;
    std::size_t start = 0;
    bool first = true;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        const bool cut = i == bytes.size() || (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'));
        if (!cut) continue;
        if (!first) text += L"\r\n";
        text += Utf8Piece(bytes.substr(start, i - start));
        first = false;
        start = i + 1;
    }
    return text;
}

void RefreshLogText(CXTPEdit& edit, std::uint64_t& lastLength) {
    std::optional<std::string> bytes = ReadLogIfChanged(lastLength);
    if (!bytes) return;
    edit.SetWindowText(LogBytesToText(*bytes));
    edit.SendMessage(EM_LINESCROLL, 0, std::numeric_limits<int>::max());
    lastLength = bytes->size();
}

BEGIN_MESSAGE_MAP(LogWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

bool LogWindow::Create() {
    LPCWSTR windowClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_CLASSDC);
    const CString caption = Korvo::I18n::FormatTranslation(L"log_window", AfxGetAppName());
    return CreateEx(WS_EX_APPWINDOW, windowClass, caption,
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr) != FALSE;
}

int LogWindow::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    RECT client{};
    GetClientRect(&client);
    if (!edit_.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY, client, this, kEditId))
        return -1;
    NONCLIENTMETRICSW metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) ||
        !font_.CreateFontIndirect(&metrics.lfMessageFont))
        font_.SetStockFont(GetStockObject(DEFAULT_GUI_FONT));
    edit_.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font_)), TRUE);
    return 0;
}

void LogWindow::OnClose() {
    // Closing only hides the window: the application keeps it for the next "view log".
    ShowWindow(SW_HIDE);
}

void LogWindow::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (edit_.GetSafeHwnd()) edit_.MoveWindow(0, 0, cx, cy);
}

LRESULT LogWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool shown = (message == WM_SHOWWINDOW && wParam) ||
                       (message == WM_WINDOWPOSCHANGED && lParam &&
                        (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW));
    if (shown && edit_.GetSafeHwnd()) RefreshLogText(edit_, lastLength_);
    return CWnd::WindowProc(message, wParam, lParam);
}

}  // namespace Korvo::UI
