// The kernel's key codes for the hot keys of text browsers.
#include "auxiliary/text_browser_array.h"

namespace {

constexpr UINT kF1 = 112;

struct KeyRange {
    UINT first;
    UINT last;
    UINT virtualKey;  // of `first`; the range counts up from it
    bool control;
};

// The kernel's table: function keys, the edit keys, letters and digits.
constexpr KeyRange kKernelKeys[] = {
    {1001, 1010, kF1, false},      {1011, 1011, 45, false},       {1012, 1012, 46, false},
    {1013, 1013, 36, false},       {1014, 1014, 35, false},       {1015, 1015, 33, false},
    {1016, 1016, 34, false},       {1017, 1017, 38, false},       {1018, 1018, 40, false},
    {1019, 1019, 39, false},       {1020, 1020, 37, false},       {1021, 1021, 27, false},
    {1022, 1031, kF1, true},       {1032, 1041, kF1, false},      {1051, 1051, kF1 + 10, false},
    {1055, 1055, kF1 + 10, false}, {1052, 1052, kF1 + 11, false}, {1056, 1056, kF1 + 11, false},
    {1053, 1053, kF1 + 10, true},  {1054, 1054, kF1 + 11, true},  {3000, 3025, 'A', false},
    {3026, 3035, '0', false},      {4000, 4025, 'A', true},       {4026, 4035, '0', true},
};

}  // namespace

BrowserKey KernelKeyToBrowserKey(UINT kernelKey, bool controlDown) {
    for (const KeyRange& range : kKernelKeys) {
        if (kernelKey >= range.first && kernelKey <= range.last)
            return {range.virtualKey + (kernelKey - range.first), range.control};
    }
    return {kernelKey, controlDown};
}
