// Command lines: any line splits into arguments and the framework's parse of it runs; quoted
// arguments split back unchanged.
#include "fuzz/fuzz_support.h"
#include "platform/core/command_line.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/framework_state.h"

FUZZ_TARGET(command_line) {
    const std::wstring line = fuzz::wideOf(data, size);
    const auto arguments = platform::core::splitCommandLine(line);
    CCommandLineInfo info;
    platform::mfc::detail::parseCommandLine(line, info);

    // The arguments (not the program name, which has rules of its own) survive quoting.
    std::wstring rebuilt = L"program.exe";
    for (std::size_t i = 1; i < arguments.size(); ++i) rebuilt += L" " + platform::core::quoteArgument(arguments[i]);
    const auto again = platform::core::splitCommandLine(rebuilt);
    FUZZ_CHECK(again.size() == std::max<std::size_t>(arguments.size(), 1));
    for (std::size_t i = 1; i < arguments.size(); ++i) FUZZ_CHECK(again[i] == arguments[i]);
    fuzz::forget();
    return 0;
}
