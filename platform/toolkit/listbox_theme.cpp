#include "platform/toolkit/listbox_theme.h"

bool XTPGetListBoxThemeColors(int paintTheme, XTPListBoxThemeColors& colors) {
    switch (paintTheme) {
        case 12: colors = {RGB(255, 255, 255), RGB(68, 68, 68)}; return true;
        case 16: colors = {RGB(246, 246, 246), RGB(30, 30, 30)}; return true;
        default: return false;
    }
}
