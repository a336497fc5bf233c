#include "auxiliary/theme_names.h"

#include <string_view>

namespace {

struct ThemeNumber {
    std::wstring_view name;
    int number;
};

constexpr ThemeNumber kThemeNumbers[] = {
    {L"office2010black", 1}, {L"office2013light", 2}, {L"office2013dark", 3}, {L"office2016black", 3},
    {L"office2016dark", 3},  {L"office2016white", 2}, {L"msvs2015light", 4},  {L"msvs2015dark", 5},
};

}  // namespace

int ParseThemeName(const wchar_t* themeName) {
    if (!themeName) return 0;
    const std::wstring_view name(themeName);
    for (const ThemeNumber& row : kThemeNumbers)
        if (row.name == name) return row.number;
    return 0;
}

bool IsDarkThemeNumber(int themeNumber) { return themeNumber == 1 || themeNumber == 3 || themeNumber == 5; }
