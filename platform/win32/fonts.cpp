#include "platform/win32/fonts.h"

#include <algorithm>

namespace platform::win32 {

namespace {

// What a fresh system reports: TrueType fonts, the kernel's own ones, a printer font, a raster
// font and a name that exists both as raster and as TrueType (reported twice).
std::vector<InstalledFont>& fonts() {
    static std::vector<InstalledFont> installed{
        {L"Times New Roman", TRUETYPE_FONTTYPE}, {L"Arial", TRUETYPE_FONTTYPE},
        {L"Korvo ISO", TRUETYPE_FONTTYPE},       {L"Korvo GOST", TRUETYPE_FONTTYPE},
        {L"Courier", RASTER_FONTTYPE},           {L"Courier", TRUETYPE_FONTTYPE},
        {L"Line Printer", DEVICE_FONTTYPE},      {L"Arial", TRUETYPE_FONTTYPE},
        {L"Small Fonts", RASTER_FONTTYPE},
    };
    return installed;
}

}  // namespace

void setInstalledFonts(std::vector<InstalledFont> installed) { fonts() = std::move(installed); }
const std::vector<InstalledFont>& installedFonts() { return fonts(); }

}  // namespace platform::win32

int EnumFontFamiliesExW(HDC, const LOGFONTW* font, FONTENUMPROCW callback, LPARAM data, DWORD) {
    if (!callback) return 0;
    const std::wstring wanted = font ? std::wstring(font->lfFaceName) : std::wstring();
    int answer = 1;
    // A copy: the callback may change the list.
    const auto installed = platform::win32::installedFonts();
    for (const auto& each : installed) {
        if (!wanted.empty() && each.faceName != wanted) continue;
        LOGFONTW found;
        found.lfCharSet = DEFAULT_CHARSET;
        const std::size_t length = std::min<std::size_t>(each.faceName.size(), LF_FACESIZE - 1);
        std::copy_n(each.faceName.begin(), length, found.lfFaceName);
        found.lfFaceName[length] = L'\0';
        answer = callback(&found, nullptr, each.type, data);
        if (answer == 0) break;
    }
    return answer;
}
