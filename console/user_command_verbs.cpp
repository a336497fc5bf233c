// The console's verbs for the user commands: seeing the collection, importing a command file, and
// the macro manager and programs the commands reach.
#include "console/driver.h"

namespace korvo::console {

namespace {

UserCommandHooks g_userCommandHooks;

}  // namespace

void setUserCommandHooks(const UserCommandHooks& hooks) { g_userCommandHooks = hooks; }

bool Driver::dumpUserCommands(const Step&) {
    printDump(g_userCommandHooks.outline ? g_userCommandHooks.outline() : L"", L"(no user commands)");
    return true;
}

bool Driver::importCommands(const Step& step) {
    if (!g_userCommandHooks.import) {
        transcript_.print(L"import-commands: the user commands are not part of this program");
        return true;
    }
    bool ok = false;
    const std::wstring answer = g_userCommandHooks.import(step.arguments.text, ok);
    if (ok) transcript_.print(L"import-commands: " + answer);
    else printRefusal("import-commands", answer);
    session_.runUntilIdle();
    return true;
}

bool Driver::programExit(const Step& step) {
    const std::wstring refusal =
        session_.kernel().registerProgram(step.arguments.text, static_cast<DWORD>(step.arguments.position));
    if (!refusal.empty()) printRefusal("program", refusal);
    return true;
}

bool Driver::programRun(const Step& step) {
    const std::wstring refusal = session_.kernel().registerProgram(step.arguments.text, std::nullopt);
    if (!refusal.empty()) printRefusal("program", refusal);
    return true;
}

bool Driver::programEnd(const Step& step) {
    session_.kernel().endProgram(step.arguments.text, static_cast<DWORD>(step.arguments.position));
    if (phase() == Phase::Running) session_.runUntilIdle();
    return true;
}

bool Driver::expectMacro(const Step& step) {
    session_.user().expectMacro(step.arguments.name);
    return true;
}

bool Driver::expectMacroCancel(const Step&) {
    session_.user().expectMacro(std::nullopt);
    return true;
}

bool Driver::installMacros(const Step& step) {
    std::vector<std::wstring> names;
    std::wstring rest = step.arguments.text;
    for (std::size_t semicolon; (semicolon = rest.find(L';')) != std::wstring::npos; rest.erase(0, semicolon + 1))
        if (semicolon > 0) names.push_back(rest.substr(0, semicolon));
    if (!rest.empty()) names.push_back(rest);
    session_.kernel().installMacros(std::move(names));
    return true;
}

}  // namespace korvo::console
