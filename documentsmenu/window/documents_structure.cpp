#include "documentsmenu/window/documents_structure.h"

#include <vector>

#include "documentsmenu/records/configuration_record.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/records/libraries_group_record.h"
#include "documentsmenu/records/library_record.h"

namespace DocumentsMenu {

namespace {

constexpr DWORD kViewStyle = WS_CHILD;

// The object a row stands for: its configuration or group, or its library.
ILibrariesGroup* GroupOf(CXTPReportRecord* record) {
    if (auto* configuration = dynamic_cast<ConfigurationRecord*>(record))
        return static_cast<ILibrariesGroup*>(configuration->GetConfiguration());
    if (auto* group = dynamic_cast<LibrariesGroupRecord*>(record)) return group->GetLibrariesGroup();
    return nullptr;
}

ILibrary* LibraryOf(CXTPReportRecord* record) {
    auto* library = dynamic_cast<LibraryRecord*>(record);
    return library ? library->GetLibrary() : nullptr;
}

template <class Match>
Record* FindIn(CXTPReportRecords* records, Match match) {
    for (int i = 0; i < records->GetCount(); ++i) {
        if (match(records->GetAt(i))) return dynamic_cast<Record*>(records->GetAt(i));
    }
    return nullptr;
}

void Focus(CXTPReportControl& view, CXTPReportRecord* record) {
    Korvo::UI::ReportControl::Populate(&view);
    CXTPReportRow* row = record ? view.GetRows()->Find(record) : nullptr;
    if (!row || view.GetFocusedRow() == row) return;
    view.SelectRow(row, FALSE);
    view.SetFocusedRow(row);
}

}  // namespace

BEGIN_MESSAGE_MAP(DocumentsStructure, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL DocumentsStructure::Create(CWnd* parent, DWORD style, UINT id) {
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, style, RECT{0, 0, 0, 0}, parent, id, nullptr);
}

int DocumentsStructure::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    if (!list_.Create(this, kListViewId, kViewStyle)) return -1;
    if (!tree_.Create(this, kTreeViewId, kViewStyle | WS_VISIBLE)) return -1;
    ApplyScreenTipOption();
    layoutViews();
    return 0;
}

void DocumentsStructure::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    layoutViews();
}

