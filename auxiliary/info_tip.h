// The tips strip: one application-wide strip along the top of the MDI client that shows one line
// of a tip file at a time. Its settings come from the product ini's "Tips" section.
#pragma once

#include "platform/compression.h"
#include "platform/mfc.h"

class CInfoTip : public CWnd {
public:
    // The one strip of the process.
    static CInfoTip& Instance();

    // Reads section "Tips" of the product ini; keys that are absent keep their values.
    void LoadSettings(const kvio::IniFile& ini);

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

    // The strip's commands; each does nothing while the tip file name is empty. The tips
    // themselves, the window and its timer come with the strip's own work; until then the
    // strip keeps its place in the list and whether it is shown.
    void Toggle();
    void ShowNextTip();
    void ShowPreviousTip();
    void LoadTips();
    bool IsShown() const { return shown_; }
    int GetCurrentIndex() const { return currentIndex_; }

private:
    CInfoTip() = default;

    int currentIndex_ = 0;
    bool shown_ = false;
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
    [[maybe_unused]] UINT currentTime_ = 0;
};
