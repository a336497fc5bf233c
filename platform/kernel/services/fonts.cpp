#include "platform/kernel/services/fonts.h"

#include <cwctype>

#include "platform/compression.h"
#include "platform/kernel/profiles/settings.h"

CString g_csDefaultFontName = L"Korvo ISO";

namespace Korvo {

bool IsKorvoFont(const CString& faceName) { return faceName.view().substr(0, 5) == L"Korvo"; }

int CompareFontNames(const CString& a, const CString& b) {
    // The kernel's own fonts come first.
    if (IsKorvoFont(a) != IsKorvoFont(b)) return IsKorvoFont(a) ? -1 : 1;
    const std::wstring_view x = a.view(), y = b.view();
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        const wint_t cx = std::towlower(x[i]), cy = std::towlower(y[i]);
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y) < 0 ? -1 : (x == y ? 0 : 1);
}

}  // namespace Korvo

CString SHXFONT::FontPath() {
    CString folder = GetSettings().fontFolder;
    if (folder.IsEmpty()) folder = KVAppendProgramPath(L"Fonts\\");
    if (folder.Right(1) != L"\\") folder += L"\\";
    return folder;
}
