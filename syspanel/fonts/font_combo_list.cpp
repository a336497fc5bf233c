#include "syspanel/fonts/font_combo_list.h"

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/korvoui.h"
#include "platform/kernel/services/fonts.h"
#include "platform/win32/files/file.h"

namespace {

LOGFONTW fontNamed(const CString& name) {
    LOGFONTW font;
    const std::wstring_view text = name.view().substr(0, LF_FACESIZE - 1);
    std::copy(text.begin(), text.end(), font.lfFaceName);
    font.lfFaceName[text.size()] = L'\0';
    return font;
}

CString faceOf(const LOGFONTW& font) { return CString(font.lfFaceName); }

struct Enumeration {
    std::set<std::wstring> otherTypes;  // names seen with a type other than exactly 2 or 4
    std::vector<LOGFONTW> fonts;
};

bool offeredType(DWORD type) { return type == DEVICE_FONTTYPE || type == TRUETYPE_FONTTYPE; }

int collectOtherTypes(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    if (!offeredType(type)) reinterpret_cast<Enumeration*>(data)->otherTypes.insert(font->lfFaceName);
    return 1;
}

int collectOffered(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    auto* enumeration = reinterpret_cast<Enumeration*>(data);
    if (offeredType(type) && !enumeration->otherTypes.count(font->lfFaceName)) enumeration->fonts.push_back(*font);
    return 1;
}

std::vector<CString> filesMatching(const CString& folder, const wchar_t* pattern) {
    std::vector<CString> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(folder + pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(),
              [](const CString& a, const CString& b) { return Korvo::CompareFontNames(a, b) < 0; });
    return names;
}

}  // namespace

std::vector<LOGFONTW> CFontComboBoxList::EnumerateSystemFonts() {
    Enumeration enumeration;
    LOGFONTW all;
    all.lfCharSet = DEFAULT_CHARSET;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &all, &collectOtherTypes, reinterpret_cast<LPARAM>(&enumeration), 0);
    EnumFontFamiliesExW(screen, &all, &collectOffered, reinterpret_cast<LPARAM>(&enumeration), 0);
    ReleaseDC(nullptr, screen);
    auto& fonts = enumeration.fonts;
    std::stable_sort(fonts.begin(), fonts.end(), [](const LOGFONTW& a, const LOGFONTW& b) {
        return Korvo::CompareFontNames(faceOf(a), faceOf(b)) < 0;
    });
    fonts.erase(std::unique(fonts.begin(), fonts.end(),
                            [](const LOGFONTW& a, const LOGFONTW& b) {
                                return std::memcmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
                            }),
                fonts.end());
    return fonts;
}

std::vector<CString> CFontComboBoxList::EnumerateVectorFonts() {
    const CString folder = SHXFONT::FontPath();
    std::vector<CString> names = filesMatching(folder, L"*.shx");
    for (CString& name : filesMatching(folder, L"*.fnt")) names.push_back(std::move(name));
    for (CString& name : names)
        if (name.GetLength() > LF_FACESIZE - 1) name = name.Left(LF_FACESIZE - 1);
    return names;
}

int CFontComboBoxList::ItemHeightFor(const std::optional<LOGFONTW>& listFont) {
    // The LOGFONT height is usually negative (a character height): its magnitude counts.
    const long height = listFont ? std::labs(5L * listFont->lfHeight) : 0;
    if (height > 0) return static_cast<int>(std::min(height, 255L));
    return XTPDpiHelper()->ScaleY(20);
}

CString CFontComboBoxList::DefaultFontText() {
    if (g_fDefaultCtrlValue) return GetDefaultEditString(g_fDefaultCtrlValue, g_csDefaultFontName);
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CKvw32Doc* document = frame ? frame->GetActiveKorvoDocument() : nullptr;
    KVDocument* container = document ? document->Cont2D() : nullptr;
    const STATUS* page = container ? container->GetPageStatus(0) : nullptr;
    return GetDefaultEditString(false, page ? page->GetProperties().fontName : g_csDefaultFontName);
}

UINT CFontComboBoxList::BitmapOf(const Entry& entry) {
    if (entry.kind == kDefaultEntry) return 0;
    return entry.kind == kSystemFont ? kSystemFontBitmap : kVectorFontBitmap;
}

const CFontComboBoxList::Entry* CFontComboBoxList::GetEntry(int index) const {
    return index >= 0 && index < GetEntryCount() ? &m_entries[static_cast<std::size_t>(index)] : nullptr;
}

void CFontComboBoxList::deleteItem(CXTPControlComboBox& combo, int index) {
    if (index < 0 || index >= combo.GetCount()) return;
    std::vector<CString> texts;
    for (int i = 0; i < combo.GetCount(); ++i)
        if (i != index) texts.push_back(combo.GetLBText(i));
    const int selection = combo.GetCurSel();
    combo.ResetContent();
    for (const CString& text : texts) combo.AddString(text);
    combo.SetCurSel(selection < index ? selection : (selection == index ? -1 : selection - 1));
    // The entries stay parallel to the items.
    if (index < GetEntryCount()) m_entries.erase(m_entries.begin() + index);
}

void CFontComboBoxList::RenewDefaultEntry(CXTPControlComboBox& combo) {
    if (combo.GetCount() > 0 && GetEntryCount() > 0 && m_entries.front().kind == kDefaultEntry) deleteItem(combo, 0);
    const CString text = DefaultFontText();
    const int index = combo.InsertString(0, text);
    m_entries.insert(m_entries.begin() + std::clamp(index, 0, GetEntryCount()), Entry{kDefaultEntry, fontNamed(text)});
}

void CFontComboBoxList::addFont(CXTPControlComboBox& combo, std::uint32_t kind, const LOGFONTW& font) {
    const int index = combo.AddString(font.lfFaceName);
    m_entries.insert(m_entries.begin() + std::clamp(index, 0, GetEntryCount()), Entry{kind, font});
    m_itemHeight = ItemHeightFor(m_listFont);
}

bool CFontComboBoxList::Refresh(CXTPControlComboBox& combo) {
    const CString folder = GetSettings().fontFolder;
    if (m_lastFolder && *m_lastFolder == folder) return false;
    m_lastFolder = folder;
    m_entries.clear();
    combo.ResetContent();
    RenewDefaultEntry(combo);
    const std::vector<LOGFONTW> system = EnumerateSystemFonts();
    std::size_t next = 0;
    while (next < system.size() && Korvo::IsKorvoFont(faceOf(system[next]))) addFont(combo, kSystemFont, system[next++]);
    for (const CString& name : EnumerateVectorFonts()) addFont(combo, kVectorFont, fontNamed(name));
    for (; next < system.size(); ++next) addFont(combo, kSystemFont, system[next]);
    return true;
}
