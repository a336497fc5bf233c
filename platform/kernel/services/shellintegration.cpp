#include "platform/kernel/services/shellintegration.h"

#include <vector>

#include "platform/core/config.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/registry.h"

namespace {

using platform::kernel::recordWarning;

std::vector<std::wstring> splitLines(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        parts.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

// Writes a string value under HKEY_CLASSES_ROOT, making the key when it is missing; false (with
// a warning) when the key cannot be written.
bool setClassesValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS status = RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        recordWarning(L"KVRegisterShellFileTypes: HKEY_CLASSES_ROOT\\" + key + L" cannot be written (error " +
                      std::to_wstring(status) + L")");
    }
    return status == ERROR_SUCCESS;
}

}  // namespace

void KVRegisterShellFileTypes(UINT resourceId, bool withOpenCommand, bool withDde) {
    platform::kernel::recordCall(L"KVRegisterShellFileTypes(" + std::to_wstring(resourceId) + L", " +
                                 platform::kernel::boolText(withOpenCommand) + L", " +
                                 platform::kernel::boolText(withDde) + L")");
    const auto documentString = platform::kernel::findString(resourceId);
    if (!documentString) {
        recordWarning(L"KVRegisterShellFileTypes: no document string " + std::to_wstring(resourceId));
        return;
    }
    // Window title, document name, new-file name, filter name, extension, type id, type name.
    const auto fields = splitLines(*documentString);
    auto field = [&](std::size_t index) { return index < fields.size() ? fields[index] : std::wstring(); };
    const std::wstring extension = field(4);
    const std::wstring typeId = field(5);
    if (typeId.empty()) {
        recordWarning(L"KVRegisterShellFileTypes: document string " + std::to_wstring(resourceId) + L" names no type");
        return;
    }
    const auto& config = platform::core::config();
    const std::wstring program = config.programFolder + L"\\" + config.programFile;

    if (!setClassesValue(typeId, L"", field(6))) return;
    setClassesValue(typeId + L"\\DefaultIcon", L"", program + L",0");
    if (withOpenCommand) {
        const std::wstring command = typeId + L"\\shell\\open\\command";
        if (withDde) {
            setClassesValue(command, L"", L"\"" + program + L"\" /dde");
            setClassesValue(typeId + L"\\shell\\open\\ddeexec", L"", L"[open(\"%1\")]");
            setClassesValue(typeId + L"\\shell\\open\\ddeexec\\application", L"", L"korvo");
            setClassesValue(typeId + L"\\shell\\open\\ddeexec\\topic", L"", L"system");
        } else {
            setClassesValue(command, L"", L"\"" + program + L"\" \"%1\"");
        }
    }
    if (!extension.empty()) setClassesValue(extension, L"", typeId);
}

CString ShellDDERespondWindow::GetShellCommand() {
    CString command(platform::kernel::control().shellDdeCommand);
    platform::kernel::recordCall(L"ShellDDERespondWindow::GetShellCommand()");
    return command;
}
