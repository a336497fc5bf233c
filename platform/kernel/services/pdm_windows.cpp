// The PDM client's pages and explorers as plain windows that keep what they were made for, with
// counted handles the harness can watch and calls a test can make fail.
#include "platform/kernel/services/pdm_windows.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/win32/icons.h"

namespace {

using platform::kernel::pdmControl;
using platform::kernel::quoted;
using platform::kernel::recordCall;

void throwIfFailing(const wchar_t* call) {
    if (!pdmControl().failingCalls.contains(call)) return;
    throw new KVPDMExceptionProxy(CString(L"The PDM system did not answer: ") + call);
}

template <class T>
std::vector<T*>& live() {
    static std::vector<T*> all;
    return all;
}

template <class T>
void forget(T* object) {
    auto& all = live<T>();
    all.erase(std::remove(all.begin(), all.end(), object), all.end());
}

HWND makeWindow(const wchar_t* className, const CString& text) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    return CreateWindowExW(0, className, text.GetString(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

void destroyWindow(HWND& window) {
    if (window && IsWindow(window)) DestroyWindow(window);
    window = nullptr;
}

}  // namespace

KVPDMHandle::KVPDMHandle() { ++pdmControl().handlesAlive; }
KVPDMHandle::~KVPDMHandle() { --pdmControl().handlesAlive; }

void KVPDMHandle::Release() {
    if (--references_ == 0) delete this;
}

KVPDMPage::KVPDMPage(CString url) : url_(std::move(url)) { live<KVPDMPage>().push_back(this); }

KVPDMPage::~KVPDMPage() {
    forget(this);
    destroyWindow(window_);
}

KVPDMPageInformation::~KVPDMPageInformation() {
    if (icon_) DestroyIcon(icon_);
}

HWND KVPDMPage::GetWindow() {
    throwIfFailing(L"GetPageWindow");
    if (!window_ || !IsWindow(window_)) window_ = makeWindow(L"KVPDM.WorkmixPage", url_);
    return window_;
}

KVPDMPageInformation* KVPDMPage::GetInformation() {
    throwIfFailing(L"GetPageInformation");
    // The information's icon is the PDM client's; it is gone with the information.
    HICON icon = pdmControl().pageIcon ? platform::win32::createIcon(32, 32) : nullptr;
    return new KVPDMPageInformation(icon, pdmControl().pageTitle.c_str());
}

KVPDMPage* KVPDMPageFactory::CreatePage(LPCWSTR url) {
    recordCall(L"KVPDMPageFactory::CreatePage(" + quoted(url ? url : L"") + L")");
    throwIfFailing(L"CreatePage");
    return new KVPDMPage(url ? url : L"");
}

KVPDMPageFactory* KVPDMWorkMix::GetPageFactory() {
    static KVPDMPageFactory factory;
    return pdmControl().pageFactory ? &factory : nullptr;
}

KVPDMPaneObject* KVPDMWorkMix::GetPaneObject(int kind) {
    static std::array<KVPDMPaneObject, 7> objects{KVPDMPaneObject(0), KVPDMPaneObject(1), KVPDMPaneObject(2),
                                                  KVPDMPaneObject(3), KVPDMPaneObject(4), KVPDMPaneObject(5),
                                                  KVPDMPaneObject(6)};
    if (kind < 0 || kind > 6 || !pdmControl().explorerObjects[kind]) return nullptr;
    return &objects[static_cast<std::size_t>(kind)];
}

CString KVPDMPaneObject::GetName() const {
    throwIfFailing(L"GetObjectName");
    return pdmControl().objectNames[kind_].c_str();
}

KVPDMExplorer* KVPDMPaneObject::CreateExplorer() {
    recordCall(L"KVPDMPaneObject::CreateExplorer(" + std::to_wstring(kind_) + L")");
    throwIfFailing(L"CreateExplorer");
    return new KVPDMExplorer(kind_);
}

KVPDMExplorer* KVPDMPaneObject::CreateExplorerEx(int option) {
    recordCall(L"KVPDMPaneObject::CreateExplorerEx(" + std::to_wstring(kind_) +
               (option >= 0 ? L", " + std::to_wstring(option) : std::wstring()) + L")");
    throwIfFailing(L"CreateExplorer");
    return new KVPDMExplorer(kind_);
}

KVPDMExplorer::KVPDMExplorer(int kind) : kind_(kind) { live<KVPDMExplorer>().push_back(this); }

KVPDMExplorer::~KVPDMExplorer() {
    forget(this);
    if (command_) command_->Release();
    if (icon_) DestroyIcon(icon_);
    destroyWindow(window_);
}

void KVPDMExplorer::SetCommand(KVPDMExplorerCommand* command) {
    if (command) command->AddRef();
    if (command_) command_->Release();
    command_ = command;
}

// The picture the PDM client gives its explorers, told apart from the program's own icons.
constexpr UINT kExplorerIconResource = 7700;

HICON KVPDMExplorer::GetIcon() {
    if (!icon_ && pdmControl().explorerIcons) icon_ = platform::win32::createIcon(32, 32, kExplorerIconResource);
    return icon_;
}

HWND KVPDMExplorer::GetWindow() {
    if (!window_ || !IsWindow(window_)) window_ = makeWindow(L"KVPDM.Explorer", CString(L"explorer ") + std::to_wstring(kind_).c_str());
    return window_;
}

bool KVPDMExplorer::PreTranslateMessage(MSG*) {
    throwIfFailing(L"PreTranslate");
    return false;
}

void KVPDMExplorer::Refresh() {
    recordCall(L"KVPDMExplorer::Refresh(" + std::to_wstring(kind_) + L")");
    throwIfFailing(L"RefreshExplorer");
    ++refreshes_;
}

void KVPDMExplorer::Close() {
    recordCall(L"KVPDMExplorer::Close(" + std::to_wstring(kind_) + L")");
    throwIfFailing(L"CloseExplorer");
    destroyWindow(window_);
}

KVPDMWorkingCopy* AsWorkingCopy(KVPDMHandle* item) {
    auto* copy = dynamic_cast<KVPDMWorkingCopy*>(item);
    if (copy) copy->AddRef();
    return copy;
}

namespace platform::kernel {

std::vector<KVPDMExplorer*> liveExplorers() { return live<KVPDMExplorer>(); }
std::vector<KVPDMPage*> livePages() { return live<KVPDMPage>(); }

}  // namespace platform::kernel
