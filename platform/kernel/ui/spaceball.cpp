#include "platform/kernel/ui/spaceball.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <optional>
#include <string>

#include "platform/core/config.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/ui/frame_services.h"
#include "platform/core/journal.h"
#include "platform/win32/files/file.h"
#include "platform/win32/window/window.h"

namespace {

constexpr int kAxisCount = 6;

std::wstring numbered(const wchar_t* key, int index) { return key + std::to_wstring(index + 1); }

std::wstring decimal(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return platform::core::fromUtf8(std::string(text, result.ptr));
}

std::optional<double> parseFraction(const CString& text) {
    const std::string bytes = platform::core::toUtf8(text.view());
    double value = 0;
    const auto result = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (result.ec != std::errc() || result.ptr != bytes.data() + bytes.size() || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
    return value;
}

std::optional<int> parseWhole(std::wstring_view text, int high) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of(L"0123456789") != std::wstring_view::npos) return std::nullopt;
    const int value = std::stoi(std::wstring(text));
    if (value > high) return std::nullopt;
    return value;
}

// "command ID" or "key CODE EXTENDED".
std::optional<CKVSpaceballMapping::ButtonEvent> parseEvent(const CString& text) {
    std::vector<std::wstring> words;
    std::wstring word;
    for (const wchar_t c : std::wstring(text.view()) + L" ") {
        if (c != L' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (words.size() == 2 && words[0] == L"command") {
        if (const auto id = parseWhole(words[1], 0xFFFF)) return CKVSpaceballMapping::ButtonEvent::ForCommand(static_cast<UINT>(*id));
    } else if (words.size() == 3 && words[0] == L"key") {
        const auto code = parseWhole(words[1], 255);
        const auto extended = parseWhole(words[2], 1);
        if (code && extended) return CKVSpaceballMapping::ButtonEvent::ForKey(static_cast<BYTE>(*code), *extended != 0);
    }
    return std::nullopt;
}

CString presetsFile() {
    return CString((platform::core::config().localAppData + L"\\Velmora\\Spaceball.ini").c_str());
}

std::wstring modeSection(int mode) { return L"Mode" + std::to_wstring(mode); }

}  // namespace

bool CKVSpaceballMapping::Load(const kvio::IniFile& ini, const wchar_t* section, int version) {
    if (version != 1 && version != 2) return false;
    CKVSpaceballMapping read = *this;
    if (ini.HasKey(section, L"Flag")) {
        const auto flag = parseWhole(ini.GetString(section, L"Flag").view(), 1);
        if (!flag) return false;
        read.carried = static_cast<BYTE>(*flag);
    }
    for (int index = 0; index < kAxisCount; ++index) {
        Axis& axis = read.axes[index];
        if (const std::wstring key = numbered(L"Axis", index); ini.HasKey(section, key.c_str())) {
            const auto value = parseWhole(ini.GetString(section, key.c_str()).view(), kAxisCount - 1);
            if (!value) return false;
            axis.axis = static_cast<UINT>(*value);
        }
        if (const std::wstring key = numbered(L"Sensitivity", index); ini.HasKey(section, key.c_str())) {
            const auto value = parseFraction(ini.GetString(section, key.c_str()));
            if (!value) return false;
            axis.sensitivity = *value;
        }
        if (const std::wstring key = numbered(L"Invert", index); ini.HasKey(section, key.c_str())) {
            const auto value = parseWhole(ini.GetString(section, key.c_str()).view(), 1);
            if (!value) return false;
            axis.invert = static_cast<BYTE>(*value);
        }
    }
    // The first format had no overall sensitivity.
    if (version >= 2 && ini.HasKey(section, L"Overall")) {
        const auto value = parseFraction(ini.GetString(section, L"Overall"));
        if (!value) return false;
        read.overall = *value;
    }
    for (const CString& key : ini.GetKeyNames(section)) {
        const std::wstring name(key.view());
        if (name.size() <= 6 || platform::core::foldCase(name.substr(0, 6)) != L"button") continue;
        const auto id = parseWhole(std::wstring_view(name).substr(6), 0xFFFF);
        const auto event = parseEvent(ini.GetString(section, key));
        if (!id || !event) return false;
        read.buttons[*id] = *event;
    }
    *this = read;
    return true;
}

