// Console scripts: a script is a list of steps, or one error naming the script and its line.
#include "fuzz/fuzz_support.h"
#include "console/script.h"

FUZZ_TARGET(console_script) {
    const auto result = korvo::console::parseScript(fuzz::bytesOf(data, size), "fuzz.korvo");
    if (!result.ok()) {
        FUZZ_CHECK(result.error.starts_with("fuzz.korvo:"));
    }
    int line = 0;
    for (const auto& step : result.steps) {
        FUZZ_CHECK(step.line > line);
        line = step.line;
    }
    fuzz::forget();
    return 0;
}
