// Registry hive files: any text parses or is refused with a line; what parses is written out in
// a form that reads back to the same text. A text the quick load takes as the writer's own form
// is one the parser takes and writes back unchanged, and the keys it leaves unread write the same.
#include "fuzz/fuzz_support.h"
#include "platform/core/registry_store_detail.h"

namespace format = platform::core::registry_format;
using platform::core::Hive;
using platform::core::RegistryStore;

FUZZ_TARGET(registry_file) {
    const std::string_view text = fuzz::bytesOf(data, size);
    RegistryStore::Key lazy;
    const bool ownForm = format::loadOwnForm(Hive::CurrentUser, std::make_shared<const std::string>(text), lazy);
    RegistryStore::Key root;
    if (const auto error = format::parse(text, root); error) {
        FUZZ_CHECK(error->line >= 0);
        FUZZ_CHECK(!ownForm);
        fuzz::forget();
        return 0;
    }
    const std::string written = format::serialize(Hive::CurrentUser, root);
    if (ownForm) {
        FUZZ_CHECK(written == text);
        FUZZ_CHECK(format::serialize(Hive::CurrentUser, lazy) == written);
    }
    RegistryStore::Key again;
    FUZZ_CHECK(!format::parse(written, again));
    FUZZ_CHECK(format::serialize(Hive::CurrentUser, again) == written);
    fuzz::forget();
    return 0;
}
