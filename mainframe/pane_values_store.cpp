#include "mainframe/pane_values_store.h"

#include <vector>

#include "app/kvw32_app.h"
#include "platform/win32.h"

namespace {

constexpr const wchar_t* kRoot = L"state";
constexpr const wchar_t* kPath[] = {L"MainWindow", L"codejock", L"normalLayout", L"DockingPane"};

// The layout's section, made (storing) or found (loading) below the root.
std::unique_ptr<CXTPPropExchange> LayoutSection(CXTPPropExchangeXMLNode& root) {
    std::unique_ptr<CXTPPropExchange> section = root.GetSection(kPath[0]);
    for (std::size_t i = 1; i < std::size(kPath) && section; ++i) section = section->GetSection(kPath[i]);
    return section;
}

CString ExpandedAppData() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = ExpandEnvironmentStringsW(L"%APPDATA%", buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length > buffer.size() || buffer[0] == L'%') return CString();
    return CString(buffer.data());
}

void CreateFolders(const CString& path) {
    for (int at = path.Find(L'\\', 3); at >= 0; at = path.Find(L'\\', at + 1)) CreateDirectoryW(path.Left(at), nullptr);
}

}  // namespace

CString GetPaneValuesFilePath() {
    CKvw32App* app = CKvw32App::Instance();
    const CString appData = ExpandedAppData();
    if (!app || appData.IsEmpty()) return CString();
    return appData + L"\\" + app->GetCompany() + L"\\" + app->GetRegistryName() + L"\\MainFrame\\state.xml";
}

bool SavePaneValues(CXTPDockingPaneManager& manager, const CString& path) {
    if (path.IsEmpty()) return false;
    std::unique_ptr<CXTPDockingPaneLayout> layout = manager.CreateLayout();
    manager.GetLayout(layout.get());
    CXTPPropExchangeXMLNode root(FALSE, kRoot);
    std::unique_ptr<CXTPPropExchange> section = LayoutSection(root);
    if (!section || !layout->DoPropExchange(section.get())) return false;
    CreateFolders(path);
    return root.SaveToFile(path) != FALSE;
}

bool LoadPaneValues(CXTPDockingPaneManager& manager, const CString& path) {
    if (path.IsEmpty() || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
    CXTPPropExchangeXMLNode root(TRUE, kRoot);
    if (!root.LoadFromFile(path)) return false;
    std::unique_ptr<CXTPPropExchange> section = LayoutSection(root);
    std::unique_ptr<CXTPDockingPaneLayout> layout = manager.CreateLayout();
    if (!section || !layout->DoPropExchange(section.get())) return false;
    for (const CXTPDockingPaneLayout::PaneEntry& entry : layout->GetEntries()) {
        CXTPDockingPane* pane = manager.FindPane(entry.id);
        if (pane && entry.saved) pane->DoPropExchange(entry.saved.get());
    }
    return true;
}
