#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"

namespace platform::harness {

void Kernel::setApplicationsRefuseExit(bool refuse) { platform::kernel::control().applicationsRefuseExit = refuse; }

void Kernel::installApplication(std::wstring_view name, unsigned firstCommand, unsigned lastCommand) {
    const std::wstring text(name);
    CKVApplicationManager::InstallApplication(text.c_str())->SetCommandRange(firstCommand, lastCommand);
}

void Kernel::setApplicationCommandDisabled(std::wstring_view name, unsigned id, bool disabled) {
    const std::wstring text(name);
    CKVApplicationManager::InstallApplication(text.c_str())->SetCommandDisabled(id, disabled);
}

void Kernel::setDescribedCommandDisabled(unsigned id, bool disabled) {
    auto& ids = platform::kernel::control().disabledDescribedCommands;
    if (disabled) ids.insert(id);
    else ids.erase(id);
}

}  // namespace platform::harness

namespace platform::harness {

namespace {

std::wstring describeApplication(const CKVBaseApplication& application) {
    const wchar_t* origin = application.IsFromINI() ? L"ini" : application.IsInstalled() ? L"installed" : L"added";
    const wchar_t* state = application.IsStarted() ? L"started" : application.IsNotFound() ? L"not found" : L"stopped";
    return std::wstring(application.GetIdentifier().view()) + L" \"" + std::wstring(application.GetTitle().view()) +
           L"\" \"" + std::wstring(application.GetPath().view()) + L"\" " +
           (application.IsManaged() ? L"managed " : L"native ") + origin + L" flags " +
           std::to_wstring(application.GetFlags()) + L" " + state + L"\n";
}

}  // namespace

std::wstring Inspect::dumpApplications() const {
    std::wstring text;
    for (const CKVApplication* application : CKVApplicationManager::GetApplications())
        if (application) text += describeApplication(*application);
    if (IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy())
        for (int index = 0; index < proxy->GetCount(); ++index)
            if (const CKVBaseApplication* application = proxy->GetAt(index)) text += describeApplication(*application);
    return text.empty() ? L"(none)" : text;
}

}  // namespace platform::harness
