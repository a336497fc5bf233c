// The kernel's texts for parameter edits: what reads as a number, the "default" text, number
// formats, font sizes and units.
#pragma once

#include <vector>

#include "platform/mfc.h"

class KVDocument;

// Whether the edit shows the kernel's "default" text for a default value (else the value).
extern bool g_fDefaultCtrlValue;

// Non-zero when the text is a number: optional sign, digits with one decimal point or comma,
// optional exponent, blanks around.
int IsNumericEx(LPCWSTR text);
// Whether the text is the kernel's "default" text.
bool IsDefaultEditString(LPCWSTR text);
// The "default" text when `isDefault`, else `text`.
CString GetDefaultEditString(bool isDefault, LPCWSTR text);
// The "default" text when `isDefault`, else the number.
CString GetDefaultEditString(bool isDefault, double number);

class CDockFormEdit {
public:
    // The number as an edit shows it (`format` 0: up to six significant digits).
    static void FloatFormat(double value, double format, CString& text, bool fixed, KVDocument* document);
};

// The standard font sizes.
class FontSizeManager {
public:
    // The next standard size above (below) `size`, `step` sizes on; the size itself past the end.
    static double GetIncreasedSize(double size, int step);
    static double GetReducedSize(double size, int step);
};

namespace kvtypes {
struct Unit {
    int id = 0;
};
class Units {
public:
    static Units& Instance();
    // The current length unit and its index in the unit table.
    const Unit& GetUnit() const { return current_; }
    int GetIndexFor(const Unit& unit) const { return unit.id; }

private:
    Unit current_;
};
}  // namespace kvtypes

// The kernel's message `id` formatted with one argument.
CString KVGetFormatMessage(UINT id, LPCWSTR argument);
