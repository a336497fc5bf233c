#include "syspanel/fonts/font_combo_list.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cstdlib>
#include <set>
#include <string>

#include "platform/korvoui.h"
#include "platform/kernel/services/fonts.h"
#include "platform/win32/files/file.h"
#include "platform/win32/resource_bitmaps.h"

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

bool hasExtension(const CString& name, const wchar_t* extension) {
    const int length = static_cast<int>(std::wcslen(extension));
    return name.GetLength() >= length && name.Right(length).CompareNoCase(extension) == 0;
}

// The files of `folder` matching "*.shx", then those matching "*.fnt", each kind in font-name
// order; the folder is listed once for both.
std::vector<CString> vectorFontFiles(const CString& folder) {
    std::vector<CString> shx, fnt;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(folder + L"*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const CString name(found.cFileName);
            if (hasExtension(name, L".shx")) shx.push_back(name);
            else if (hasExtension(name, L".fnt")) fnt.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    for (auto* names : {&shx, &fnt}) {
        std::sort(names->begin(), names->end(),
                  [](const CString& a, const CString& b) { return Korvo::CompareFontNames(a, b) < 0; });
    }
    for (CString& name : fnt) shx.push_back(std::move(name));
    return shx;
}

}  // namespace

// The list's window: the site it belongs to hands back the drawing and deletion notices of its
// items, which the list answers.
class CFontComboBoxList::ListWindow : public CWnd {
public:
    explicit ListWindow(CFontComboBoxList& list) : m_list(list) {}
    BOOL OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) override {
        if (message == WM_DRAWITEM) m_list.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        else if (message == WM_DELETEITEM) m_list.OnDeleteItem(static_cast<int>(reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->itemID));
        else return FALSE;
        if (pResult) *pResult = TRUE;
        return TRUE;
    }

private:
    CFontComboBoxList& m_list;
};

CFontComboBoxList::CFontComboBoxList() = default;
CFontComboBoxList::~CFontComboBoxList() {
    // Its items' last notices must not reach entries that are going.
    if (m_window && m_window->GetSafeHwnd()) {
        ::SendMessageW(m_window->GetSafeHwnd(), LB_RESETCONTENT, 0, 0);
        m_window->DestroyWindow();
    }
}

HWND CFontComboBoxList::GetListWindow() const { return m_window ? m_window->GetSafeHwnd() : nullptr; }

bool CFontComboBoxList::CreateListWindow(CWnd* site, const CXTPControlComboBox& combo) {
    if (GetListWindow()) return true;
    if (!site || !site->GetSafeHwnd()) return false;
    auto window = std::make_unique<ListWindow>(*this);
    if (!window->CreateEx(kListExStyle, L"LISTBOX", L"", kListStyle, 0, 0, 0, 0, site->GetSafeHwnd(), nullptr)) return false;
    // A pop-up the site owns, so that it can hang below the bar over anything.
    const HWND hwnd = window->GetSafeHwnd();
    ::SetParent(hwnd, nullptr);
    ::SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>((kListStyle & ~WS_CHILD) | WS_POPUP));
    ::SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(site->GetSafeHwnd()));
    m_window = std::move(window);
    for (int index = 0; index < combo.GetCount(); ++index)
        ::SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo.GetLBText(index).GetString()));
    if (combo.GetCount() > 0) ::SendMessageW(hwnd, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(m_itemHeight), 0));
    return true;
}

void CFontComboBoxList::OnDeleteItem(int index) {
    if (index >= 0 && index < GetEntryCount()) m_entries.erase(m_entries.begin() + index);
}

void CFontComboBoxList::DrawItem(const DRAWITEMSTRUCT& item) const {
    const Entry* entry = GetEntry(static_cast<int>(item.itemID));
    constexpr UINT kSelectionAction = 0x0002;  // the item's selection changed
    if (!entry || !(item.itemAction & (ODA_DRAWENTIRE | kSelectionAction))) return;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    CDC dc;
    dc.Attach(item.hDC);
    dc.FillSolidRect(&item.rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF previous = dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    RECT text = item.rcItem;
    if (const UINT bitmapId = BitmapOf(*entry)) {
        if (HBITMAP bitmap = ::LoadBitmapW(AfxGetResourceHandle(), bitmapId)) {
            BITMAP size{};
            ::GetObjectW(bitmap, sizeof size, &size);
            CDC memory;
            memory.CreateCompatibleDC(&dc);
            const HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), bitmap);
            const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.bmHeight) / 2;
            dc.BitBlt(item.rcItem.left, top, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
            ::SelectObject(memory.GetSafeHdc(), old);
            ::DeleteObject(bitmap);
            text.left += size.bmWidth;
        }
    } else {
        text.left += 20;
    }
    wchar_t name[LF_FACESIZE * 4] = {};
    const auto length = ::SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (length > 0 && length < static_cast<LRESULT>(std::size(name)))
        ::SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name));
    dc.DrawText(name, -1, &text, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    dc.SetTextColor(previous);
    dc.Detach();
}

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
    std::vector<CString> names = vectorFontFiles(folder);
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
    // The list window's deletion notice removes the entry; without a window it goes here.
    if (const HWND window = GetListWindow())
        ::SendMessageW(window, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    else if (index < GetEntryCount())
        m_entries.erase(m_entries.begin() + index);
    std::vector<CString> texts;
    for (int i = 0; i < combo.GetCount(); ++i)
        if (i != index) texts.push_back(combo.GetLBText(i));
    const int selection = combo.GetCurSel();
    combo.ResetContent();
    for (const CString& text : texts) combo.AddString(text);
    combo.SetCurSel(selection < index ? selection : (selection == index ? -1 : selection - 1));
}

void CFontComboBoxList::RenewDefaultEntry(CXTPControlComboBox& combo) {
    if (combo.GetCount() > 0 && GetEntryCount() > 0 && m_entries.front().kind == kDefaultEntry) deleteItem(combo, 0);
    const CString text = DefaultFontText();
    const int index = combo.InsertString(0, text);
    m_entries.insert(m_entries.begin() + std::clamp(index, 0, GetEntryCount()), Entry{kDefaultEntry, fontNamed(text)});
    if (const HWND window = GetListWindow())
        ::SendMessageW(window, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetString()));
}

void CFontComboBoxList::addFont(CXTPControlComboBox& combo, std::uint32_t kind, const LOGFONTW& font) {
    const int index = combo.AddString(font.lfFaceName);
    m_entries.insert(m_entries.begin() + std::clamp(index, 0, GetEntryCount()), Entry{kind, font});
    m_itemHeight = ItemHeightFor(m_listFont);
    if (const HWND window = GetListWindow()) {
        ::SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font.lfFaceName));
        ::SendMessageW(window, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<WORD>(m_itemHeight), 0));
    }
}

bool CFontComboBoxList::Refresh(CXTPControlComboBox& combo) {
    const CString folder = GetSettings().fontFolder;
    if (m_lastFolder && *m_lastFolder == folder) return false;
    m_lastFolder = folder;
    if (const HWND window = GetListWindow()) ::SendMessageW(window, LB_RESETCONTENT, 0, 0);
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
