// DDE command texts: anything parses into known commands with their argument counts, or is refused.
#include "fuzz/fuzz_support.h"
#include "platform/mfc/app/dde_commands.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
