// Registry hive files: any text parses or is refused with a line; what parses is written out in
// a form that reads back to the same text.
#include "fuzz/fuzz_support.h"
#include "platform/core/registry_store_detail.h"

namespace format = platform::core::registry_format;
using platform::core::Hive;
using platform::core::RegistryStore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RegistryStore::Key root;
    if (const auto error = format::parse(fuzz::bytesOf(data, size), root); error) {
        FUZZ_CHECK(error->line >= 0);
        fuzz::forget();
        return 0;
    }
    const std::string written = format::serialize(Hive::CurrentUser, root);
    RegistryStore::Key again;
    FUZZ_CHECK(!format::parse(written, again));
    FUZZ_CHECK(format::serialize(Hive::CurrentUser, again) == written);
    fuzz::forget();
    return 0;
}
