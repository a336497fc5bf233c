// The user at the document tabs and the message bars, and what the tabs and paints show.
#include <sstream>
#include <stdexcept>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/harness.h"
#include "platform/toolkit.h"

namespace platform::harness {

namespace {

using platform::core::handleText;

CXTPTabClientWnd* tabClientOf(HWND frame) {
    auto* window = dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(frame));
    if (!window || !window->m_hWndMDIClient) return nullptr;
    return dynamic_cast<CXTPTabClientWnd*>(CWnd::FromHandlePermanent(window->m_hWndMDIClient));
}

std::wstring rectText(const RECT& r) { return core::rectText(r.left, r.top, r.right, r.bottom); }

struct TabRef {
    CXTPTabClientWnd* client = nullptr;
    CXTPTabManagerAtom* group = nullptr;
    CXTPTabManagerItem* item = nullptr;
};

// Tab `tab` (1-based over every group, the new-window items included) of the frame's tabs.
TabRef findTab(HWND frame, int tab) {
    CXTPTabClientWnd* client = tabClientOf(frame);
    if (!client) throw std::invalid_argument("harness: " + core::toUtf8(handleText(frame)) + " shows no document tabs");
    client->UpdateContents();
    int number = 0;
    for (int g = 0; g < client->GetWorkspaceCount(); ++g) {
        CXTPTabManagerAtom* group = client->GetWorkspace(g);
        for (int i = 0; i < group->GetItemCount(); ++i)
            if (++number == tab) return TabRef{client, group, group->GetItem(i)};
    }
    throw std::invalid_argument("harness: there is no tab " + std::to_string(tab) + " (" + std::to_string(number) +
                                " shown)");
}

POINT centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void journalUser(const std::wstring& what) { platform::core::journal().add("user", what); }

}  // namespace

void User::clickTab(HWND frame, int tab) {
    TabRef ref = findTab(frame, tab);
    journalUser(L"click tab " + std::to_wstring(tab) + L" of " + handleText(frame));
    ref.group->ClickItem(ref.item);
    ref.client->UpdateContents();
}

void User::clickTabCloseButton(HWND frame, int tab) {
    TabRef ref = findTab(frame, tab);
    auto& buttons = ref.item->GetNavigateButtons();
    for (auto& button : buttons)
        if (button.GetID() == xtpTabNavigateButtonClose && button.IsVisible()) {
            journalUser(L"close button of tab " + std::to_wstring(tab) + L" of " + handleText(frame));
            ref.group->OnNavigateButtonClick(&button);
            return;
        }
    throw std::invalid_argument("harness: tab " + std::to_string(tab) + " has no close button");
}

void User::middleClickTab(HWND frame, int tab) {
    TabRef ref = findTab(frame, tab);
    const POINT at = centre(ref.item->GetRect());
    journalUser(L"middle button on tab " + std::to_wstring(tab) + L" of " + handleText(frame));
    SendMessageW(ref.client->GetSafeHwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void User::rightClickTab(HWND frame, int tab) {
    TabRef ref = findTab(frame, tab);
    POINT at = centre(ref.item->GetRect());
    ClientToScreen(ref.client->GetSafeHwnd(), &at);
    journalUser(L"context menu on tab " + std::to_wstring(tab) + L" of " + handleText(frame));
    SendMessageW(ref.client->GetSafeHwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ref.client->GetSafeHwnd()),
                 MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
}

void User::expectMenu(std::function<unsigned(const std::vector<std::wstring>& lines)> choose) {
    platform::core::userAgent().expectTrackedMenu([choose](const platform::core::TrackedMenuRequest& request) -> UINT {
        std::vector<std::wstring> lines;
        std::wistringstream text(platform::core::describeMenu(request.items));
        for (std::wstring line; std::getline(text, line);) lines.push_back(line);
        return choose(lines);
    });
}

void User::pressButton(HWND button) {
    const HWND parent = GetParent(button);
    if (!IsWindow(button) || !parent) throw std::invalid_argument("harness: " + core::toUtf8(handleText(button)) + " is no button");
    journalUser(L"press " + handleText(button));
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), 0),
                 reinterpret_cast<LPARAM>(button));
}

std::wstring Inspect::dumpTabs(HWND frame) const {
    CXTPTabClientWnd* client = tabClientOf(frame);
    if (!client) return {};
    client->UpdateContents();
    std::wstring dump;
    int number = 0;
    const HWND active = reinterpret_cast<HWND>(SendMessageW(client->GetSafeHwnd(), WM_MDIGETACTIVE, 0, 0));
    for (int g = 0; g < client->GetWorkspaceCount(); ++g) {
        CXTPTabManagerAtom* group = client->GetWorkspace(g);
        dump += L"group " + std::to_wstring(g + 1) + L" " + rectText(group->GetRect()) + L"\n";
        for (int i = 0; i < group->GetItemCount(); ++i) {
            const CXTPTabManagerItem* item = group->GetItem(i);
            dump += L"  " + std::to_wstring(++number) + L" ";
            if (item->IsNewWindowItem()) {
                dump += L"new-window item " + rectText(item->GetRect()) + L"\n";
                continue;
            }
            dump += handleText(item->GetHandle()) + L" " + core::quoted(std::wstring(item->GetCaption().GetString()));
            if (item->GetHandle() == active) dump += L" selected";
            dump += L" " + rectText(item->GetRect()) + L" tip " + core::quoted(std::wstring(item->GetTooltip().GetString()));
            for (const auto& button : item->GetNavigateButtons())
                if (button.IsVisible() && button.GetID() == xtpTabNavigateButtonClose)
                    dump += L" close " + rectText(button.GetRect());
            dump += L"\n";
        }
    }
    if (!dump.empty()) dump.pop_back();
    return dump;
}

std::vector<int> Inspect::documentTabsCaptioned(HWND frame, std::wstring_view caption) const {
    std::vector<int> numbers;
    CXTPTabClientWnd* client = tabClientOf(frame);
    if (!client) return numbers;
    client->UpdateContents();
    int number = 0;
    for (int g = 0; g < client->GetWorkspaceCount(); ++g) {
        const CXTPTabManagerAtom* group = client->GetWorkspace(g);
        for (int i = 0; i < group->GetItemCount(); ++i) {
            ++number;
            const CXTPTabManagerItem* item = group->GetItem(i);
            if (!item->IsNewWindowItem() && item->GetCaption().view() == caption) numbers.push_back(number);
        }
    }
    return numbers;
}

std::vector<std::wstring> Inspect::drawing(HWND window) const { return platform::win32::windowDrawing(window); }

}  // namespace platform::harness
