// The theme-name table from its first row to its last, and which theme numbers are dark.
#include <gtest/gtest.h>

#include <string>

#include "auxiliary/theme_names.h"
#include "tests/support/table_check.h"

namespace {

TEST(ThemeNumbers, EveryNameOfTheTableHasItsNumberAndEachNumberItsShade) {
    tablecheck::ExpectRows<std::wstring, int>(
        "theme numbers",
        {{L"office2010black", 1}, {L"office2013light", 2}, {L"office2013dark", 3}, {L"office2016black", 3},
         {L"office2016dark", 3}, {L"office2016white", 2}, {L"msvs2015light", 4}, {L"msvs2015dark", 5},
         {L"msvs2015", 0}, {L"office2010", 0}},
        [](const std::wstring& name) { return ParseThemeName(name.c_str()); });
    tablecheck::ExpectRows<int, bool>("dark theme numbers",
                                      {{0, false}, {1, true}, {2, false}, {3, true}, {4, false}, {5, true}, {6, false}},
                                      [](int number) { return IsDarkThemeNumber(number); });
}

}  // namespace
