// Windows paths mapped onto a host folder: normalising is idempotent, and whatever a path
// names, it lands inside the host folder even where links inside it point out.
#include <stdlib.h>

#include <filesystem>

#include "fuzz/fuzz_support.h"
#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/winpath.h"

namespace {

namespace fs = std::filesystem;
namespace winpath = platform::core::winpath;

// "<temporary>/host" with drive C:, a "UNC" folder and links leading out to "<temporary>/outside".
struct HostFolder {
    fs::path base;
    fs::path host;
    fs::path realHost;

    HostFolder() {
        std::string pattern = (fs::temp_directory_path() / "korvo-fuzz-paths-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        base = pattern;
        host = base / "host";
        fs::create_directories(host / "C/Docs/Sub");
        fs::create_directories(host / "UNC/server/share");
        fs::create_directories(base / "outside/folder");
        fs::create_symlink(base / "outside", host / "C/Out");
        fs::create_symlink(base / "outside/folder", host / "C/Docs/Folder");
        fs::create_symlink(base / "outside/missing", host / "C/Docs/dangling");
        fs::create_symlink("../../../../outside", host / "C/Docs/Sub/up");
        fs::create_symlink(host / "C/Docs", host / "C/Docs/Sub/docs");  // stays inside
        platform::core::config().hostRoot = host.string();
        realHost = fs::canonical(host);
    }
    ~HostFolder() {
        std::error_code ignored;
        fs::remove_all(base, ignored);
    }
};

bool within(const fs::path& path, const fs::path& folder) {
    const auto relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

FUZZ_TARGET(path_mapping) {
    static HostFolder folder;
    const std::wstring path = fuzz::wideOf(data, size);

    if (const auto once = winpath::normalize(path)) FUZZ_CHECK(winpath::normalize(*once) == once);
    if (const auto full = winpath::combine(L"C:\\Docs\\Sub", path)) FUZZ_CHECK(winpath::normalize(*full) == full);

    const auto location = platform::core::hostFs().resolve(path);
    if (location.error == 0) {
        FUZZ_CHECK(within(location.hostPath.lexically_normal(), folder.host));
        std::error_code error;
        const fs::path real = fs::weakly_canonical(location.hostPath, error);
        FUZZ_CHECK(error || within(real, folder.realHost));
        FUZZ_CHECK(winpath::normalize(location.windowsPath) == location.windowsPath);
    } else {
        FUZZ_CHECK(!location.exists);
    }
    fuzz::forget();
    return 0;
}
