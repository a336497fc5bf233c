// The list of the font combo box: one entry per item, in parallel with the combo's items. Item 0
// is the default entry (the font new texts get); then the kernel's own fonts among the system's,
// the vector fonts of the kernel's font folder ("*.shx", then "*.fnt") and the other system fonts.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/toolkit.h"
#include "platform/win32/fonts.h"

class CFontComboBoxList {
public:
    // Entry kinds: a system font (TrueType or device), a vector font file, the default entry.
    static constexpr std::uint32_t kSystemFont = 4;
    static constexpr std::uint32_t kVectorFont = 8;
    static constexpr std::uint32_t kDefaultEntry = 16;
    // The bitmaps drawn before an entry's name: system fonts, vector fonts.
    static constexpr UINT kSystemFontBitmap = 11548;
    static constexpr UINT kVectorFontBitmap = 4101;

    struct Entry {
        std::uint32_t kind = 0;
        LOGFONTW font;
    };

    // The list's window style: a notifying, owner-drawn list of strings with a border and a
    // vertical scroll bar, made as a child and then turned into a pop-up.
    static constexpr DWORD kListExStyle = 0x20080;
    static constexpr DWORD kListStyle = 0x42A00051;

    CFontComboBoxList();
    ~CFontComboBoxList();

    // Makes the list's window (once): a "LISTBOX" child of `site` turned into a pop-up that
    // `site` owns, holding `combo`'s items. False when it cannot be made.
    bool CreateListWindow(CWnd* site, const CXTPControlComboBox& combo);
    HWND GetListWindow() const;
    // One item of the list window as it draws it (owner drawing).
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    // The list window let go of item `index`: its entry goes, so the entries stay parallel.
    void OnDeleteItem(int index);

    // Fills `combo` again, unless the settings' font folder is the one it was filled for.
    // True when it refilled.
    bool Refresh(CXTPControlComboBox& combo);
    // Item 0 becomes the default entry, with the default font text.
    void RenewDefaultEntry(CXTPControlComboBox& combo);
    // The entry of an item, or null.
    const Entry* GetEntry(int index) const;
    int GetEntryCount() const { return static_cast<int>(m_entries.size()); }
    // The items' height: five times the magnitude of the list font's height, at most 255 (the
    // list box's limit); 20 pixels at 96 dpi when the list has no font.
    int GetItemHeight() const { return m_itemHeight; }
    void SetListFont(std::optional<LOGFONTW> font) { m_listFont = font; }
    static int ItemHeightFor(const std::optional<LOGFONTW>& listFont);
    // The default font text as the default entry shows it.
    static CString DefaultFontText();
    // The bitmap an item shows (0: none, the default entry is indented instead).
    static UINT BitmapOf(const Entry& entry);

    // The system fonts the list offers: types exactly 2 or 4 whose names appear with no other
    // type, sorted by the kernel's font-name order, one per face name.
    static std::vector<LOGFONTW> EnumerateSystemFonts();
    // The vector font files of the kernel's folder: "*.shx", then "*.fnt", each sorted; names
    // cut to 31 characters.
    static std::vector<CString> EnumerateVectorFonts();

private:
    class ListWindow;

    void addFont(CXTPControlComboBox& combo, std::uint32_t kind, const LOGFONTW& font);
    void deleteItem(CXTPControlComboBox& combo, int index);

    std::vector<Entry> m_entries;
    std::optional<CString> m_lastFolder;
    std::optional<LOGFONTW> m_listFont;
    int m_itemHeight = 0;
    std::unique_ptr<ListWindow> m_window;
};
