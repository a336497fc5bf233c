// External text browsers: optional modules listed in "TextBrowsers.ini" that offer dictionaries
// and text catalogues to the kernel. A module is loaded only when it is first needed, and a
// module that failed to load is never tried again.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc.h"

struct CTextBrowser {
    CString dll;   // module file as written in the ini file; also the browser's name
    CString text;  // menu text
    HMODULE module = nullptr;
    bool modal = false;  // stored only
    UINT key = 0;        // virtual-key code of the hot key, never 0
    bool control = false;
    bool shift = false;
    bool alt = false;  // shown in the menu, not compared
    bool loadFailed = false;
    bool standard = false;  // the default browser
    bool pdm = false;       // needs the PDM work mix connected

    // Loads the module once; `silent` keeps a failure from being reported to the user. False
    // once a load has failed.
    bool Load(bool silent);
    // Runs the module's "Browse" with `argument`, then hands it the metafile callback. True when
    // "Browse" returned normally.
    bool Browse(void* argument);
};

// A kernel key code as the virtual key and Control state a hot key compares with; a code
// outside the kernel's table is the key itself with the Control key's state now.
struct BrowserKey {
    UINT virtualKey = 0;
    bool control = false;
};
BrowserKey KernelKeyToBrowserKey(UINT kernelKey, bool controlDown);

class CTextBowserArray {
public:
    CTextBowserArray() = default;
    // Unloads every browser module that was loaded.
    ~CTextBowserArray();
    CTextBowserArray(const CTextBowserArray&) = delete;
    CTextBowserArray& operator=(const CTextBowserArray&) = delete;

    // Reads "TextBrowsers.ini" of the program folder: one browser per section that names a
    // module and a hot key; the last "Standard" one is the default. A missing file gives none.
    void Load();
    // Runs a browser: a non-empty text picks the first whose module is that text (in any case);
    // an empty (or null) text the one at `index`, or the default one for a negative index. The
    // PDM work mix is connected first for a browser that needs it. False when no browser is
    // picked or it could not run.
    bool Browse(int index, void* argument, LPCWSTR text);
    // The first browser whose hot key is the kernel key code with Shift as it is now, or -1.
    int FindByKey(UINT kernelKey) const;
    bool Matches(int index, UINT kernelKey) const;
    // "<text>\t<Ctrl+><Shift+><Alt+><key>" per browser; PDM browsers only while the PDM work mix
    // is connected.
    void GetMenuTexts(CStringArray& texts) const;
    // Loads every module silently and lets it add its settings-profile items.
    void InitializeProfileItems();
    // Lets every loaded module save its settings.
    void WriteProfile();
    // Hands the kernel's edit control to every loaded module.
    void SetEdit(void* edit);

    int GetSize() const { return static_cast<int>(browsers_.size()); }
    const CTextBrowser& GetAt(int index) const { return *browsers_[static_cast<std::size_t>(index)]; }
    int GetDefaultIndex() const { return defaultIndex_; }

private:
    std::vector<std::unique_ptr<CTextBrowser>> browsers_;
    int defaultIndex_ = 0;
};
