// Shared by the fuzz targets: the input as text, and a platform that forgets what each input
// left in its journal (a long fuzzing run would otherwise grow it without end).
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/journal.h"
#include "platform/core/text.h"

namespace fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input read as UTF-8 (the platform's own reading of narrow text).
inline std::wstring wideOf(const std::uint8_t* data, std::size_t size) {
    return platform::core::fromUtf8(bytesOf(data, size));
}

// Drops the warnings and failures an input left behind.
inline void forget() {
    platform::core::takeFailures();
    platform::core::journal().clear();
}

// Every parser's target is one entry of a single fuzzing program, chosen by the name the program
// is started under (`fuzz_<name>`, a link to it): one program instead of one per parser keeps the
// sanitized tree a fraction of the size, each copy having carried the whole platform.
using Target = int (*)(const std::uint8_t* data, std::size_t size);
struct Registration {
    Registration(const char* name, Target target);
};

#define FUZZ_TARGET(name)                                                                  \
    static int fuzzTarget_##name(const std::uint8_t* data, std::size_t size);              \
    static const ::fuzz::Registration fuzzRegistration_##name{#name, &fuzzTarget_##name};  \
    static int fuzzTarget_##name(const std::uint8_t* data, std::size_t size)

// A property every input must keep; a broken one is reported as a crash with the input.
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                              \
        }                                                                              \
    } while (false)

}  // namespace fuzz
