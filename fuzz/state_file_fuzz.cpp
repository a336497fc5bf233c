// The main windows' state file applied to the running program: any bytes are applied to the
// frames (a frame made for each further window, up to a few) or refused with the file's name.
#include "app/kvw32_app.h"
#include "fuzz/program_support.h"

namespace {

constexpr std::wstring_view kStateFile =
    L"C:\\Users\\user\\AppData\\Local\\Velmora\\Korvo CAD 18.0\\Profiles\\Default\\MainFrame\\state.xml";

std::size_t windows(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t at = bytes.find("MainWindow"); at != std::string_view::npos; at = bytes.find("MainWindow", at + 1)) ++count;
    return count;
}

}  // namespace

FUZZ_TARGET(state_file) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    fuzz::Program& program = fuzz::Program::instance();
    // Each window beyond the open frames makes one, for good: inputs with many are passed over.
    if (windows(bytes) > 8 || !program.session().running()) return 0;
    program.session().files().write(kStateFile, bytes);
    CKvw32App::Instance()->LoadState(nullptr, true);
    program.run("idle");
    program.forget();
    return 0;
}
