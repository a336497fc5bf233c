// Module manifests: a manifest, or an error with its line; versions parse or are refused.
#include "fuzz/fuzz_support.h"
#include "platform/win32/process/module_manifest.h"

FUZZ_TARGET(module_manifest) {
    const auto parsed = platform::modules::parseManifest(fuzz::bytesOf(data, size));
    if (!parsed.error.empty()) FUZZ_CHECK(parsed.line > 0);
    platform::modules::parseVersion(fuzz::wideOf(data, size));
    fuzz::forget();
    return 0;
}
