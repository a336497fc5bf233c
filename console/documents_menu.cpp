// The console's verbs over the kernel's documents-menu model: open configurations, add library
// folders, and print the configurations tree as the documents menu shows it (the program hands
// the console the shell's outline of the tree).
#include <memory>
#include <vector>

#include "console/driver.h"
#include "platform/kernel.h"

namespace korvo::console {

namespace {

using namespace DocumentsMenu;

// The absolute form of a path as typed (relative ones against the program's current folder).
std::wstring fullPath(const std::wstring& typed) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetFullPathNameW(typed.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    return length == 0 || length >= buffer.size() ? std::wstring() : std::wstring(buffer.data(), length);
}

std::wstring lastComponent(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring baseName(const std::wstring& path) {
    const std::wstring name = lastComponent(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

// An existing file is read; a missing one becomes a new configuration written there.
IConfiguration* openConfiguration(platform::harness::Session& session, const std::wstring& path) {
    if (IConfiguration* open = FindConfigurationByPath(path.c_str())) return open;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return session.kernel().documentsMenu().addConfiguration(path, baseName(path));
    }
    IConfiguration* configuration = CreateConfiguration(baseName(path).c_str(), false);
    if (configuration && configuration->Load(path.c_str()) && GlobalCfgGroup()->AddConfiguration(configuration)) {
        return configuration;
    }
    if (configuration) configuration->Destroy();
    return nullptr;
}

}  // namespace

bool Driver::addConfiguration(const Step& step) {
    const std::wstring path = fullPath(step.arguments.text);
    if (path.empty() || !openConfiguration(session_, path)) {
        transcript_.print(L"documents-menu: cannot open the configuration \"" + step.arguments.text + L"\"");
    }
    return true;
}

bool Driver::addLibrary(const Step& step) {
    IConfigurationsGroup* global = GlobalCfgGroup();
    IConfiguration* last = global->GetCount() > 0 ? global->GetConfigurationAt(global->GetCount() - 1) : nullptr;
    if (!last) {
        transcript_.print(L"documents-menu: no configuration is open to add the library to");
        return true;
    }
    const std::wstring& folder = step.arguments.text;
    const std::wstring name = lastComponent(folder);
    if (name.empty() || !session_.kernel().documentsMenu().addLibrary(last, name, folder)) {
        transcript_.print(L"documents-menu: cannot add the library \"" + folder + L"\"");
        return true;
    }
    // Written at once, so a later run over the same host folder opens it with its libraries.
    if (!last->Save(false))
        transcript_.print(L"documents-menu: cannot save \"" + std::wstring(last->GetPath().view()) + L"\"");
    return true;
}

namespace {

DocumentsMenuHooks g_hooks;

constexpr const wchar_t* kMissing = L"the documents menu is not part of this program";

}  // namespace

void setDocumentsMenuHooks(const DocumentsMenuHooks& hooks) { g_hooks = hooks; }

void closeDocumentsMenu() {
    if (g_hooks.close) g_hooks.close();
}

bool Driver::dumpDocumentsMenu(const Step&) {
    if (!g_hooks.outline) {
        transcript_.print(std::wstring(L"dump documents-menu: ") + kMissing);
        return true;
    }
    printDump(g_hooks.outline(), L"(no configurations)");
    return true;
}

bool Driver::documentsMenuDid(const std::wstring& refusal) {
    if (!refusal.empty()) transcript_.print(L"documents-menu: " + refusal);
    if (session_.running()) session_.runUntilIdle();
    return true;
}

bool Driver::expandDocumentsMenuRow(const Step& step) {
    if (!g_hooks.expand) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.expand(step.arguments.text));
}

bool Driver::enterDocumentsMenuRow(const Step& step) {
    if (!g_hooks.enter) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.enter(step.arguments.text));
}

bool Driver::renameDocumentsMenuRow(const Step& step) {
    if (!g_hooks.rename) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.rename(step.arguments.text, step.arguments.name));
}

}  // namespace korvo::console
