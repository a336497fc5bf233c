// The tips strip: one application-wide strip along the top of the MDI client that shows one line
// of a tip file at a time. Its settings come from the product ini's "Tips" section.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/compression.h"
#include "platform/mfc.h"

class CInfoTip : public CWnd {
public:
    // The one strip of the process.
    static CInfoTip& Instance();

    // Reads section "Tips" of the product ini; keys that are absent keep their values.
    void LoadSettings(const kvio::IniFile& ini);
    // Where the strip finds the application's active main frame (its parent, and whose MDI
    // client it lies along); the application sets it.
    void SetActiveFrameSource(std::function<CMDIFrameWnd*()> source) { activeFrame_ = std::move(source); }

    // A Windows colour value: red in the low byte, then green, then blue.
    using Colour = DWORD;
    const CString& GetFileName() const { return fileName_; }
    Colour GetBackgroundColour() const { return background_; }
    Colour GetBorderColour() const { return border_; }
    Colour GetTextColour() const { return text_; }
    int GetBorderWidth() const { return borderWidth_; }
    int GetFontSize() const { return fontSize_; }
    bool IsBold() const { return bold_ != 0; }
    bool IsItalic() const { return italic_ != 0; }
    const CString& GetFontName() const { return fontName_; }

    // The strip's commands; each does nothing (false) while the tip file name is empty.
    virtual bool EnsureCreated();
    void Toggle();
    void ShowNextTip();
    void ShowPreviousTip();
    // Reads the tip file again; keeps the place in the list and starts no timer.
    void LoadTips();

    bool IsShown() const { return m_hWnd && IsWindowVisible(); }
    int GetCurrentIndex() const { return currentIndex_; }
    int GetTipCount() const { return static_cast<int>(tips_.GetSize()); }
    const CString& GetCurrentText() const { return currentText_; }
    UINT GetCurrentTime() const { return currentTime_; }
    // The timer of a shown tip: the milliseconds it was set to, or 0 when none runs.
    UINT GetTimerMilliseconds() const { return timerMilliseconds_; }

    static constexpr UINT_PTR kTimerId = 8;

protected:
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    CInfoTip() = default;

    void ShowTip(int index);
    void ShowText(UINT stringId);
    void StartTimer();
    void StopTimer();
    void Repaint();

    int currentIndex_ = 0;
    CStringArray tips_;
    std::vector<UINT> displayTimes_;
    CString fileName_;  // empty: the strip is switched off
    Colour background_ = 0xFFFFFF;
    Colour border_ = 0;
    Colour text_ = 0;
    int borderWidth_ = 1;
    int bold_ = 0;
    int italic_ = 0;
    CString fontName_ = L"Arial";
    int fontSize_ = 16;
    CString currentText_;
    UINT currentTime_ = 0;
    UINT timerMilliseconds_ = 0;
    std::function<CMDIFrameWnd*()> activeFrame_;
};

// One line of a tip file: the text before the first "#" and the seconds after it (leading blanks
// and a sign, then digits up to the first other character; none, or a negative number, is 0).
struct TipLine {
    CString text;
    UINT seconds = 0;
};
TipLine ParseTipLine(const CString& line);
// A tip's seconds as the milliseconds of its timer, kept within the timer's 32 bits.
UINT TipMilliseconds(UINT seconds);
