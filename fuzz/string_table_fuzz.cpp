// String tables ("<id><tab><text>" a line): anything parses; a bad line is a warning naming the
// table and its line.
#include "fuzz/fuzz_support.h"
#include "platform/kernel/ui/control.h"

FUZZ_TARGET(string_table) {
    std::vector<std::wstring> warnings;
    platform::kernel::parseStringTable(fuzz::bytesOf(data, size), L"strings.tsv", &warnings);
    for (const auto& warning : warnings) FUZZ_CHECK(warning.find(L"strings.tsv") != std::wstring::npos);
    fuzz::forget();
    return 0;
}
