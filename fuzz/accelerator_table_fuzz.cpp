// Accelerator tables ("<table><tab><keys><tab><command>" a line): anything parses; a bad line is
// a warning naming the file and its line.
#include "fuzz/fuzz_support.h"
#include "platform/kernel/accelerators.h"

FUZZ_TARGET(accelerator_table) {
    std::vector<std::wstring> warnings;
    platform::kernel::parseAcceleratorTables(fuzz::bytesOf(data, size), L"accelerators.tsv", &warnings);
    for (const auto& warning : warnings) FUZZ_CHECK(warning.find(L"accelerators.tsv") != std::wstring::npos);
    fuzz::forget();
    return 0;
}
