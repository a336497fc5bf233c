// The Windows part of the harness's control surface (tests, console): the window tree, the
// kernel objects, the environment and the atoms. It extends platform::core::control, so that the
// harness reaches the whole platform through one namespace; including it brings the core's part
// too. Shell code never includes it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/control.h"
#include "platform/win32/types.h"

namespace platform::core::control {

// ---- Windows ----
struct WindowInfo {
    HWND handle = nullptr;
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;  // own WS_VISIBLE flag
    bool enabled = false;
    RECT rect{};           // screen coordinates
    RECT client{};         // client rectangle, client coordinates
    HWND parent = nullptr;
    HWND owner = nullptr;
    int id = 0;
    DWORD thread = 0;
    std::vector<HWND> children;  // z-order, top first
};
std::optional<WindowInfo> window(HWND hwnd);
// Top-level windows in z-order (front first), every thread.
std::vector<HWND> topLevelWindows();
// One line a window, children indented by two blanks:
//   0x00010010 "Korvo.MainFrame" "Korvo CAD" visible enabled (0,0)-(1440,900) thread 1
std::wstring dumpWindows();

// ---- Process ----
std::map<std::wstring, std::wstring> environment();
// Names of the named kernel objects alive, and the number of open kernel handles.
std::vector<std::wstring> namedObjects();
std::size_t openHandleCount();
std::vector<std::wstring> atoms();  // names of the global atoms and registered messages

}  // namespace platform::core::control
