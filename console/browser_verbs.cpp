// The console at a list of icons (the documents menu's browser): its rows as shown, a label
// edited in place, and the host folder changed behind the program's back as another program
// would.
#include "console/driver.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/textcore/clipboard.h"

namespace korvo::console {

namespace {

ListRowHooks g_listHooks;
std::wstring (*g_browserPaneOutline)(HWND window) = nullptr;
std::wstring (*g_watchesOutline)() = nullptr;

}  // namespace

void setListRowHooks(const ListRowHooks& hooks) { g_listHooks = hooks; }

void setBrowserPaneOutline(std::wstring (*outline)(HWND window)) { g_browserPaneOutline = outline; }

bool Driver::dumpBrowser(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    printDump(g_browserPaneOutline ? g_browserPaneOutline(window) : std::wstring(), L"(no browser pane)");
    return true;
}

void setWatchesOutline(std::wstring (*outline)()) { g_watchesOutline = outline; }

bool Driver::dumpWatches(const Step&) {
    printDump(g_watchesOutline ? g_watchesOutline() : std::wstring(), L"(no watched folders)");
    return true;
}

bool Driver::dumpClipboard(const Step&) {
    const CString text = Korvo::ClipboardManager::GetText();
    printDump(L"clipboard " + (text.IsEmpty() ? std::wstring(L"empty") : platform::core::quoted(std::wstring(text.GetString()))),
              L"");
    return true;
}

bool Driver::renameRow(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    if (auto refusal =
            session_.user().renameListRow(window, static_cast<int>(step.arguments.number), step.arguments.text)) {
        printRefusal("row", *refusal);
        return true;
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::dumpList(const Step& step) {
    const HWND window = windowFor(step);
    if (!window) return false;
    const HWND list = session_.inspect().listView(window);
    if (!list) {
        printDump(L"", L"(no list)");
        return true;
    }
    std::wstring dump = L"list";
    if (g_listHooks.heading) dump += L" " + g_listHooks.heading(list);
    const auto rows = session_.inspect().listViewRows(list);
    dump += L" rows " + std::to_wstring(rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto& row = rows[index];
        dump += L"\n  " + std::to_wstring(index) + L" " + platform::core::quoted(row.text) + L" data " +
                std::to_wstring(row.data) + L" icon " + (row.image ? std::to_wstring(*row.image) : std::wstring(L"-"));
        if (g_listHooks.row) {
            const std::wstring more = g_listHooks.row(list, row.data);
            if (!more.empty()) dump += L" " + more;
        }
    }
    // A list that draws its own rows shows what it drew.
    if (static_cast<DWORD>(GetWindowLongPtrW(list, GWL_STYLE)) & LVS_OWNERDRAWFIXED) {
        dump += L"\npaint";
        for (const std::wstring& line : session_.inspect().drawing(list)) dump += L"\n  " + line;
    }
    printDump(dump, L"");
    return true;
}

bool Driver::fileWrite(const Step& step) {
    if (auto refusal = session_.files().writeOutside(step.arguments.text)) printRefusal("file", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::fileMakeFolder(const Step& step) {
    if (auto refusal = session_.files().makeFolderOutside(step.arguments.text)) printRefusal("file", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::fileDelete(const Step& step) {
    if (auto refusal = session_.files().removeOutside(step.arguments.text)) printRefusal("file", *refusal);
    session_.runUntilIdle();
    return true;
}

bool Driver::fileRename(const Step& step) {
    if (auto refusal = session_.files().renameOutside(step.arguments.text, step.arguments.name))
        printRefusal("file", *refusal);
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console
