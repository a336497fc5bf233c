#include "platform/kernel/ui/uimodule.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <utility>

#include <pugixml.hpp>

#include "platform/core/api_text.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/session.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/toolkit.h"
#include "platform/win32/edges.h"
#include "platform/mfc/xml_reading.h"

namespace {

using platform::kernel::boolText;
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
    std::map<Korvo::UI::MainFrame*, UIModuleProxy::CommandBarsIconSize> iconSizes;
    std::set<UINT> propertyFormChildren;
    int deactivations = 0;
    HWND dockFormView = nullptr;
    CBaseDockFormView* dockFormViewObject = nullptr;
    bool transientPopup = false;
};

// Never destroyed: main frames leave the registry from their destructors, which may run after
// every function-local static has gone.
UiModuleState& state() {
    static auto* instance = new UiModuleState();
    return *instance;
}

MainFrameCalls& installedFrameCalls() {
    static MainFrameCalls calls;
    return calls;
}

// The installed calls; a strict failure naming `caller` when the UI library installed none.
const MainFrameCalls* frameCalls(const wchar_t* caller) {
    const MainFrameCalls& calls = installedFrameCalls();
    if (calls.window && calls.takeTheme && calls.activated) return &calls;
    platform::core::reportFailure(std::wstring(caller) + L": the UI library installed no main-frame calls");
    return nullptr;
}

HWND windowHandle(const CWnd* window) { return window ? window->GetSafeHwnd() : nullptr; }
HWND frameHandle(Korvo::UI::MainFrame* frame) { return windowHandle(MainFrameWindow(frame)); }

// Calls `action` for every registered frame in creation order, outside the lock; a frame that an
// earlier call removed (closed) is skipped, one registered meanwhile is not visited.
template <class Action>
void forEachRegisteredFrame(Action&& action) {
    const auto frames = UIModuleProxy::Instance().GetMainFrames();
    for (auto* frame : frames) {
        const auto current = UIModuleProxy::Instance().GetMainFrames();
        if (std::find(current.begin(), current.end(), frame) != current.end()) action(frame);
    }
}

}  // namespace

void InstallMainFrameCalls(const MainFrameCalls& calls) { installedFrameCalls() = calls; }

CFrameWnd* MainFrameWindow(Korvo::UI::MainFrame* frame) {
    if (!frame) return nullptr;
    const MainFrameCalls* calls = frameCalls(L"MainFrameWindow");
    return calls ? calls->window(*frame) : nullptr;
}

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

namespace {
CView* g_activePageView = nullptr;
}  // namespace

void UIModuleProxy::SetActiveView(CView* view) {
    recordCall(L"UIModuleProxy::SetActiveView(" + platform::core::handleText(view ? view->GetSafeHwnd() : nullptr) + L")");
    g_activePageView = view;
}

CView* UIModuleProxy::GetActiveView() const { return g_activePageView; }

void UIModuleProxy::NotifyModalBoxBegin() {
    recordCall(L"UIModuleProxy::NotifyModalBoxBegin()");
    auto& s = state();
    std::lock_guard lock(s.mutex);
    ++s.modalDepth;
    ++s.modalCount;
}

