// The kernel's macro manager and the programs a user command starts, as a test sets them up.
#include "platform/core/winpath.h"
#include "platform/harness.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/win32/files/file.h"
#include "platform/win32/process/process_start.h"

namespace platform::harness {

void User::expectMacro(std::optional<std::wstring> name) {
    platform::core::userAgent().expectKernelDialog(L"macro", std::move(name));
}

void Kernel::installMacros(std::vector<std::wstring> names) {
    platform::kernel::uiControl().macroManagerPresent = true;
    platform::kernel::uiControl().macros = std::move(names);
}

std::wstring Kernel::registerProgram(const std::wstring& path, std::optional<DWORD> exitCode) {
    const auto normal = platform::core::winpath::normalize(path);
    if (!normal || platform::core::winpath::fileName(*normal).empty()) return L"\"" + path + L"\" is no absolute file path";
    if (platform::files::isDirectory(*normal)) return L"\"" + path + L"\" is a folder";
    if (!platform::files::exists(*normal)) {
        const DWORD error = platform::files::createDirectories(platform::core::winpath::parent(*normal));
        if (error != 0 || platform::files::writeAllAtomic(*normal, "a program\n") != 0)
            return L"\"" + path + L"\" cannot be made";
    }
    platform::win32::registerProgram(*normal, exitCode);
    return {};
}

int Kernel::endProgram(const std::wstring& path, DWORD exitCode) {
    const auto normal = platform::core::winpath::normalize(path);
    return platform::win32::endProgram(normal ? *normal : path, exitCode);
}

}  // namespace platform::harness
