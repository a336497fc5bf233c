#include "platform/core/record.h"
#include "platform/kernel/uimodule.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#include <pugixml.hpp>

#include "platform/core/text.h"
#include "platform/kernel/control.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui_control.h"
#include "platform/korvoui/frames.h"
#include "platform/win32/file.h"

namespace {

using platform::kernel::handleText;
using platform::kernel::quoted;
using platform::kernel::recordCall;
using platform::kernel::recordWarning;

constexpr const wchar_t* kDefaultTheme = L"office2016white";

struct UiModuleState {
    mutable std::recursive_mutex mutex;
    int modalDepth = 0;
    int modalCount = 0;
    std::optional<Korvo::UI::Theme> currentTheme;
    std::vector<Korvo::UI::MainFrame*> frames;  // creation order
    Korvo::UI::MainFrame* active = nullptr;
    const Korvo::UI::XML::ApplicationParameters* ribbonParameters = nullptr;
    bool ribbonTabParametersLoaded = false;
    std::map<Korvo::UI::MainFrame*, UIModuleProxy::CommandBarsIconSize> iconSizes;
    std::set<UINT> propertyFormChildren;
};

UiModuleState& state() {
    static UiModuleState instance;
    return instance;
}

HWND frameHandle(Korvo::UI::MainFrame* frame) {
    CFrameWnd* window = frame ? frame->AsWindow() : nullptr;
    return window ? window->GetSafeHwnd() : nullptr;
}

}  // namespace

namespace platform::kernel {
void openPropertyFormChild(unsigned id) {
    std::lock_guard lock(state().mutex);
    state().propertyFormChildren.insert(id);
}

int modalBoxDepth() {
    std::lock_guard lock(state().mutex);
    return state().modalDepth;
}
int modalBoxCount() {
    std::lock_guard lock(state().mutex);
    return state().modalCount;
}
}  // namespace platform::kernel

UIModuleProxy& UIModuleProxy::Instance() {
    static UIModuleProxy instance;
    return instance;
}

void UIModuleProxy::NotifyModalBoxBegin() {
    recordCall(L"UIModuleProxy::NotifyModalBoxBegin()");
    auto& s = state();
    std::lock_guard lock(s.mutex);
    ++s.modalDepth;
    ++s.modalCount;
}

void UIModuleProxy::NotifyModalBoxEnd() {
    recordCall(L"UIModuleProxy::NotifyModalBoxEnd()");
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (s.modalDepth == 0) {
        recordWarning(L"UIModuleProxy::NotifyModalBoxEnd() without a box begun");
        return;
    }
    --s.modalDepth;
}

int UIModuleProxy::GetModalBoxDepth() const { return platform::kernel::modalBoxDepth(); }

CString UIModuleProxy::GetDefaultThemeName() const { return CString(kDefaultTheme); }

std::vector<Korvo::UI::Theme> UIModuleProxy::GetThemes() const {
    std::vector<Korvo::UI::Theme> themes;
    int index = 0;
    for (const auto& [name, caption] : platform::kernel::control().themes)
        themes.push_back({index++, CString(name), CString(caption)});
    return themes;
}

int UIModuleProxy::FindTheme(LPCWSTR name) const {
    if (!name) return -1;
    const auto& themes = platform::kernel::control().themes;
    for (std::size_t i = 0; i < themes.size(); ++i)
        if (platform::core::equalsNoCase(themes[i].first, name)) return static_cast<int>(i);
    return -1;
}

bool UIModuleProxy::ApplyTheme(LPCWSTR name) {
    recordCall(L"UIModuleProxy::ApplyTheme(" + quoted(name) + L")");
    const int index = FindTheme(name);
    if (index < 0) return false;
    const auto& control = platform::kernel::control();
    if (control.failingThemes.count(control.themes[static_cast<std::size_t>(index)].first)) {
        recordWarning(L"UIModuleProxy::ApplyTheme(" + quoted(name) + L") failed (injected)");
        return false;
    }
    const Korvo::UI::Theme theme = GetThemes()[static_cast<std::size_t>(index)];
    {
        std::lock_guard lock(state().mutex);
        state().currentTheme = theme;
    }
    for (auto* frame : GetMainFrames()) {
        const auto frames = GetMainFrames();
        if (std::find(frames.begin(), frames.end(), frame) != frames.end()) frame->SetTheme(theme);
    }
    return true;
}

const Korvo::UI::Theme* UIModuleProxy::GetCurrentTheme() const {
    std::lock_guard lock(state().mutex);
    return state().currentTheme ? &*state().currentTheme : nullptr;
}

CString UIModuleProxy::GetUIStyle() const {
    std::lock_guard lock(state().mutex);
    return state().currentTheme ? state().currentTheme->name : CString();
}

void UIModuleProxy::RegisterMainFrame(Korvo::UI::MainFrame* frame) {
    if (!frame) return;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (std::find(s.frames.begin(), s.frames.end(), frame) != s.frames.end()) return;
    recordCall(L"UIModuleProxy::RegisterMainFrame(" + handleText(frameHandle(frame)) + L")");
    s.frames.push_back(frame);
    // The first frame of a run is the active one until another frame is activated.
    if (!s.active) s.active = frame;
}

