// Process-wide configuration of the stand-in platform, filled by the harness (tests, console)
// before anything else touches process state.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/windows_types.h"

namespace platform::core {

enum class ClockMode { Manual, Real };
enum class ModalPolicy { Strict, Lenient };

struct MonitorConfig {
    RECT rect{0, 0, 1920, 1080};
    RECT work{0, 0, 1920, 1040};
    bool primary = true;
};

struct Config {
    // Host directory holding the mapped drives ("C/..."), the registry files ("registry/") and
    // whatever a run leaves behind. Empty: a fresh temporary directory.
    std::string hostRoot;
    std::wstring programFolder = L"C:\\Program Files\\Velmora\\Korvo CAD 18.0";
    std::wstring programFile = L"Korvo.exe";
    std::wstring userProfile = L"C:\\Users\\user";
    std::wstring localAppData = L"C:\\Users\\user\\AppData\\Local";
    std::wstring tempFolder = L"C:\\Users\\user\\AppData\\Local\\Temp";
    std::wstring logFile = L"C:\\Users\\user\\AppData\\Local\\Velmora\\Logs\\Korvo.log";
    std::vector<std::wstring> arguments;  // command line after the program path
    std::map<std::wstring, std::wstring> environment;
    std::vector<MonitorConfig> monitors{MonitorConfig{}};
    int dpi = 96;
    int dpiY = 0;  // vertical dots per inch when they differ from the horizontal; 0: as `dpi`
    int showCommand = 1;  // SW_SHOWNORMAL, as a shortcut or the shell would start the program
    ClockMode clock = ClockMode::Manual;
    ModalPolicy modal = ModalPolicy::Strict;
    bool missingResourceFails = true;
};

// The configuration in force. Mutable until the first platform call that needs it; the harness
// sets it once per process.
Config& config();

}  // namespace platform::core
