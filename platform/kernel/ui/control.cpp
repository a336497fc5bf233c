#include "platform/kernel/ui/control.h"

namespace platform::kernel {

std::vector<std::pair<std::wstring, std::wstring>> Control::defaultThemes() {
    return {
        {L"office2010black", L"Office 2010 Black"}, {L"office2013light", L"Office 2013 Light"},
        {L"office2013dark", L"Office 2013 Dark"},   {L"office2016black", L"Office 2016 Black"},
        {L"office2016dark", L"Office 2016 Dark"},   {L"office2016white", L"Office 2016 White"},
        {L"msvs2015light", L"Visual Studio 2015 Light"}, {L"msvs2015dark", L"Visual Studio 2015 Dark"},
    };
}

Control& control() {
    static Control state;
    return state;
}

bool failSessionStep(std::wstring_view step) {
    auto& state = control();
    if (step == L"PreInitSession") {
        state.failPreInitSession = true;
    } else if (step == L"PostInitSession") {
        state.failPostInitSession = true;
    } else if (step == L"FinishInitSession") {
        state.failFinishInitSession = true;
    } else {
        return false;
    }
    return true;
}

void failDocumentOpen(std::wstring_view path, bool throwException) {
    control().documentOpenFaults[std::wstring(path)] =
        throwException ? DocumentOpenFault::Exception : DocumentOpenFault::NullResult;
}

}  // namespace platform::kernel
