// The user at a frame's backstage: opening it on a tab, closing it, and what it shows.
#include "platform/core/journal.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/managedui.h"
#include "platform/toolkit.h"

namespace platform::harness {

CString readable(const CString& caption);

namespace {

using platform::core::handleText;
using platform::core::quoted;

CXTPRibbonBar* ribbonOfFrame(HWND frame) {
    auto* window = dynamic_cast<CXTPMDIFrameWnd*>(CWnd::FromHandlePermanent(frame));
    CXTPCommandBars* bars = window ? window->GetCommandBars() : nullptr;
    for (int i = 0; bars && i < bars->GetCount(); ++i)
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bars->GetAt(i))) return ribbon;
    return nullptr;
}

CXTPRibbonBackstageView* backstageOf(CXTPRibbonBar* ribbon) {
    CXTPRibbonControlSystemButton* system = ribbon ? ribbon->GetSystemButton() : nullptr;
    return system ? dynamic_cast<CXTPRibbonBackstageView*>(system->GetCommandBar()) : nullptr;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

void dumpHosted(CWnd* page, std::wstring& out) {
    if (auto* recent = dynamic_cast<CXTPRibbonBackstagePageRecent*>(page)) {
        for (const auto& item : recent->GetItems())
            out += L"  recent " + quoted(std::wstring(item.path)) + (item.network ? L" network" : L"") + L"\n";
        return;
    }
    const HWND window = page ? page->GetSafeHwnd() : nullptr;
    if (!window) {
        out += L"  (no window)\n";
        return;
    }
    const std::wstring kind = classOf(window);
    if (kind == L"KorvoManagedUI.Export") {
        out += L"  export control, filters " + std::to_wstring(KorvoManagedUIProxy::ExportController::GetFilters(window).size()) +
               L"\n";
        return;
    }
    if (kind == L"KorvoManagedUI.Prototypes") {
        out += L"  prototypes control, folder " + quoted(std::wstring(KorvoManagedUIProxy::PrototypesController::GetFolder(window))) +
               L", theme code " + std::to_wstring(KorvoManagedUIProxy::PrototypesController::GetThemeCode(window)) + L"\n";
        return;
    }
    bool any = false;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        any = true;
        auto* print = dynamic_cast<KVPrintWnd*>(CWnd::FromHandlePermanent(child));
        if (!print) {
            out += L"  window " + quoted(classOf(child)) + L"\n";
            continue;
        }
        const CDocument* document = print->GetDocument();
        out += L"  print window, document " + (document ? quoted(std::wstring(document->GetTitle())) : std::wstring(L"none")) + L"\n";
    }
    if (!any) out += L"  (nothing hosted)\n";
}

}  // namespace

std::optional<std::wstring> User::openBackstage(HWND frame, std::optional<int> id, std::wstring_view name) {
    const std::wstring which = id ? L" " + std::to_wstring(*id) : name.empty() ? L"" : L" " + quoted(std::wstring(name));
    platform::core::journal().add("user", L"backstage of " + handleText(frame) + which);
    CXTPRibbonBar* ribbon = ribbonOfFrame(frame);
    if (!ribbon || !ribbon->IsVisible()) return handleText(frame) + L" shows no ribbon";
    CXTPRibbonControlSystemButton* system = ribbon->GetSystemButton();
    CXTPRibbonBackstageView* view = backstageOf(ribbon);
    if (!system || !view || !system->IsVisible()) return L"the ribbon has no backstage";
    if (!system->GetEnabled()) return L"the ribbon's system button is disabled";
    int wanted = -1;
    if (id || !name.empty()) {
        const CString text(std::wstring(name).c_str());
        for (int i = 0; i < view->GetTabCount() && wanted < 0; ++i) {
            const auto& tab = *view->GetTab(i);
            if (id ? tab.id == *id : tab.name == text || readable(tab.caption) == readable(text)) wanted = i;
        }
        if (wanted < 0) return L"the backstage has no tab" + which;
    }
    if (!view->IsOpen()) system->OnExecute();
    if (!view->IsOpen()) return L"the backstage did not open";
    if (wanted < 0) return std::nullopt;
    const auto& tab = *view->GetTab(wanted);
    if (!tab.visible) return L"backstage tab" + which + L" is hidden";
    if (!tab.enabled) return L"backstage tab" + which + L" is disabled";
    view->SetActiveIndex(wanted);
    return std::nullopt;
}

std::optional<std::wstring> User::closeBackstage(HWND frame) {
    platform::core::journal().add("user", L"backstage close of " + handleText(frame));
    CXTPRibbonBar* ribbon = ribbonOfFrame(frame);
    if (!ribbon) return handleText(frame) + L" has no ribbon";
    // Closing what is closed is what Esc does there: nothing.
    if (CXTPRibbonBackstageView* view = backstageOf(ribbon)) view->Close();
    return std::nullopt;
}

namespace {

// A caption quoted on one line: a kernel string may hold line breaks, which print as escapes.
std::wstring oneLine(const CString& caption) {
    return platform::core::quotedInput(std::wstring_view(caption.GetString(), static_cast<std::size_t>(caption.GetLength())),
                                       std::wstring_view::npos);
}

}  // namespace

std::wstring Inspect::dumpBackstage(HWND frame) const {
    CXTPRibbonBar* ribbon = ribbonOfFrame(frame);
    if (!ribbon) return {};
    CXTPRibbonBackstageView* view = backstageOf(ribbon);
    if (!view) return L"backstage none\n";
    std::wstring out = std::wstring(L"backstage ") + (view->IsOpen() ? L"open" : L"closed") + L"\n";
    for (int i = 0; i < view->GetTabCount(); ++i) {
        const auto& tab = *view->GetTab(i);
        out += L"tab " + std::to_wstring(tab.id) + L" " + oneLine(readable(tab.caption));
        if (!tab.name.IsEmpty()) out += L" name " + oneLine(tab.name);
        if (!tab.enabled) out += L" disabled";
        if (!tab.visible) out += L" hidden";
        if (tab.defaultItem) out += L" default";
        if (view->GetActiveIndex() == i) out += L" active";
        out += L"\n";
    }
    if (view->GetActiveIndex() >= 0) {
        KorvoServerAppProxy* app = KorvoServerAppProxy::Instance();
        out += L"page help " + (app ? std::to_wstring(app->GetCurrentHelpId()) : std::wstring(L"none")) + L"\n";
        dumpHosted(view->GetTab(view->GetActiveIndex())->page, out);
    }
    out += L"theme " + std::to_wstring(view->GetTheme()) + L"\n";
    // The system menu's own items (the kernel's and add-ons' buttons), besides the tabs.
    const CXTPControls* items = view->GetControls();
    for (int i = 0; items && i < items->GetCount(); ++i) {
        const CXTPControl* item = items->GetAt(i);
        out += L"item " + std::to_wstring(item->GetID()) + L" " + oneLine(readable(item->GetCaption()));
        if (!item->GetEnabled()) out += L" disabled";
        if (!item->IsVisible()) out += L" hidden";
        out += L"\n";
    }
    return out;
}

}  // namespace platform::harness
