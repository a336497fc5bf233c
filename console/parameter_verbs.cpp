// The console as the kernel's own work on documents' parameters: objects, selection, defaults,
// variables, the events after which panels show them, and a running command.
#include "console/driver.h"

namespace korvo::console {

bool Driver::modelWork(const Step& step) {
    std::vector<std::wstring> arguments;
    for (const ArgumentValue& value : step.arguments.values) arguments.push_back(value.text);
    const std::wstring answer = session_.kernel().work(step.arguments.operation, arguments);
    transcript_.print(L"model " + step.arguments.operation + L": " + answer);
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpParameters(const Step&) {
    printDump(session_.kernel().dumpParameters(), L"(no open documents)");
    return true;
}

}  // namespace korvo::console
