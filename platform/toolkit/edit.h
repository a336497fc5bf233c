// The toolkit's themed edit control and its font holder.
#pragma once

#include "platform/mfc.h"
#include "platform/win32/fonts.h"

// A built-in edit control ("EDIT") that follows the toolkit's themes.
class CXTPEdit : public CWnd {
public:
    using CWnd::Create;  // the edit's own Create below does not hide the framework's
    // Creates the edit as child `id` of `parent` over `rect` with `style`.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The UI theme the edit draws with (journalled).
    void SetTheme(int themeId);
    int GetTheme() const { return themeId_; }

private:
    int themeId_ = -1;
};

// Holds a font: one it made is deleted with it, a stock font it was given is not.
class CXTPFont {
public:
    CXTPFont() = default;
    ~CXTPFont();
    CXTPFont(const CXTPFont&) = delete;
    CXTPFont& operator=(const CXTPFont&) = delete;

    BOOL CreateFontIndirect(const LOGFONTW* font);
    void SetStockFont(HGDIOBJ stock);
    operator HFONT() const { return font_; }

private:
    void Release();
    HFONT font_ = nullptr;
    bool owned_ = false;
};
