// The kernel's basic edit: the services its edits share.
#pragma once

#include "platform/mfc.h"

class CKVBasicEdit {
public:
    // Reads an angle written in degrees, minutes and seconds and gives it in decimal degrees.
    //
    // The notation: an optional sign, then one to three parts in the order degrees, minutes,
    // seconds, each a number followed by its mark: degrees "°" or "d", minutes "'" or "m",
    // seconds "\"" or "s" (letters in either case). Any part may be left out, but not all; only
    // the last part written may have a fraction (a "." or ","); minutes and seconds are below
    // 60. Blanks may stand around the parts. "30°15'" gives "30.25", "-10d30m" "-10.5",
    // "0°0'36\"" "0.01". The result is written with up to ten significant digits.
    //
    // False, leaving `result` alone, for any other text (a plain number included).
    static bool GetAngleInfo(const CString& text, CString& result);
};
