// The colours the toolkit's list boxes take under its Office 2013 and Visual Studio 2015 paint
// themes, for windows that draw lists in the toolkit's manner.
#pragma once

#include "platform/mfc.h"

struct XTPListBoxThemeColors {
    COLORREF background;
    COLORREF text;
};

// The list-box colours of paint theme 12 (Office 2013) or 16 (Visual Studio 2015); false, leaving
// `colors` alone, for any other theme.
bool XTPGetListBoxThemeColors(int paintTheme, XTPListBoxThemeColors& colors);
