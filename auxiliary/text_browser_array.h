// External text browsers: optional modules listed in "TextBrowsers.ini" that offer dictionaries
// and text catalogues to the kernel. A module is loaded only when it is first needed.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"

struct CTextBrowser {
    CString dll;  // module file as written in the ini file; also the browser's name
    CString text;  // menu text
    HMODULE module = nullptr;
    bool modal = false;
    UINT key = 0;  // virtual-key code of the hot key
    bool control = false;
    bool shift = false;
    bool alt = false;
    bool loadFailed = false;
    bool standard = false;  // the default browser
    bool pdm = false;       // needs the PDM work mix connected
};

// Modifier keys of a browser's hot key, as the kernel reports the keys held.
inline constexpr UINT kBrowserKeyAlt = 0x1;
inline constexpr UINT kBrowserKeyControl = 0x2;
inline constexpr UINT kBrowserKeyShift = 0x4;

class CTextBowserArray {
public:
    CTextBowserArray() = default;
    // Unloads every browser module that was loaded.
    ~CTextBowserArray();
    CTextBowserArray(const CTextBowserArray&) = delete;
    CTextBowserArray& operator=(const CTextBowserArray&) = delete;

    // Reads "TextBrowsers.ini" of the program folder: one browser per section that names a
    // module and a hot key; a missing file gives no browsers.
    void Load();
    // Lets every loaded browser module save its settings.
    void WriteProfile();

    // Runs a browser: for an empty text the one at `index` (negative: the default one),
    // otherwise the one whose module is `text` (case-insensitive). Its module is loaded on first
    // use. The browser's result, or -1 when there is no such browser or it cannot run.
    int Browse(int index, LPCWSTR text, bool edit);
    // The index of the browser bound to the key with exactly these modifiers, or -1.
    int FindByKey(UINT key, UINT modifiers) const;
    // "<text>\t<hot key>" per browser ("Ctrl+", "Shift+", "Alt+" and the key); PDM browsers only
    // while the PDM work mix is connected.
    void GetMenuTexts(CStringArray& texts, bool pdmConnected) const;
    // Passes the edit state to every loaded browser.
    void SetEdit(bool edit);
    // Lets every browser add its items to a settings profile, loading its module first.
    void InitializeProfileItems();

    int GetSize() const { return static_cast<int>(browsers_.size()); }
    const CTextBrowser& GetAt(int index) const { return *browsers_[static_cast<std::size_t>(index)]; }
    int GetDefaultIndex() const { return defaultIndex_; }

private:
    // The module entries a browser may export.
    using BrowseEntry = int (*)(LPCWSTR text, BOOL edit);
    using SetEditEntry = void (*)(BOOL edit);

    // Loads the browser's module once; a module that failed to load is not tried again.
    static bool EnsureLoaded(CTextBrowser& browser);

    std::vector<std::unique_ptr<CTextBrowser>> browsers_;
    int defaultIndex_ = 0;
};
