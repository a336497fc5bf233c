#include "documentsmenu/console_tree.h"

#include <memory>

#include "documentsmenu/records/record.h"
#include "documentsmenu/tree_view.h"

namespace DocumentsMenu::ConsoleTree {

namespace {

constexpr UINT kEnterKey = 13;

// The window's view state first: the tree's rows read it until they go.
struct UserTree {
    DocumentsMenuDlg window;
    TreeView tree{&window};
    UserTree() { tree.Open(); }
};

std::unique_ptr<UserTree>& slot() {
    static std::unique_ptr<UserTree> instance;
    return instance;
}

TreeView& tree() {
    if (!slot()) slot() = std::make_unique<UserTree>();
    return slot()->tree;
}

std::wstring captionOf(CXTPReportRow* row) {
    CXTPReportRecordItem* name = row->GetRecord()->GetItem(0);
    return name ? std::wstring(name->GetCaption(nullptr).view()) : std::wstring();
}

std::wstring pathOf(CXTPReportRow* row) {
    std::wstring path = captionOf(row);
    for (CXTPReportRow* parent = row->GetParentRow(); parent; parent = parent->GetParentRow()) {
        path = captionOf(parent) + L"/" + path;
    }
    return path;
}

CXTPReportRow* findRow(const std::wstring& path) {
    CXTPReportRows* rows = tree().GetRows();
    for (int i = 0; i < rows->GetCount(); ++i) {
        if (pathOf(rows->GetAt(i)) == path) return rows->GetAt(i);
    }
    return nullptr;
}

std::wstring noRow(const std::wstring& path) { return L"no row \"" + path + L"\" is shown"; }

}  // namespace

std::wstring Outline() {
    std::wstring out;
    CXTPReportRows* rows = tree().GetRows();
    for (int i = 0; i < rows->GetCount(); ++i) {
        CXTPReportRow* row = rows->GetAt(i);
        auto* record = dynamic_cast<Record*>(row->GetRecord());
        if (!record) continue;
        out += std::wstring(static_cast<std::size_t>(row->GetTreeDepth()) * 2, L' ');
        out += !record->HasChildren() ? L"  " : record->IsExpanded() ? L"- " : L"+ ";
        out += captionOf(row);
        const CString path = record->GetPath();
        if (!path.IsEmpty()) out += L"  " + std::wstring(path.view());
        out += L"\n";
    }
    return out;
}

std::wstring Expand(const std::wstring& path) {
    CXTPReportRow* row = findRow(path);
    if (!row) return noRow(path);
    if (!row->HasChildren()) return L"row \"" + path + L"\" has no expand button";
    row->SetExpanded(TRUE);
    return {};
}

std::wstring Enter(const std::wstring& path) {
    CXTPReportRow* row = findRow(path);
    if (!row) return noRow(path);
    tree().SelectRow(row, FALSE);
    // The row may go while it handles the key (a fill, a closed configuration).
    if (auto* record = dynamic_cast<Record*>(row->GetRecord())) record->OnKeyDown(kEnterKey);
    return {};
}

std::wstring Rename(const std::wstring& path, const std::wstring& name) {
    CXTPReportRow* row = findRow(path);
    auto* record = row ? dynamic_cast<Record*>(row->GetRecord()) : nullptr;
    if (!record) return noRow(path);
    record->BeginRename();
    if (!tree().GetInplaceEdit()->IsWindowVisible()) return L"row \"" + path + L"\" cannot be renamed";
    tree().EndEdit(name.c_str());
    return {};
}

void Close() { slot().reset(); }

}  // namespace DocumentsMenu::ConsoleTree