void UIModuleProxy::NotifyRecentPath(const SharedPathName& path) {
    recordCall(L"UIModuleProxy::NotifyRecentPath(" + quoted(path.view()) + L")");
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

namespace {

// The report theme of a UI theme, by the family its name begins with.
int reportThemeOf(std::wstring_view name) {
    if (name.starts_with(L"office2013")) return 4;
    if (name.starts_with(L"msvs2015")) return 8;
    if (name.starts_with(L"office2016")) return 11;
    return 0;
}

// The toolkit's paint theme of a UI theme: the Office 2016 themes are the Office 2013 paint theme
// with other colours.
int paintThemeOf(std::wstring_view name) {
    if (name.starts_with(L"office2013") || name.starts_with(L"office2016")) return 12;
    if (name.starts_with(L"msvs2015")) return 16;
    return 0;
}

}  // namespace

std::vector<Korvo::UI::Theme> UIModuleProxy::GetThemes() const {
    std::vector<Korvo::UI::Theme> themes;
    int index = 0;
    for (const auto& [name, caption] : platform::kernel::control().themes) {
        const int paint = paintThemeOf(name);
        const bool dark = name.find(L"dark") != std::wstring::npos || name.find(L"black") != std::wstring::npos;
        themes.push_back({index++, CString(name), CString(caption), reportThemeOf(name), paint, paint,
                          dark ? RGB(45, 45, 48) : RGB(240, 240, 240)});
    }
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
    forEachRegisteredFrame([&](Korvo::UI::MainFrame* frame) {
        if (const MainFrameCalls* calls = frameCalls(L"UIModuleProxy::ApplyTheme")) calls->takeTheme(*frame, theme);
    });
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
    forEachRegisteredFrame([&](Korvo::UI::MainFrame* frame) { callback(MainFrameWindow(frame)); });
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
    if (!frame) return;
    if (const MainFrameCalls* calls = frameCalls(L"UIModuleProxy::SetActiveMainFrame")) calls->activated(*frame, previous);
}

bool UIModuleProxy::CommandStateGet(UINT command, bool& enabled, bool& checked) const {
    const auto& states = platform::kernel::control().commandStates;
    const auto it = states.find(command);
    if (it == states.end()) return false;
    enabled = it->second.enabled;
    checked = it->second.checked;
    return true;
}

bool UIModuleProxy::IsCommandEnabled(UINT command, HWND window) const {
    Korvo::UI::MainFrame* frame = GetMainFrameOf(window);
    if (!frame) frame = GetActiveMainFrame();
    CFrameWnd* site = MainFrameWindow(frame);
    if (!site || !site->GetSafeHwnd()) return false;
    CCmdUI probe;
    probe.m_nID = command;
    probe.DoUpdate(site, site->m_bAutoMenuEnable);
    return probe.m_stateEnabled != FALSE;
}

bool UIModuleProxy::DrawCommandIcon(HDC dc, UINT command, POINT at, int size, bool disabled, HWND window) const {
    Korvo::UI::MainFrame* frame = GetMainFrameOf(window);
    if (!frame) frame = GetActiveMainFrame();
    const auto* site = dynamic_cast<const CXTPMDIFrameWnd*>(MainFrameWindow(frame));
    CXTPCommandBars* bars = site ? site->GetCommandBars() : nullptr;
    const CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr;
    if (size <= 0) return false;
    // An icon the frame's bars hold for the command (one bound to it, one the user made) comes
    // first; else the kernel's icons library's, which holds an icon for every command it names
    // (the stand-in has pictures of a few, and an icon without one still stands for its id).
    const CXTPImageManagerIcon* image = images ? images->GetImage(command, size) : nullptr;
    const UINT resource = image ? image->GetResourceID() : command;
    auto icon = static_cast<HICON>(LoadImageW(GlobalContainer::GetIconsDll(), resource, IMAGE_ICON, size, size, 0));
    if (!icon) icon = platform::win32::createIcon(size, size, resource);
    if (!icon) return false;
    const BOOL drawn = ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, at.x, at.y, size, size,
                                    DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
    ::DestroyIcon(icon);
    return drawn != FALSE;
}

namespace UIModule {

FakeActiveMainFrameManager::FakeActiveMainFrameManager(Korvo::UI::MainFrame* frame) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    if (!frame || std::find(s.frames.begin(), s.frames.end(), frame) == s.frames.end()) return;
    previous_ = s.active;
    s.active = frame;
    faked_ = true;
}

FakeActiveMainFrameManager::~FakeActiveMainFrameManager() {
    if (!faked_) return;
    auto& s = state();
    std::lock_guard lock(s.mutex);
    const bool previousAlive = std::find(s.frames.begin(), s.frames.end(), previous_) != s.frames.end();
    s.active = previousAlive ? previous_ : nullptr;
}

}  // namespace UIModule

