#include "platform/win32/files/storage.h"

#include <mutex>
#include <set>
#include <string>

#include "platform/core/text.h"

namespace platform::storage {

namespace {

struct ReadFaults {
    std::mutex mutex;
    std::set<std::wstring, platform::core::NoCaseLess> paths;
};

ReadFaults& readFaults() {
    static ReadFaults faults;
    return faults;
}

}  // namespace

void failRead(std::wstring_view windowsPath) {
    ReadFaults& faults = readFaults();
    std::lock_guard lock(faults.mutex);
    faults.paths.insert(std::wstring(windowsPath));
}

bool readFails(std::wstring_view windowsPath) {
    ReadFaults& faults = readFaults();
    std::lock_guard lock(faults.mutex);
    return faults.paths.contains(std::wstring(windowsPath));
}

}  // namespace platform::storage