void DocumentsStructure::layoutViews() {
    if (!GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    for (CXTPReportControl* view : {static_cast<CXTPReportControl*>(&list_), static_cast<CXTPReportControl*>(&tree_)})
        if (view->GetSafeHwnd()) view->MoveWindow(&client);
}

void DocumentsStructure::SetFilter(const CString& text) {
    // What the search opens is recorded as expanded, as every expansion is.
    const CString folded = Korvo::GetSearchableEquivalent(text);
    list_.Fill(folded);
    tree_.Fill(folded);
}

bool DocumentsStructure::SetShowHidden(bool show) {
    if (show == showHidden_) return false;
    showHidden_ = show;
    for (StructureBase* view : {static_cast<StructureBase*>(&list_), static_cast<StructureBase*>(&tree_)})
        if (view->GetSafeHwnd()) view->UpdateHiddenRecords(show);
    return true;
}

bool DocumentsStructure::SetListMode(bool list) {
    if (list == listMode_) return false;
    StructureBase& hidden = GetVisibleView();
    listMode_ = list;
    StructureBase& shown = GetVisibleView();
    for (int i = 0; i < hidden.GetColumns()->GetCount(); ++i) {
        const CXTPReportColumn* from = hidden.GetColumns()->GetAt(i);
        for (int j = 0; j < shown.GetColumns()->GetCount(); ++j) {
            CXTPReportColumn* to = shown.GetColumns()->GetAt(j);
            if (to->GetInternalName() == from->GetInternalName()) to->SetVisible(from->IsVisible());
        }
    }
    shown.UpdateHeaderVisibility();
    if (shown.GetSafeHwnd()) shown.ShowWindow(SW_SHOW);
    if (hidden.GetSafeHwnd()) hidden.ShowWindow(SW_HIDE);
    return true;
}

CXTPReportRow* DocumentsStructure::revealGroup(ILibrariesGroup* group) {
    std::vector<ILibrariesGroup*> chain;
    for (ILibrariesGroup* at = group; at; at = at->GetParent()) chain.insert(chain.begin(), at);
    CXTPReportRecords* level = tree_.GetRecords();
    Record* found = nullptr;
    for (std::size_t i = 0; i < chain.size(); ++i) {
        found = FindIn(level, [&](CXTPReportRecord* record) { return GroupOf(record) == chain[i]; });
        if (!found) return nullptr;
        if (i + 1 < chain.size()) found->Expand(true);
        level = found->GetChilds();
    }
    Korvo::UI::ReportControl::Populate(&tree_);
    return found ? tree_.GetRows()->Find(found) : nullptr;
}

void DocumentsStructure::SelectConfiguration(ILibrariesGroup* group) {
    if (!group || listMode_) return;
    for (CXTPReportRow* row : tree_.GetSelectedRows()) {
        if (GroupOf(row->GetRecord()) == group) return;
    }
    CXTPReportRow* row = revealGroup(group);
    Focus(tree_, row ? row->GetRecord() : nullptr);
}

void DocumentsStructure::SelectLibrary(ILibrary* library) {
    if (!library) return;
    // The selected row asked for it: its rows must stay as they are while it is clicked.
    for (CXTPReportRow* row : GetVisibleView().GetSelectedRows())
        if (LibraryOf(row->GetRecord()) == library) return;
    if (listMode_) {
        Focus(list_, FindIn(list_.GetRecords(), [&](CXTPReportRecord* record) { return LibraryOf(record) == library; }));
        return;
    }
    CXTPReportRow* parent = library->GetParent() ? revealGroup(library->GetParent()) : nullptr;
    auto* parentRecord = parent ? dynamic_cast<Record*>(parent->GetRecord()) : nullptr;
    if (!parentRecord) return;
    parentRecord->Expand(true);
    Focus(tree_, FindIn(parentRecord->GetChilds(),
                        [&](CXTPReportRecord* record) { return LibraryOf(record) == library; }));
}

void DocumentsStructure::CollapseAll() { GetVisibleView().CollapseAll(); }

void DocumentsStructure::EnsurePopulated() { GetVisibleView().EnsurePopulated(); }

void DocumentsStructure::ClearSelection() {
    list_.ClearSelection();
    tree_.ClearSelection();
}

void DocumentsStructure::ApplyScreenTipOption() {
    const KVOptions& options = GetKVOptions();
    screenTips_ = !options.screenTipsSet || options.screenTips;
}

void DocumentsStructure::SetTheme(const Korvo::UI::Theme& theme) {
    tree_.SetTheme(theme.reportTheme, FALSE);
    list_.SetTheme(theme.reportTheme, FALSE);
}

void DocumentsStructure::DoPropExchange(CXTPPropExchange* px) {
    PX_Bool(px, L"ShowHidden", showHidden_, showHidden_);
    {
        CXTPPropExchangeSection tree(px->GetSection(L"Tree"));
        tree_.SerializeState(tree.get());
    }
    {
        CXTPPropExchangeSection list(px->GetSection(L"List"));
        list_.SerializeState(list.get());
    }
    if (!px->IsLoading()) return;
    ApplyScreenTipOption();
    list_.UpdateVisibleColumnIcon();
    tree_.UpdateVisibleColumnIcon();
    list_.UpdateHeaderVisibility();
    tree_.UpdateHeaderVisibility();
    if (list_.GetSafeHwnd()) list_.Fill(CString());
    if (tree_.GetSafeHwnd()) tree_.Fill(CString());
}

}  // namespace DocumentsMenu
