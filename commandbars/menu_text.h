// Captions as the user reads them: "&File" is shown "File", "&&" as a plain "&".
#pragma once

#include <string>

#include "platform/mfc.h"

inline CString withoutMnemonics(const CString& text) {
    std::wstring out;
    const std::wstring all(text);
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i] == L'&' && i + 1 < all.size()) ++i;
        out += all[i];
    }
    return CString(out.c_str());
}
