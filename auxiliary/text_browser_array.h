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

    int GetSize() const { return static_cast<int>(browsers_.size()); }
    const CTextBrowser& GetAt(int index) const { return *browsers_[static_cast<std::size_t>(index)]; }
    int GetDefaultIndex() const { return defaultIndex_; }

private:
    std::vector<std::unique_ptr<CTextBrowser>> browsers_;
    int defaultIndex_ = 0;
};
