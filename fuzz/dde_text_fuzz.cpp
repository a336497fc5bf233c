// DDE command texts: anything parses into known commands with their argument counts, or is refused.
#include "fuzz/fuzz_support.h"
#include "platform/mfc/app/dde_commands.h"

FUZZ_TARGET(dde_text) {
    const auto commands = platform::mfc::detail::parseDdeCommands(fuzz::wideOf(data, size));
    if (commands) {
        FUZZ_CHECK(!commands->empty());
        for (const auto& command : *commands) {
            FUZZ_CHECK(command.arguments.size() == (command.kind == CCommandLineInfo::FilePrintTo ? 4u : 1u));
        }
    }
    fuzz::forget();
    return 0;
}
