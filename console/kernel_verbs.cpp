// The console as another program's automation client, and as the kernel calling the program's
// callback object.
#include <cwctype>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "console/driver.h"
#include "platform/core/record.h"
#include "platform/core/text.h"

namespace korvo::console {

namespace {

using platform::harness::Automation;

std::optional<long long> numberOf(const std::wstring& text) {
    try {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used, 0);
        if (used == text.size()) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// "N.OPERATION" names object N; a plain OPERATION the server object.
std::pair<std::optional<Automation::ObjectId>, std::wstring> splitTarget(const std::wstring& operation) {
    const std::size_t dot = operation.find(L'.');
    if (dot == std::wstring::npos || dot == 0) return {std::nullopt, operation};
    const auto number = numberOf(operation.substr(0, dot));
    if (!number || *number <= 0) throw std::invalid_argument("automation: " + platform::core::toUtf8(operation) + " names no object");
    return {static_cast<Automation::ObjectId>(*number), operation.substr(dot + 1)};
}

// The words of ARGS as the operation's parameter types want them: texts for texts, numbers for
// numbers; a number for a short reference goes into `references`, which must outlive the call.
std::vector<DispatchValue> dispatchArguments(const std::vector<ArgumentValue>& values,
                                             const std::optional<std::vector<VARTYPE>>& parameters,
                                             std::vector<short>& references) {
    references.reserve(values.size());
    std::vector<DispatchValue> arguments;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const ArgumentValue& value = values[i];
        const VARTYPE wanted = parameters && i < parameters->size() ? (*parameters)[i] : VT_EMPTY;
        const auto number = value.quoted ? std::nullopt : numberOf(value.text);
        // What does not fit is passed as it is: the object answers DISP_E_TYPEMISMATCH, or
        // DISP_E_OVERFLOW for a number wider than its parameter.
        if (wanted == VT_BSTR || !number) {
            arguments.push_back(DispatchValue::String(value.text.c_str()));
        } else if (wanted == (VT_I2 | VT_BYREF)) {
            // The client's own variable is a short: a wider number cannot be put in it.
            if (*number < std::numeric_limits<short>::min() || *number > std::numeric_limits<short>::max()) {
                throw std::invalid_argument("automation: argument " + std::to_string(i + 1) + " (" +
                                            std::to_string(*number) + ") does not fit a 16-bit reference");
            }
            references.push_back(static_cast<short>(*number));
            arguments.push_back(DispatchValue::ShortRef(&references.back()));
        } else if (*number >= std::numeric_limits<LONG>::min() && *number <= std::numeric_limits<LONG>::max()) {
            arguments.push_back(DispatchValue::Long(static_cast<LONG>(*number)));
        } else {
            arguments.push_back(DispatchValue::LongLong(*number));
        }
    }
    return arguments;
}

std::wstring describe(const Automation::Answer& answer, const std::vector<short>& references) {
    if (answer.hr != S_OK) return Automation::describeResult(answer.hr);
    std::wstring text;
    switch (answer.value.vt) {
        case VT_EMPTY: text = L"done"; break;
        case VT_I2:
        case VT_I4: text = std::to_wstring(answer.value.number); break;
        case VT_BSTR: text = answer.value.text ? platform::core::quoted(answer.value.text->view()) : L"null"; break;
        case VT_DISPATCH: text = answer.object ? L"object " + std::to_wstring(*answer.object) : L"null"; break;
        default: text = L"?"; break;
    }
    for (short reference : references) text += L"; out " + std::to_wstring(reference);
    return text;
}

}  // namespace

bool Driver::automation(const Step& step) {
    Automation& client = session_.automation();
    if (!automationServer_) automationServer_ = client.create(L"KVW32.SERVER");
    const auto [object, name] = splitTarget(step.arguments.operation);
    const Automation::ObjectId target = object.value_or(*automationServer_);
    std::vector<short> references;
    std::vector<DispatchValue> arguments = dispatchArguments(step.arguments.values, client.parameters(target, name), references);
    const Automation::Answer answer = client.call(target, name, std::move(arguments));
    transcript_.print(L"automation " + step.arguments.operation + L": " + describe(answer, references));
    return true;
}

bool Driver::callKernel(const Step& step, bool onWorkerThread) {
    std::vector<std::wstring> arguments;
    for (const ArgumentValue& value : step.arguments.values) arguments.push_back(value.text);
    const std::wstring answer = session_.kernel().callback(step.arguments.operation, arguments, onWorkerThread);
    transcript_.print(L"kernel " + step.arguments.operation + L": " + answer);
    if (session_.running()) session_.runUntilIdle();
    return true;
}

bool Driver::kernelCall(const Step& step) { return callKernel(step, false); }

bool Driver::kernelCallOnWorker(const Step& step) { return callKernel(step, true); }

bool Driver::kernelFrameCall(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    std::vector<std::wstring> arguments;
    for (const ArgumentValue& value : step.arguments.values) arguments.push_back(value.text);
    const std::wstring answer = session_.kernel().frameCall(frame, step.arguments.operation, arguments);
    transcript_.print(L"kernel " + step.arguments.operation + L": " + answer);
    session_.runUntilIdle();
    return true;
}

bool Driver::kernelManipCall(const Step& step) {
    const HWND frame = frameFor(step);
    if (!frame) return false;
    std::vector<std::wstring> arguments;
    for (const ArgumentValue& value : step.arguments.values) arguments.push_back(value.text);
    const std::wstring answer =
        session_.kernel().manipCall(frame, step.arguments.panel, step.arguments.operation, arguments);
    transcript_.print(L"kernel " + step.arguments.operation + L": " + answer);
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console
