// The address of the update-check page: every query value percent-encoded as UTF-8, so a
// product name with a blank or a letter outside ASCII reaches the page as it is.
#pragma once

#include "platform/mfc.h"

namespace AppCommands {

// Letters, digits and "-._~" stay; every other byte of the UTF-8 text becomes "%XX".
CString PercentEncode(const CString& text);

struct UpdateCheckQuery {
    CString language;  // the locale's two-letter code
    CString product;   // the product's name
};

// "<site>/check_for_updates/index.php?major=18&minor=0&build=21&revision=0&lang=..&product=..&platform=x64".
CString UpdateCheckAddress(const CString& site, const UpdateCheckQuery& query);

}  // namespace AppCommands
