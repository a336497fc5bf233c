#include "platform/win32/process/html_help.h"

#include <string>

#include "platform/core/api_text.h"
#include "platform/core/record.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32/format.h"
#include "platform/win32/files/file.h"
#include "platform/win32/window/window.h"

namespace {

constexpr const wchar_t* kHelpWindowClass = L"HH Parent";

void registerHelpWindowClass() {
    WNDCLASSEXW existing;
    if (GetClassInfoExW(nullptr, kHelpWindowClass, &existing)) return;
    WNDCLASSEXW wc;
    wc.lpfnWndProc = &DefWindowProcW;
    wc.lpszClassName = kHelpWindowClass;
    RegisterClassExW(&wc);
}

}  // namespace

HWND HtmlHelpW(HWND, LPCWSTR file, UINT command, DWORD_PTR data) {
    const std::wstring_view text = platform::core::viewOf(file);
    platform::core::journal().add("help", platform::format(L"HtmlHelpW(%s, %u, %llu)", platform::core::quoted(text), command,
                                                           static_cast<unsigned long long>(data)));
    const std::wstring_view filePart = text.substr(0, text.find(L"::"));
    if (filePart.empty() || !platform::files::exists(filePart) || platform::files::isDirectory(filePart)) return nullptr;
    registerHelpWindowClass();
    return CreateWindowExW(0, kHelpWindowClass, std::wstring(filePart).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 800, 600,
                           nullptr, nullptr, nullptr, nullptr);
}