void CKVSpaceballMapping::Save(kvio::IniFileWriter& ini, const wchar_t* section) const {
    ini.SetInt(section, L"Flag", carried ? 1 : 0);
    for (int index = 0; index < kAxisCount; ++index) {
        ini.SetInt(section, numbered(L"Axis", index).c_str(), static_cast<int>(axes[index].axis));
        ini.SetString(section, numbered(L"Sensitivity", index).c_str(), decimal(axes[index].sensitivity).c_str());
        ini.SetInt(section, numbered(L"Invert", index).c_str(), axes[index].invert ? 1 : 0);
    }
    ini.SetString(section, L"Overall", decimal(overall).c_str());
    for (const auto& [id, event] : buttons) {
        const std::wstring value = event.kind == ButtonEvent::Key
                                       ? L"key " + std::to_wstring(event.key) + L" " + std::to_wstring(event.extended ? 1 : 0)
                                       : L"command " + std::to_wstring(event.command);
        ini.SetString(section, (L"Button" + std::to_wstring(id)).c_str(), value.c_str());
    }
}

void CKVSpaceballMapping::SavePreset(int mode, const wchar_t* name) const {
    platform::core::recordCall(L"CKVSpaceballMapping::SavePreset(" + std::to_wstring(mode) + L", " +
                               (name ? platform::core::quoted(name) : std::wstring(L"null")) + L")");
    CKVSpaceballDeviceManager::Instance().SetPreset(mode, *this);
}

CKVSpaceballMapping::ButtonEvent CKVSpaceballMapping::GetButtonEvent(int button) const {
    const auto found = buttons.find(button);
    return found == buttons.end() ? ButtonEvent{} : found->second;
}

void CKVSpaceballDeviceManager::ParseMessage(HWND window, UINT, WPARAM wParam, LPARAM, void (*callback)(int event)) {
    platform::core::recordCall(L"CKVSpaceballDeviceManager::ParseMessage(" + platform::core::handleText(window) + L", " +
                               std::to_wstring(wParam) + L")");
    if (callback) callback(static_cast<int>(wParam));
}

bool CKVSpaceballDeviceManager::Detect(HWND) { return device_.buttons > 0 || device_.axes > 0; }

void CKVSpaceballDeviceManager::Lock(HWND window, int viewMode) {
    platform::core::recordCall(L"CKVSpaceballDeviceManager::Lock(" + platform::core::handleText(window) + L", " +
                               std::to_wstring(viewMode) + L")");
    locked_ = window;
}

void CKVSpaceballDeviceManager::Unlock(HWND window) {
    platform::core::recordCall(L"CKVSpaceballDeviceManager::Unlock(" + platform::core::handleText(window) + L")");
    if (locked_ == window) locked_ = nullptr;
}

std::vector<std::pair<int, CString>> CKVSpaceballDeviceManager::GetDeviceSupportButtons(HWND) const {
    std::vector<std::pair<int, CString>> buttons;
    for (int id = 1; id <= device_.buttons; ++id) buttons.emplace_back(id, CString((L"Button " + std::to_wstring(id)).c_str()));
    return buttons;
}

bool CKVSpaceballDeviceManager::GetDeviceInfo(HWND, CKVSpaceballDeviceInfo& info) const {
    if (!device_.answersInfo || device_.buttons + device_.axes == 0) return false;
    info.buttons = device_.buttons;
    info.axes = device_.axes;
    return true;
}

