// Registry hive files: any text parses or is refused with a line; what parses is written out in
// a form that reads back to the same text. A text the quick load takes as the writer's own form
// is one the parser takes and writes back unchanged, and the keys it leaves unread write the same.
// A load that trusts a mark saying the text was checked before (what the store does for a hive
// file whose text passed) gives the same keys for such a text, and stays within any other text
// whose mark was forged.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/core/registry_store_detail.h"

namespace format = platform::core::registry_format;
using platform::core::Hive;
using platform::core::RegistryStore;

namespace {

// Reads every key and value below `root`, as the functions would on first use.
void readAll(RegistryStore::Key& root) {
    std::vector<RegistryStore::Key*> pending{&root};
    while (!pending.empty()) {
        RegistryStore::Key* key = pending.back();
        pending.pop_back();
        (void)key->values();
        for (auto& [name, child] : key->children()) pending.push_back(child.get());
    }
}

}  // namespace

FUZZ_TARGET(registry_file) {
    const std::string_view text = fuzz::bytesOf(data, size);
    const auto shared = std::make_shared<const std::string>(text);
    RegistryStore::Key lazy;
    const bool ownForm = format::loadOwnForm(Hive::CurrentUser, shared, lazy);
    RegistryStore::Key marked;
    const bool markedLoad = format::loadOwnForm(Hive::CurrentUser, shared, marked, format::OwnFormCheck::DoneBefore);
    if (ownForm) FUZZ_CHECK(markedLoad);
    if (markedLoad && !ownForm) readAll(marked);
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
        readAll(marked);
        FUZZ_CHECK(format::serialize(Hive::CurrentUser, marked) == written);
    }
    RegistryStore::Key again;
    FUZZ_CHECK(!format::parse(written, again));
    FUZZ_CHECK(format::serialize(Hive::CurrentUser, again) == written);
    fuzz::forget();
    return 0;
}
