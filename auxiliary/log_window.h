// The log window: a top-level window with a read-only multi-line edit that shows the program's
// log file, reloaded whenever the window is shown and the log has grown or shrunk.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// The log's bytes when its length differs from `lastLength`, read under the log lock; nothing
// when the lock is refused, the file cannot be opened, its length is unchanged or it is too
// large to hold.
std::optional<std::string> ReadLogIfChanged(std::uint64_t lastLength);
// The log's bytes as edit text: UTF-8, every line feed not preceded by a carriage return made a
// carriage return plus line feed.
CString LogBytesToText(std::string_view bytes);
// Puts a changed log into the edit, scrolled to its end, and remembers its length.
void RefreshLogText(CXTPEdit& edit, std::uint64_t& lastLength);

class LogWindow : public CWnd {
public:
    static constexpr UINT kEditId = 0xE900;

    LogWindow() = default;
    using CWnd::Create;  // the window's own Create below does not hide the framework's
    // Creates the window (caption: the UI text "log_window" with the application's name).
    bool Create();
    // The UI theme of the edit control; kept by the edit before its window exists.
    void SetTheme(int themeId) { edit_.SetTheme(themeId); }
    int GetTheme() const { return edit_.GetTheme(); }
    CXTPEdit& GetEdit() { return edit_; }
    std::uint64_t GetLastLength() const { return lastLength_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    CXTPEdit edit_;
    CXTPFont font_;
    std::uint64_t lastLength_ = 0;
};

}  // namespace Korvo::UI
