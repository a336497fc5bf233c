#include "platform/toolkit/edit.h"

#include "platform/core/record.h"

BOOL CXTPEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, L"EDIT", L"", style, rect, parent, id);
}

void CXTPEdit::SetTheme(int themeId) {
    platform::core::recordCall(L"CXTPEdit::SetTheme(" + std::to_wstring(themeId) + L")");
    themeId_ = themeId;
}

CXTPFont::~CXTPFont() { Release(); }

BOOL CXTPFont::CreateFontIndirect(const LOGFONTW* font) {
    Release();
    font_ = ::CreateFontIndirectW(font);
    owned_ = font_ != nullptr;
    return font_ ? TRUE : FALSE;
}

void CXTPFont::SetStockFont(HGDIOBJ stock) {
    Release();
    font_ = static_cast<HFONT>(stock);
}

void CXTPFont::Release() {
    if (owned_ && font_) ::DeleteObject(font_);
    font_ = nullptr;
    owned_ = false;
}
