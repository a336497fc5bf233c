#include "auxiliary/info_tip.h"

namespace {

constexpr const wchar_t* kTipsSection = L"Tips";

CInfoTip::Colour ReadColour(const kvio::IniFile& ini, const wchar_t* r, const wchar_t* g, const wchar_t* b,
                            CInfoTip::Colour current) {
    auto channel = [&](const wchar_t* key, int shift) {
        const int fallback = static_cast<int>((current >> shift) & 0xFF);
        return static_cast<CInfoTip::Colour>(ini.GetInt(kTipsSection, key, fallback) & 0xFF) << shift;
    };
    return channel(r, 0) | channel(g, 8) | channel(b, 16);
}

}  // namespace

CInfoTip& CInfoTip::Instance() {
    static CInfoTip strip;
    return strip;
}

void CInfoTip::LoadSettings(const kvio::IniFile& ini) {
    if (!ini.HasSection(kTipsSection)) return;
    fileName_ = ini.GetString(kTipsSection, L"FileName", fileName_);
    background_ = ReadColour(ini, L"Bk_R", L"Bk_G", L"Bk_B", background_);
    text_ = ReadColour(ini, L"Font_R", L"Font_G", L"Font_B", text_);
    border_ = ReadColour(ini, L"Border_R", L"Border_G", L"Border_B", border_);
    borderWidth_ = ini.GetInt(kTipsSection, L"Border_Width", borderWidth_);
    fontSize_ = ini.GetInt(kTipsSection, L"Font_Size", fontSize_);
    bold_ = ini.GetInt(kTipsSection, L"Font_Bold", bold_);
    italic_ = ini.GetInt(kTipsSection, L"Font_Italic", italic_);
    fontName_ = ini.GetString(kTipsSection, L"Font_Name", fontName_);
}

void CInfoTip::Toggle() {
    if (fileName_.IsEmpty()) return;
    shown_ = !shown_;
    // The next showing starts with the next tip.
    if (!shown_) ShowNextTip();
}

void CInfoTip::ShowNextTip() {
    if (fileName_.IsEmpty()) return;
    const int count = static_cast<int>(tips_.GetSize());
    ++currentIndex_;
    if (currentIndex_ < 0 || currentIndex_ >= count) currentIndex_ = count;
}

void CInfoTip::ShowPreviousTip() {
    if (fileName_.IsEmpty()) return;
    --currentIndex_;
    if (currentIndex_ < 0 || currentIndex_ >= static_cast<int>(tips_.GetSize())) currentIndex_ = -1;
}

void CInfoTip::LoadTips() {
    if (fileName_.IsEmpty()) return;
    if (currentIndex_ >= static_cast<int>(tips_.GetSize())) currentIndex_ = static_cast<int>(tips_.GetSize());
}
