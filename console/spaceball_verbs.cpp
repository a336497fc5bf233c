// The 3D mouse at the console: plugging one into the stand-in machine, and the device manager's
// presets the customise sheet's 3D-mouse page hands back.
#include <cstdio>

#include "console/driver.h"
#include "platform/core/numbers.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/spaceball.h"

namespace korvo::console {

namespace {

std::wstring fraction(double value) {
    wchar_t text[32];
    std::swprintf(text, 32, L"%.4g", value);
    return text;
}

std::wstring describeEvent(const CKVSpaceballMapping::ButtonEvent& event) {
    if (event.kind == CKVSpaceballMapping::ButtonEvent::Key)
        return L"key " + std::to_wstring(event.key) + (event.extended ? L" extended" : L"") + L" \"" +
               std::wstring(GetKeyName(event.key, event.extended != 0).view()) + L"\"";
    return L"command " + std::to_wstring(event.command);
}

// The device, the window holding it, and each view mode's preset.
std::wstring describeSpaceball() {
    CKVSpaceballDeviceManager& device = CKVSpaceballDeviceManager::Instance();
    const CKVSpaceballDeviceManager::Device& plugged = device.GetDevice();
    if (plugged.buttons == 0 && plugged.axes == 0) return L"no device\n";
    std::wstring text = L"device " + std::to_wstring(plugged.buttons) + L" buttons " + std::to_wstring(plugged.axes) + L" axes" +
                        (plugged.answersInfo ? L"" : L" without details") + L"\n";
    text += L"locked " + (device.GetLockedWindow() ? platform::core::handleText(device.GetLockedWindow()) : std::wstring(L"none")) + L"\n";
    static const wchar_t* kModes[] = {L"3D", L"Workplane", L"2D", L"fourth"};
    for (int mode = 0; mode < kSpaceballModeCount; ++mode) {
        const CKVSpaceballMapping& mapping = device.PresetOf(mode);
        text += L"mode " + std::to_wstring(mode) + L" " + kModes[mode] + L" flag " + std::to_wstring(mapping.carried) + L" overall " +
                fraction(mapping.overall) + L"\n  axes";
        for (const CKVSpaceballMapping::Axis& axis : mapping.axes)
            text += L" " + std::to_wstring(axis.axis) + L":" + fraction(axis.sensitivity) + (axis.invert ? L"-" : L"");
        text += L"\n";
        for (const auto& [id, event] : mapping.buttons) text += L"  button " + std::to_wstring(id) + L" " + describeEvent(event) + L"\n";
    }
    return text;
}

}  // namespace

bool Driver::spaceballPlug(const Step& step) {
    const auto& words = step.arguments.values;
    auto number = [&](std::size_t index, unsigned high) -> std::optional<unsigned> {
        if (index >= words.size() || words[index].quoted) return std::nullopt;
        const auto value = platform::core::parseWholeNumber<unsigned>(platform::core::toUtf8(words[index].text));
        if (!value || *value > high) return std::nullopt;
        return value;
    };
    const auto buttons = number(0, 32);
    const auto axes = number(1, 6);
    const bool silent = words.size() == 3 && !words[2].quoted && words[2].text == L"silent";
    if (!buttons || !axes || (words.size() != 2 && !silent)) {
        scriptError(step.line, "spaceball plug: needs BUTTONS (0 to 32) and AXES (0 to 6), then silent or nothing");
        return false;
    }
    CKVSpaceballDeviceManager::Instance().Plug({static_cast<int>(*buttons), static_cast<int>(*axes), !silent});
    return true;
}

bool Driver::dumpSpaceball(const Step&) {
    printDump(describeSpaceball(), L"(none)");
    return true;
}

}  // namespace korvo::console
