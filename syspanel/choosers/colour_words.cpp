#include "syspanel/choosers/colour_words.h"

namespace {

UINT tableCount() {
    const CColorTable* table = GetColorTable();
    return table ? table->GetCount() : 0;
}

}  // namespace

bool IsColourIndex(std::int32_t word) { return static_cast<std::uint32_t>(word) < tableCount(); }

COLORREF ColourOfWord(std::int32_t word) {
    if (!IsColourIndex(word)) return (static_cast<std::uint32_t>(word) >> 8) & 0xFFFFFFu;
    return GetColorTable()->GetColor(static_cast<UINT>(word)).value_or(0);
}

std::int32_t TrueColourWord(COLORREF colour) { return static_cast<std::int32_t>((colour & 0xFFFFFFu) << 8); }

CString ColourWordText(std::int32_t word) {
    CString name;
    if (IsColourIndex(word) && GetColorTable()->GetColorName(static_cast<UINT>(word), name)) return name;
    const COLORREF colour = ColourOfWord(word);
    name.Format(L"R%d G%d B%d", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return name;
}
