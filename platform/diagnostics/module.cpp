#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/diagnostics.h"
#include "platform/win32/process/module.h"

namespace Korvo {

namespace {

struct LoadedModule {
    HMODULE handle = nullptr;
    std::wstring file;
};

// Modules loaded through this class, in load order.
struct ModuleTable {
    std::mutex mutex;
    std::vector<LoadedModule> modules;
};

ModuleTable& moduleTable() { return platform::core::process().table<ModuleTable>(); }

void unload(const LoadedModule& module) {
    platform::core::recordCall(L"Korvo::Module::shutdownAndUnloadMfc(" + module.file + L")");
    FreeLibrary(module.handle);
}

}  // namespace

HMODULE Module::loadMfcAndInitialize(const wchar_t* file, int /*flags*/) {
    const std::wstring name = file ? file : L"";
    platform::core::recordCall(L"Korvo::Module::loadMfcAndInitialize(" + name + L")");
    HMODULE handle = LoadLibraryW(name.c_str());
    if (!handle) return nullptr;
    auto& table = moduleTable();
    std::lock_guard lock(table.mutex);
    table.modules.push_back({handle, name});
    return handle;
}

BOOL Module::shutdownAndUnloadMfc(HMODULE module) {
    LoadedModule found;
    {
        auto& table = moduleTable();
        std::lock_guard lock(table.mutex);
        // The latest load of this handle: LoadLibraryW counts references per load.
        const auto it = std::find_if(table.modules.rbegin(), table.modules.rend(),
                                     [module](const LoadedModule& m) { return m.handle == module; });
        if (it == table.modules.rend()) return FALSE;
        found = *it;
        table.modules.erase(std::next(it).base());
    }
    unload(found);
    return TRUE;
}

void Module::shutdownAll() {
    std::vector<LoadedModule> modules;
    {
        auto& table = moduleTable();
        std::lock_guard lock(table.mutex);
        modules.swap(table.modules);
    }
    platform::core::recordCall(L"Korvo::Module::shutdownAll()");
    for (auto it = modules.rbegin(); it != modules.rend(); ++it) unload(*it);
}

}  // namespace Korvo
