// The theme numbers of the UI themes, as the start page's managed control and the application's
// dark-theme switch use them.
#pragma once

// The number of a UI theme name; names are compared whole and case-sensitively; 0 for any other.
int ParseThemeName(const wchar_t* themeName);

// Numbers 1, 3 and 5 are the dark themes.
bool IsDarkThemeNumber(int themeNumber);
