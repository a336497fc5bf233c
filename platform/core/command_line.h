// Windows command lines (private to the platform): split into arguments by the rules the C
// runtime and the framework follow, and an argument quoted so that it splits back unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::core {

// Element 0 is the program: quotes group it and backslashes are plain characters there. In the
// arguments, 2n backslashes before a quote are n backslashes and the quote toggles quoting; 2n+1
// are n backslashes and a literal quote; a doubled quote inside quotes is a literal quote.
std::vector<std::wstring> splitCommandLine(std::wstring_view commandLine);
// The argument as is when it has no blank, tab or quote; otherwise in quotes, escaped as above.
std::wstring quoteArgument(std::wstring_view argument);

}  // namespace platform::core