void UIModuleProxy::ReportResourceFailure(const CException* error) {
    const CString text = error ? error->GetErrorText() : CString();
    recordCall(L"UIModuleProxy::ReportResourceFailure(" + platform::core::quoted(text.GetString()) + L")");
}

void UIModuleProxy::NotifyApplicationDeactivated() {
    {
        std::lock_guard lock(state().mutex);
        ++state().deactivations;
    }
    recordCall(L"UIModuleProxy::NotifyApplicationDeactivated()");
}

int UIModuleProxy::GetApplicationDeactivationCount() const {
    std::lock_guard lock(state().mutex);
    return state().deactivations;
}

Korvo::UI::MainFrame* UIModuleProxy::GetMainFrameOf(HWND window) const {
    const auto frames = GetMainFrames();
    for (HWND current = window; current; current = ::GetParent(current)) {
        for (auto* frame : frames)
            if (frameHandle(frame) == current) return frame;
    }
    return nullptr;
}

void UIModuleProxy::BindCommandIcon(CXTPCommandBars* bars, UINT command, UINT iconId) {
    recordCall(L"UIModuleProxy::BindCommandIcon(" + std::to_wstring(command) + L", " + std::to_wstring(iconId) + L")");
    if (bars && bars->GetImageManager()) bars->GetImageManager()->SetIcon(command, 16);
}

namespace {

// The pictures of the kernel's icons the UI module holds (others have none here): 40782, the
// read-only mark, a padlock on a transparent ground.
std::optional<std::vector<std::uint32_t>> kernelIconPicture(UINT iconId) {
    constexpr UINT kReadOnlyMark = 40782;
    if (iconId != kReadOnlyMark) return std::nullopt;
    constexpr std::uint32_t kBody = 0xFFC08000u, kShackle = 0xFF505050u;
    std::vector<std::uint32_t> pixels(16 * 16, 0);
    for (int y = 7; y < 15; ++y)
        for (int x = 3; x < 13; ++x) pixels[static_cast<std::size_t>(y * 16 + x)] = kBody;
    for (int y = 2; y < 7; ++y)
        for (int x : {5, 10}) pixels[static_cast<std::size_t>(y * 16 + x)] = kShackle;
    for (int x = 5; x < 11; ++x) pixels[static_cast<std::size_t>(2 * 16 + x)] = kShackle;
    return pixels;
}

}  // namespace

void UIModuleProxy::BindIcon(CXTPImageManager* images, UINT command, UINT iconId) {
    recordCall(L"UIModuleProxy::BindIcon(" + std::to_wstring(command) + L", " + std::to_wstring(iconId) + L")");
    if (!images) return;
    if (auto picture = kernelIconPicture(iconId)) images->SetIcon(command, new CXTPImageManagerIcon(command, 16, 16, std::move(*picture)));
    else images->SetIcon(command, 16);
}

int UIModuleProxy::AddIconToImageList(CImageList& images, UINT iconId) const {
    recordCall(L"UIModuleProxy::AddIconToImageList(" + std::to_wstring(iconId) + L")");
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(images.GetSafeHandle(), &cx, &cy)) return -1;
    // The kernel's icons library holds every icon the kernel names; the stand-in has pictures of
    // a few, and an icon without one still stands for its id.
    auto icon = static_cast<HICON>(LoadImageW(GlobalContainer::GetIconsDll(), iconId, IMAGE_ICON, cx, cy, 0));
    if (!icon) icon = platform::win32::createIcon(cx, cy, iconId);
    const int index = images.Add(icon);
    DestroyIcon(icon);
    return index;
}

