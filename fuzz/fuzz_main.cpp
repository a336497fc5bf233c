// The fuzzing program's entry: libFuzzer calls one entry point, which hands each input to the
// target the program was started as.
#include <cstring>
#include <map>
#include <string>

#include "fuzz/fuzz_support.h"

namespace fuzz {
namespace {

std::map<std::string, Target>& targets() {
    static std::map<std::string, Target> all;
    return all;
}

Target chosen = nullptr;

// `fuzz_ini` (or `/path/to/fuzz_ini`) names the target `ini`.
std::string targetNamed(const char* program) {
    const char* slash = std::strrchr(program, '/');
    std::string name = slash ? slash + 1 : program;
    const std::string prefix = "fuzz_";
    return name.rfind(prefix, 0) == 0 ? name.substr(prefix.size()) : std::string{};
}

}  // namespace

Registration::Registration(const char* name, Target target) { targets().emplace(name, target); }

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const std::string name = *argc > 0 ? fuzz::targetNamed((*argv)[0]) : std::string{};
    const auto found = fuzz::targets().find(name);
    if (found == fuzz::targets().end()) {
        std::fprintf(stderr, "korvo_fuzz: start it as fuzz_<target> (a link to it); targets:");
        for (const auto& [known, target] : fuzz::targets()) std::fprintf(stderr, " %s", known.c_str());
        std::fprintf(stderr, "\n");
        std::exit(2);
    }
    fuzz::chosen = found->second;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { return fuzz::chosen(data, size); }