void CKVSpaceballDeviceManager::GetDefaultMapping(int mode, CKVSpaceballMapping& mapping) const {
    mapping = CKVSpaceballMapping{};
    mapping.carried = 1;
    for (int index = 0; index < kAxisCount; ++index) mapping.axes[index] = {static_cast<UINT>(index), mode == kSpaceball2D ? 0.25 : 0.5, 0};
    mapping.overall = 0.5;
    // The first two buttons open a document and leave the running command.
    mapping.buttons[1] = CKVSpaceballMapping::ButtonEvent::ForCommand(1001);
    mapping.buttons[2] = CKVSpaceballMapping::ButtonEvent::ForKey(0x1B, false);
}

void CKVSpaceballDeviceManager::loadPresets() {
    if (presetsLoaded_) return;
    presetsLoaded_ = true;
    for (int mode = 0; mode < kSpaceballModeCount; ++mode) GetDefaultMapping(mode, presets_[mode]);
    kvio::IniFile file;
    if (!file.Load(presetsFile())) return;
    for (int mode = 0; mode < kSpaceballModeCount; ++mode) {
        const std::wstring section = modeSection(mode);
        if (file.HasSection(section.c_str()) && !presets_[mode].Load(file, section.c_str(), 2))
            platform::core::journal().add("warning", std::wstring(presetsFile().view()) + L": the section [" + section +
                                                         L"] holds values no mapping can, the defaults are used");
    }
}

void CKVSpaceballDeviceManager::GetPresetForMode(int mode, CKVSpaceballMapping& mapping) {
    mapping = PresetOf(mode);
}

const CKVSpaceballMapping& CKVSpaceballDeviceManager::PresetOf(int mode) {
    loadPresets();
    return presets_[std::clamp(mode, 0, kSpaceballModeCount - 1)];
}

void CKVSpaceballDeviceManager::SetPreset(int mode, const CKVSpaceballMapping& mapping) {
    loadPresets();
    if (mode >= 0 && mode < kSpaceballModeCount) presets_[mode] = mapping;
}

void CKVSpaceballDeviceManager::UpdatePresets() {
    platform::core::recordCall(L"CKVSpaceballDeviceManager::UpdatePresets()");
    loadPresets();
    kvio::IniFileWriter file;
    for (int mode = 0; mode < kSpaceballModeCount; ++mode) presets_[mode].Save(file, modeSection(mode).c_str());
    platform::files::createDirectories(platform::core::config().localAppData + L"\\Velmora");
    if (!file.Save(presetsFile()))
        platform::core::journal().add("warning", std::wstring(presetsFile().view()) + L": the 3D-mouse presets could not be written");
}

void CKVSpaceballDeviceManager::UpdateButtons(HWND view) {
    platform::core::recordCall(L"CKVSpaceballDeviceManager::UpdateButtons(" + platform::core::handleText(view) + L")");
}

int KVGetSpaceballViewMode(const CKVView* view) { return view && view->Is2DView() ? kSpaceball2D : kSpaceball3D; }

CString GetKeyName(BYTE virtualKey, bool extended) {
    switch (virtualKey) {
        case 0x08: return L"Backspace";
        case 0x09: return L"Tab";
        case 0x0D: return extended ? L"Num Enter" : L"Enter";
        case 0x1B: return L"Esc";
        case 0x20: return L"Space";
        case 0x21: return L"Page Up";
        case 0x22: return L"Page Down";
        case 0x23: return L"End";
        case 0x24: return L"Home";
        case 0x25: return L"Left";
        case 0x26: return L"Up";
        case 0x27: return L"Right";
        case 0x28: return L"Down";
        case 0x2D: return L"Insert";
        case 0x2E: return L"Delete";
        default: break;
    }
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        const wchar_t text[2] = {static_cast<wchar_t>(virtualKey), 0};
        return text;
    }
    if (virtualKey >= 0x70 && virtualKey <= 0x87) return CString((L"F" + std::to_wstring(virtualKey - 0x6F)).c_str());
    if (virtualKey == 0) return L"";
    return CString((L"Key " + std::to_wstring(virtualKey)).c_str());
}
