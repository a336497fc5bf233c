// Command-line flags that belong to the kernel rather than to the framework's parser.
#pragma once

#include <string_view>

namespace app {

// The kernel reads the language switch ("L...") and the product ini switch ("ini:<path>") from
// the command line itself; handing them to the framework would make it take them for a file.
// `flag` is the parameter without its leading '/' or '-'. Both tests are case-sensitive.
bool IsKernelCommandLineFlag(std::wstring_view flag);

}  // namespace app
