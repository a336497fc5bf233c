#include "documentsmenu/window/console_pane.h"

#include <cwchar>

#include "documentsmenu/browser/browser.h"
#include "documentsmenu/window/file_preview.h"
#include "documentsmenu/window/preview_history.h"
#include "platform/core/record.h"

namespace DocumentsMenu {

namespace {

PreviewWnd* FindPane(HWND window) {
    if (auto* pane = dynamic_cast<PreviewWnd*>(CWnd::FromHandlePermanent(window))) return pane;
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (PreviewWnd* pane = FindPane(child)) return pane;
    return nullptr;
}

std::wstring Quoted(const CString& text) { return platform::core::quoted(std::wstring(text.GetString())); }

const wchar_t* ModeName(int mode) {
    static constexpr const wchar_t* kNames[] = {L"none",  L"library", L"document", L"group",
                                                L"configuration", L"folder", L"form-factor"};
    return mode >= 0 && mode < 7 ? kNames[mode] : L"?";
}

std::wstring ButtonLine(const wchar_t* name, const CXTPControl* button) {
    if (!button) return {};
    return std::wstring(L"\n  ") + name + L" " + std::to_wstring(button->GetID()) +
           (button->GetEnabled() ? L" enabled" : L" disabled") + L" tooltip " + Quoted(button->GetTooltip());
}

// An entry as the user knows it; an object gone since is said so.
std::wstring EntryText(const HistoryEntry& entry) {
    switch (entry.kind) {
        case HistoryEntry::Kind::Configuration: {
            ILibrariesGroup* group = FindLibrariesGroup(entry.id);
            return L"configuration " + (group ? Quoted(group->GetName()) : std::wstring(L"(gone)")) + L" " + Quoted(entry.path);
        }
        case HistoryEntry::Kind::LibrariesGroup: {
            ILibrariesGroup* group = FindLibrariesGroup(entry.id);
            return L"group " + (group ? Quoted(group->GetName()) : std::wstring(L"(gone)"));
        }
        case HistoryEntry::Kind::Library: {
            ILibrary* library = FindLibrary(entry.id);
            return L"library " + (library ? Quoted(library->GetName()) : std::wstring(L"(gone)"));
        }
        case HistoryEntry::Kind::LibraryDocument: {
            ILibrary* library = FindLibrary(entry.id);
            return L"document " + (library ? Quoted(library->GetName()) : std::wstring(L"(gone)")) + L" " + Quoted(entry.path);
        }
        case HistoryEntry::Kind::Folder: return L"folder " + Quoted(entry.path);
    }
    return {};
}

}  // namespace

// #RRGGBB.
static std::wstring ColourText(COLORREF colour) {
    wchar_t text[8] = {};
    std::swprintf(text, 8, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

std::wstring BrowserPaneOutline(HWND window) {
    PreviewWnd* pane = IsWindow(window) ? FindPane(window) : nullptr;
    if (!pane) return {};
    CString location;
    if (IConfiguration* configuration = pane->GetCurrentConfiguration())
        location = static_cast<ILibrariesGroup*>(configuration)->GetName();
    else if (ILibrariesGroup* group = pane->GetCurrentLibrariesGroup())
        location = group->GetName();
    else if (ILibrary* library = pane->GetCurrentLibrary())
        location = library->GetName();
    else
        location = pane->GetCurrentPath();
    std::wstring dump = std::wstring(L"browser ") + ModeName(pane->GetMode()) + L" " + Quoted(location);
    dump += L" path " + Quoted(pane->GetCurrentPath()) + L" icon-size " + std::to_wstring(pane->GetIconSize());
    const CXTPToolBar* bar = pane->GetToolBar();
    dump += bar && bar->IsVisible() ? L" tool-bar shown" : L" tool-bar hidden";
    if (pane->GetMode() == PreviewWnd::kModeFilePreview) {
        const CWinBMP* image = pane->GetFilePreview()->GetImage();
        dump += image && image->IsValid()
                    ? L" picture " + std::to_wstring(image->width) + L"x" + std::to_wstring(image->height)
                    : std::wstring(L" picture none");
    }
    dump += ButtonLine(L"level-up", pane->GetLevelUpButton());
    if (bar) {
        dump += ButtonLine(L"back", bar->GetControls()->FindControl(static_cast<int>(PreviewWnd::kBackId)));
        dump += ButtonLine(L"forward", bar->GetControls()->FindControl(static_cast<int>(PreviewWnd::kForwardId)));
    }
    const PreviewWnd::History* history = pane->GetHistory();
    std::wstring colours = L"\n  colours background " + ColourText(pane->GetBackgroundColor()) + L" text " +
                           ColourText(pane->GetTextColor()) + L" theme " + Quoted(pane->GetThemeName());
    // What the shown list itself draws with.
    if (const Browser* shown = pane->GetShownBrowser(); shown && shown->GetSafeHwnd())
        colours += L"\n  list background " + ColourText(shown->GetBkColor()) + L" text " + ColourText(shown->GetTextColor()) +
                   L" text-background " + ColourText(shown->GetTextBkColor());
    if (!history) return dump + L"\n  history none" + colours;
    dump += L"\n  history " + std::to_wstring(history->GetCount()) + L" at " +
            (history->GetCount() ? std::to_wstring(history->GetPosition()) : std::wstring(L"-"));
    for (std::size_t index = 0; index < history->GetCount(); ++index)
        dump += std::wstring(index == history->GetPosition() ? L"\n  > " : L"\n    ") + std::to_wstring(index) + L" " +
                EntryText(history->At(index));
    return dump + colours;
}

}  // namespace DocumentsMenu