void UIModuleProxy::SetCommandBarsIconSize(CFrameWnd* window, SIZE size, bool largeIcons) {
    recordCall(L"UIModuleProxy::SetCommandBarsIconSize(" + handleText(windowHandle(window)) + L", {" +
               std::to_wstring(size.cx) + L", " + std::to_wstring(size.cy) + L"}, " + boolText(largeIcons) + L")");
    auto& s = state();
    std::lock_guard lock(s.mutex);
    const auto it = std::find_if(s.frames.begin(), s.frames.end(),
                                 [&](Korvo::UI::MainFrame* frame) { return window && MainFrameWindow(frame) == window; });
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
        if (window && MainFrameWindow(frame) == window) return iconSize;
    return std::nullopt;
}

void UIModuleProxy::AdjustCommandBarsOptions(CXTPCommandBars* bars) const {
    if (!bars) {
        platform::core::reportFailure(L"UIModuleProxy::AdjustCommandBarsOptions: no command bars");
        return;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(bars->GetSite());
    recordCall(L"UIModuleProxy::AdjustCommandBarsOptions(" + handleText(windowHandle(frame)) + L")");
    const auto iconSize = GetCommandBarsIconSize(frame);
    if (!iconSize) return;
    CXTPCommandBarsOptions* options = bars->GetCommandBarsOptions();
    options->szLargeIcons = iconSize->size;
    options->bLargeIcons = iconSize->largeIcons;
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
    const std::wstring_view file = platform::core::viewOf(path);
    std::string bytes;
    pugi::xml_document document;
    return platform::xml::readXmlFile(file, bytes) && platform::xml::parseXml(document, bytes, file);
}

void UIModule::ResetCancellationWindow() { platform::kernel::recordCall(L"UIModule::ResetCancellationWindow()"); }

int UIModuleProxy::GetBestUnscaledIconSize(int pixels) {
    for (int size : {32, 24, 16})
        if (size <= pixels) return size;
    return 16;
}

void UIModuleProxy::ReapplyRibbonTabSet(CWnd* frame, const GUID& set, const std::function<bool(int)>& keep) {
    std::wstring kept;
    for (int id = 0; id <= 2; ++id) {
        if (keep && !keep(id)) continue;
        kept += (kept.empty() ? L"" : L",") + std::to_wstring(id);
    }
    recordCall(L"UIModuleProxy::ReapplyRibbonTabSet(" + handleText(windowHandle(frame)) + L", " + platform::mfc::formatGuid(set) +
               L", keeps " + (kept.empty() ? std::wstring(L"none") : kept) + L")");
}

HWND UIModuleProxy::GetCurrentDockFormViewWindow() const {
    std::lock_guard lock(state().mutex);
    return state().dockFormView;
}

void UIModuleProxy::SetCurrentDockFormViewWindow(HWND window) {
    std::lock_guard lock(state().mutex);
    state().dockFormView = window;
}

CBaseDockFormView* UIModuleProxy::GetCurrentDockFormView() const {
    std::lock_guard lock(state().mutex);
    return state().dockFormViewObject;
}

void UIModuleProxy::SetCurrentDockFormView(CBaseDockFormView* view) {
    std::lock_guard lock(state().mutex);
    state().dockFormViewObject = view;
}

bool UIModuleProxy::IsTransientPopupOpen() const {
    std::lock_guard lock(state().mutex);
    return state().transientPopup;
}

void UIModuleProxy::SetTransientPopupOpen(bool open) {
    std::lock_guard lock(state().mutex);
    state().transientPopup = open;
}

void UIModuleProxy::CloseTransientPopup() {
    recordCall(L"UIModuleProxy::CloseTransientPopup()");
    SetTransientPopupOpen(false);
}

namespace UIModule {
LOGFONTW GetFontDescription() {
    LOGFONTW font;
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const wchar_t face[] = L"Segoe UI";
    std::copy(std::begin(face), std::end(face), font.lfFaceName);
    return font;
}
}  // namespace UIModule
