// The console's verbs over the kernel's documents-menu model: open configurations, add library
// folders, and print the configurations tree as the documents menu shows it (the program hands
// the console the shell's outline of the tree); and the documents-menu window as its user works
// it: search, expand, collapse, hide and show rows.
#include <memory>
#include <stdexcept>
#include <vector>

#include "console/driver.h"
#include "platform/core/text.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace korvo::console {

namespace {

using namespace DocumentsMenu;

// The absolute form of a path as typed (relative ones against the program's current folder).
std::wstring fullPath(const std::wstring& typed) {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetFullPathNameW(typed.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    return length == 0 || length >= buffer.size() ? std::wstring() : std::wstring(buffer.data(), length);
}

std::wstring lastComponent(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring baseName(const std::wstring& path) {
    const std::wstring name = lastComponent(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

// An existing file is read; a missing one becomes a new configuration written there. Either way
// it ends as the active configuration, as the kernel's own opening does.
IConfiguration* openConfiguration(platform::harness::Session& session, const std::wstring& path) {
    IConfiguration* configuration = FindConfigurationByPath(path.c_str());
    if (!configuration && GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        configuration = session.kernel().documentsMenu().addConfiguration(path, baseName(path));
    } else if (!configuration) {
        configuration = CreateConfiguration(baseName(path).c_str(), false);
        if (configuration && (!configuration->Load(path.c_str()) || !GlobalCfgGroup()->AddConfiguration(configuration))) {
            configuration->Destroy();
            configuration = nullptr;
        }
    }
    if (configuration) configuration->SetActive(true);
    return configuration;
}

}  // namespace

bool Driver::addConfiguration(const Step& step) {
    const std::wstring path = fullPath(step.arguments.text);
    if (path.empty() || !openConfiguration(session_, path)) {
        printRefusal("documents-menu", L"cannot open the configuration \"" + step.arguments.text + L"\"");
    }
    return true;
}

bool Driver::addLibrary(const Step& step) {
    IConfigurationsGroup* global = GlobalCfgGroup();
    IConfiguration* last = global->GetCount() > 0 ? global->GetConfigurationAt(global->GetCount() - 1) : nullptr;
    if (!last) {
        printRefusal("documents-menu", L"no configuration is open to add the library to");
        return true;
    }
    const std::wstring& folder = step.arguments.text;
    const std::wstring name = lastComponent(folder);
    if (name.empty() || !session_.kernel().documentsMenu().addLibrary(last, name, folder)) {
        printRefusal("documents-menu", L"cannot add the library \"" + folder + L"\"");
        return true;
    }
    // Written at once, so a later run over the same host folder opens it with its libraries.
    if (!last->Save(false))
        printRefusal("documents-menu", L"cannot save \"" + std::wstring(last->GetPath().view()) + L"\"");
    return true;
}

namespace {

DocumentsMenuHooks g_hooks;

constexpr const wchar_t* kMissing = L"the documents menu is not part of this program";

}  // namespace

void setDocumentsMenuHooks(const DocumentsMenuHooks& hooks) { g_hooks = hooks; }

void closeDocumentsMenu() {
    if (g_hooks.close) g_hooks.close();
}

bool Driver::dumpDocumentsMenu(const Step&) {
    if (!g_hooks.outline) {
        transcript_.print(std::wstring(L"dump documents-menu: ") + kMissing);
        return true;
    }
    printDump(g_hooks.outline(), L"(no configurations)");
    return true;
}

bool Driver::documentsMenuDid(const std::wstring& refusal) {
    if (!refusal.empty()) printRefusal("documents-menu", refusal);
    if (session_.running()) session_.runUntilIdle();
    return true;
}

bool Driver::expandDocumentsMenuRow(const Step& step) {
    if (!g_hooks.expand) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.expand(step.arguments.text));
}

bool Driver::enterDocumentsMenuRow(const Step& step) {
    if (!g_hooks.enter) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.enter(step.arguments.text));
}

bool Driver::renameDocumentsMenuRow(const Step& step) {
    if (!g_hooks.rename) return documentsMenuDid(kMissing);
    return documentsMenuDid(g_hooks.rename(step.arguments.text, step.arguments.name));
}

}  // namespace korvo::console

namespace korvo::console {

namespace {

constexpr unsigned kDocumentsMenuPane = 1004;
constexpr unsigned kSearchBox = 692;

std::wstring verbName(const Step& step) { return platform::core::fromUtf8(std::string(verbs()[step.verb].name())); }

CXTPReportControl* reportOf(HWND report) {
    return dynamic_cast<CXTPReportControl*>(CWnd::FromHandlePermanent(report));
}

// The item index of the column named `name` ("Name", "Visible"), or -1.
int columnNamed(HWND report, const wchar_t* name) {
    CXTPReportControl* control = reportOf(report);
    for (int i = 0; control && i < control->GetColumns()->GetCount(); ++i) {
        const CXTPReportColumn* column = control->GetColumns()->GetAt(i);
        if (column->GetInternalName() == name) return column->GetItemIndex();
    }
    return -1;
}

}  // namespace

HWND Driver::documentsMenuWindow(const Step& step) {
    for (HWND frame : session_.inspect().mainFrames()) {
        if (const HWND window = session_.inspect().paneWindow(frame, kDocumentsMenuPane)) return window;
    }
    printRefusal(platform::core::toUtf8(verbName(step)), L"no main frame has the documents menu's pane");
    return nullptr;
}

int Driver::documentsMenuRow(const Step& step, HWND& report) {
    const HWND window = documentsMenuWindow(step);
    report = window ? session_.inspect().shownReportControl(window) : nullptr;
    if (!report) return -1;
    const int row = session_.user().report(report).find(step.arguments.text);
    if (row < 0) printRefusal(platform::core::toUtf8(verbName(step)), L"no row \"" + step.arguments.text + L"\" is shown");
    return row;
}

bool Driver::searchDocumentsMenu(const Step& step) {
    const HWND window = documentsMenuWindow(step);
    if (!window) return true;
    try {
        session_.user().enterText(window, kSearchBox, step.arguments.text);
    } catch (const std::invalid_argument& error) {
        std::string what = error.what();
        if (what.rfind("harness: ", 0) == 0) what.erase(0, 9);
        printRefusal(platform::core::toUtf8(verbName(step)), platform::core::fromUtf8(what));
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::expandDocumentsPaneRow(const Step& step) {
    HWND report = nullptr;
    const int row = documentsMenuRow(step, report);
    if (row < 0) return true;
    const CXTPReportRow* found = reportOf(report)->GetRows()->GetAt(row);
    if (!found->HasChildren()) {
        printRefusal(platform::core::toUtf8(verbName(step)), L"row \"" + step.arguments.text + L"\" has nothing to expand");
    } else if (!found->IsExpanded()) {
        session_.user().report(report).expand(row);
    }
    session_.runUntilIdle();
    return true;
}

bool Driver::collapseDocumentsMenuRow(const Step& step) {
    HWND report = nullptr;
    const int row = documentsMenuRow(step, report);
    if (row < 0) return true;
    if (reportOf(report)->GetRows()->GetAt(row)->IsExpanded()) session_.user().report(report).collapse(row);
    session_.runUntilIdle();
    return true;
}

bool Driver::toggleDocumentsMenuRowVisible(const Step& step) {
    HWND report = nullptr;
    const int row = documentsMenuRow(step, report);
    if (row < 0) return true;
    session_.user().report(report).click(row, columnNamed(report, L"Visible"));
    session_.runUntilIdle();
    return true;
}

bool Driver::selectDocumentsMenuRow(const Step& step) {
    HWND report = nullptr;
    const int row = documentsMenuRow(step, report);
    if (row < 0) return true;
    session_.user().report(report).click(row, columnNamed(report, L"Name"));
    session_.runUntilIdle();
    return true;
}

bool Driver::toggleDocumentsMenuShowHidden(const Step& step) {
    const HWND window = documentsMenuWindow(step);
    const HWND report = window ? session_.inspect().shownReportControl(window) : nullptr;
    if (!report) return true;
    session_.user().report(report).clickHeader(columnNamed(report, L"Visible"));
    session_.runUntilIdle();
    return true;
}

}  // namespace korvo::console
