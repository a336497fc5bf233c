// The framework's DDE command language (private to the framework stand-in; the fuzz targets
// parse with it too).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/app/app.h"

namespace platform::mfc::detail {

// One command of a DDE text ("[open(\"path\")]"): the shell command and its quoted arguments.
struct DdeCommand {
    CCommandLineInfo::ShellCommand kind = CCommandLineInfo::FileNothing;
    std::vector<std::wstring> arguments;
};

// The whole text as commands; nothing when any part is not a command the framework knows.
std::optional<std::vector<DdeCommand>> parseDdeCommands(std::wstring_view text);

}  // namespace platform::mfc::detail