void UIModuleProxy::UnregisterMainFrame(Korvo::UI::MainFrame* frame) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    const auto it = std::find(s.frames.begin(), s.frames.end(), frame);
    if (it == s.frames.end()) return;
    recordCall(L"UIModuleProxy::UnregisterMainFrame(" + handleText(frameHandle(frame)) + L")");
    s.frames.erase(it);
    s.iconSizes.erase(frame);
    if (s.active == frame) s.active = nullptr;
}

std::vector<Korvo::UI::MainFrame*> UIModuleProxy::GetMainFrames() const {
    std::lock_guard lock(state().mutex);
    return state().frames;
}

void UIModuleProxy::ForEachMainFrame(const std::function<void(CFrameWnd*)>& callback) const {
    for (auto* frame : GetMainFrames()) {
        const auto frames = GetMainFrames();  // a callback may close a frame that is still to come
        if (std::find(frames.begin(), frames.end(), frame) == frames.end()) continue;
        callback(frame->AsWindow());
    }
}

Korvo::UI::MainFrame* UIModuleProxy::GetActiveMainFrame() const {
    std::lock_guard lock(state().mutex);
    return state().active;
}

void UIModuleProxy::SetActiveMainFrame(Korvo::UI::MainFrame* frame) {
    Korvo::UI::MainFrame* previous = nullptr;
    {
        auto& s = state();
        std::lock_guard lock(s.mutex);
        if (frame == s.active) return;
        if (frame && std::find(s.frames.begin(), s.frames.end(), frame) == s.frames.end()) {
            recordWarning(L"UIModuleProxy::SetActiveMainFrame: the frame is not registered");
            return;
        }
        previous = s.active;
        s.active = frame;
    }
    recordCall(L"UIModuleProxy::SetActiveMainFrame(" + handleText(frameHandle(frame)) + L")");
    if (frame) frame->OnChangeActiveMainFrame(previous);
}

Korvo::UI::MainFrame* UIModuleProxy::GetMainFrameOf(HWND window) const {
    const auto frames = GetMainFrames();
    for (HWND current = window; current; current = ::GetParent(current)) {
        for (auto* frame : frames)
            if (frameHandle(frame) == current) return frame;
    }
    return nullptr;
}

void UIModuleProxy::SetCommandBarsIconSize(CFrameWnd* window, SIZE size, bool largeIcons) {
    recordCall(L"UIModuleProxy::SetCommandBarsIconSize(" + handleText(window ? window->GetSafeHwnd() : nullptr) + L", " +
               std::to_wstring(size.cx) + L"x" + std::to_wstring(size.cy) + L", " +
               (largeIcons ? L"large icons" : L"small icons") + L")");
    auto& s = state();
    std::lock_guard lock(s.mutex);
    const auto it = std::find_if(s.frames.begin(), s.frames.end(),
                                 [&](Korvo::UI::MainFrame* frame) { return window && frame->AsWindow() == window; });
    if (it == s.frames.end()) {
        recordWarning(L"UIModuleProxy::SetCommandBarsIconSize: the frame is not registered");
        return;
    }
    s.iconSizes[*it] = {size, largeIcons};
}

std::optional<UIModuleProxy::CommandBarsIconSize> UIModuleProxy::GetCommandBarsIconSize(const CFrameWnd* window) const {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    for (const auto& [frame, iconSize] : s.iconSizes)
        if (window && frame->AsWindow() == window) return iconSize;
    return std::nullopt;
}

bool UIModuleProxy::IsPropertyFormChildOpen(UINT id) const {
    std::lock_guard lock(state().mutex);
    return state().propertyFormChildren.count(id) != 0;
}

void UIModuleProxy::ClosePropertyFormChild(UINT id) {
    recordCall(L"UIModuleProxy::ClosePropertyFormChild(" + std::to_wstring(id) + L")");
    std::lock_guard lock(state().mutex);
    state().propertyFormChildren.erase(id);
}

const Korvo::UI::XML::ApplicationParameters* UIModuleProxy::SetRibbonApplicationParameters(
    const Korvo::UI::XML::ApplicationParameters* parameters) {
    std::lock_guard lock(state().mutex);
    return std::exchange(state().ribbonParameters, parameters);
}

const Korvo::UI::XML::ApplicationParameters* UIModuleProxy::GetRibbonApplicationParameters() const {
    std::lock_guard lock(state().mutex);
    return state().ribbonParameters;
}

bool UIModuleProxy::LoadRibbonTabParameters(LPCWSTR path) {
    recordCall(L"UIModuleProxy::LoadRibbonTabParameters(" + quoted(path) + L")");
    const std::wstring file = path ? path : L"";
    std::string bytes;
    if (const DWORD error = platform::files::readAll(file, bytes); error != 0) {
        recordWarning(file + L": cannot be read (error " + std::to_wstring(error) + L")");
        return false;
    }
    pugi::xml_document document;
    const auto result = document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        const auto line = 1 + std::count(bytes.begin(), bytes.begin() + std::min<std::ptrdiff_t>(result.offset, static_cast<std::ptrdiff_t>(bytes.size())), '\n');
        recordWarning(file + L"(" + std::to_wstring(line) + L"): malformed XML at offset " +
                      std::to_wstring(result.offset) + L": " + platform::core::fromUtf8(result.description()));
        return false;
    }
    std::lock_guard lock(state().mutex);
    state().ribbonTabParametersLoaded = true;
    return true;
}

bool UIModuleProxy::HasRibbonTabParameters() const {
    std::lock_guard lock(state().mutex);
    return state().ribbonTabParametersLoaded;
}
