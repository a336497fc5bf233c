#include "app/startup/command_line_flags.h"

namespace app {

bool IsKernelCommandLineFlag(std::wstring_view flag) {
    return flag.starts_with(L'L') || flag.starts_with(L"ini:");
}

}  // namespace app
