#include "documentsmenu/records/document_record.h"

#include <algorithm>
#include <cwctype>
#include <string>

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/file_drag_source.h"
#include "documentsmenu/records/record_icons.h"
#include "services/application.h"

namespace DocumentsMenu {

// A cell of one summary property: it asks its row to read the document's properties the first
// time its caption or tip is wanted, so nothing is read while no property column is shown.
class PropertyItem : public Korvo::UI::SimpleTextReportItem {
public:
    PropertyItem() : SimpleTextReportItem(L"", 0, TRUE) { SetEditable(FALSE); }

    CString GetCaption(CXTPReportColumn* column) const override {
        load();
        return SimpleTextReportItem::GetCaption(column);
    }
    CString GetTooltip() const override {
        load();
        return SimpleTextReportItem::GetTooltip();
    }
    void SetLoadedCaption(const CString& caption) {
        loaded_ = true;
        SetCaption(caption);
    }

private:
    void load() const {
        if (loaded_) return;
        loaded_ = true;
        if (auto* row = dynamic_cast<DocumentRecord*>(GetRecord())) row->LoadProperties();
    }

    mutable bool loaded_ = false;
};

namespace {

constexpr UINT kEnterKey = 13;
constexpr DWORD kPreferCopy = 1;

int sortPriorityOf(const CString& name) { return !name.IsEmpty() && name.GetAt(0) == L'_' ? -1 : 0; }

// A list of one name ended by an extra zero character, as the shell's file operations take it.
std::wstring nameList(const CString& path) { return std::wstring(path.view()) + L'\0'; }

void setProperty(PropertyItem* cell, const CKVPropertySet& properties, LPCWSTR name) {
    if (cell) cell->SetLoadedCaption(properties.GetProperty(name));
}

}  // namespace

CString DocumentFileNameAsStored(const CString& typed) {
    std::wstring name(typed.view());
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    // "." and ".." are names of their own, refused as such.
    if (name.empty() && (typed == L"." || typed == L"..")) return typed;
    return CString(name);
}

namespace {

// Windows opens a device for these names, with any extension ("NUL.grb").
bool isDeviceName(const CString& name) {
    std::wstring stem(name.view().substr(0, std::min(name.view().find(L'.'), name.view().size())));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (stem == device) return true;
    }
    const bool numbered = stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT"));
    return numbered && stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace

CString DocumentFileNameProblem(const CString& name) {
    if (name.IsEmpty()) return L"a document needs a name";
    if (name == L"." || name == L"..") return L"\"" + name + L"\" names a folder";
    for (const wchar_t c : name.view()) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return L"a file name cannot hold any of \\ / : * ? \" < > | or control characters";
    }
    if (isDeviceName(name)) return L"\"" + name + L"\" is reserved for a device";
    return {};
}

void DocumentRecord::Init() {
    nameItem_ = static_cast<DocumentRecordItemName*>(
        AddItem(new DocumentRecordItemName(library_, name_, new RecordNameEditor(this), [this] { Open(); })));
    nameItem_->SetSortPriority(sortPriorityOf(name_));
    pathItem_ = AddItem(new CXTPReportRecordItem(shownPath()));
    pathItem_->SetEditable(FALSE);
    AddPropertyCell(author_);
    AddPropertyCell(company_);
    AddPropertyCell(comment_);
    AddTrailingCells();
}

void DocumentRecord::AddTrailingCells() {
    AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
    AddPropertyCell(title_);
    AddPropertyCell(subject_);
    AddPropertyCell(category_);
    AddPropertyCell(keywords_);
}

void DocumentListRecord::AddTrailingCells() {
    AddItem(new ReportRecordIconItem(kIconShown, kIconHidden));
    AddItem(new CXTPReportRecordItem(ConfigurationNameOf(GetLibrary())))->SetEditable(FALSE);
    AddPropertyCell(subject_);
    AddPropertyCell(category_);
    AddPropertyCell(keywords_);
}

void DocumentRecord::AddPropertyCell(PropertyItem*& cell) {
    cell = new PropertyItem;
    AddItem(cell);
}

CString DocumentRecord::shownPath() const {
    CString stored = library_ ? library_->GetPath() : CString();
    // A stored path without its separator would run into the name.
    if (!stored.IsEmpty() && stored.Right(1) != L"\\" && stored.Right(1) != L"/") stored += L'\\';
    return stored + name_;
}

void DocumentRecord::SetDocumentName(const CString& name) {
    name_ = name;
    if (nameItem_) {
        nameItem_->SetName(name);
        nameItem_->SetCaption(name);
        nameItem_->SetSortPriority(sortPriorityOf(name));
    }
    if (pathItem_) pathItem_->SetCaption(shownPath());
}

void DocumentRecord::ForgetLibrary() { library_ = nullptr; }

void DocumentRecord::Open() {
    const CString path = GetPath();
    ApplicationServices* application = ApplicationServices::Instance();
    // The application reports a document that cannot be opened; the answer is not needed here.
    if (application && !path.IsEmpty()) application->OpenDocumentFile(path);
}

void DocumentRecord::LoadProperties() {
    const CString path = GetPath();
    const CKVPropertySet properties = path.IsEmpty() ? CKVPropertySet() : KorvoDocument2::ReadProperties(path);
    setProperty(author_, properties, L"Author");
    setProperty(company_, properties, L"Company");
    setProperty(comment_, properties, L"Comments");
    setProperty(title_, properties, L"Title");
    setProperty(subject_, properties, L"Subject");
    setProperty(category_, properties, L"Category");
    setProperty(keywords_, properties, L"Keywords");
}

void DocumentRecord::AddMultiSelectionMenuItems(CXTPPopupBar*, const std::vector<Record*>&) {}

void DocumentRecord::AddMenuItems(CXTPPopupBar* popup) {
    const CString path = GetPath();
    if (path.IsEmpty()) return;
    AddMenuItem(popup, new DocumentMenuItems::OpenInExplorer(path));
    AddMenuItem(popup, new DocumentMenuItems::CopyFullPath(path));
    AddMenuItem(popup, new DocumentMenuItems::Open(path, true));
    AddMenuItem(popup, new DocumentMenuItems::Insert(path, library_));
    AddMenuItem(popup, new DocumentMenuItems::InsertAsImage(path, library_));
    AddMenuItem(popup, new DocumentMenuItems::Properties(path));
}

void PDMDocumentRecord::AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) {
    std::vector<CString> paths;
    for (Record* record : selection) {
        auto* row = dynamic_cast<DocumentRecord*>(record);
        const CString path = row ? row->GetPath() : CString();
        if (path.IsEmpty()) return;
        paths.push_back(path);
    }
    if (!paths.empty() && IsPdmConnected()) AddMenuItem(popup, new DocumentMenuItems::Update(paths));
}

void PDMDocumentRecord::AddMenuItems(CXTPPopupBar* popup) {
    const CString path = GetPath();
    if (path.IsEmpty()) return;
    AddMenuItem(popup, new DocumentMenuItems::OpenInExplorer(path));
    AddMenuItem(popup, new DocumentMenuItems::Open(path, true));
    AddMenuItem(popup, new DocumentMenuItems::Insert(path, GetLibrary()));
    AddMenuItem(popup, new DocumentMenuItems::InsertAsImage(path, GetLibrary()));
    AddMenuItem(popup, new DocumentMenuItems::Properties(path));
    if (IsPdmConnected()) AddMenuItem(popup, new DocumentMenuItems::Update(path, true));
}

bool DocumentRecord::SetName(const CString& typed) {
    const CString value = DocumentFileNameAsStored(typed);
    if (value == name_ || !library_) return false;
    // Anything but a plain file name would move the file out of the library or fail oddly; the
    // user hears why the name is not taken.
    if (const CString problem = DocumentFileNameProblem(value); !problem.IsEmpty()) {
        KVMessageBox::Show(L"Cannot rename \"" + name_ + L"\" to \"" + typed + L"\": " + problem + L".",
                           MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const CString folder = GetLibraryAbsolutePath(library_);
    if (folder.IsEmpty()) return false;
    const std::wstring from = nameList(folder + name_);
    const std::wstring to = nameList(folder + value);
    SHFILEOPSTRUCTW operation;
    CXTPReportControl* control = GetControl();
    Korvo::UI::MainFrame* frame =
        control ? UIModuleProxy::Instance().GetMainFrameOf(control->GetSafeHwnd()) : nullptr;
    operation.hwnd = frame ? frame->AsWindow()->GetSafeHwnd() : nullptr;
    operation.wFunc = FO_RENAME;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    // A failure (the file open in the program, a name taken) is told by the shell's own dialog.
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

CString DocumentRecord::GetPath() { return library_ ? BuildLibraryItemPath(library_, name_) : CString(); }

void DocumentRecord::OnSelected() {
    if (DocumentsMenuDlg* window = GetWindow()) window->ShowInBrowser(library_, name_);
}

void DocumentRecord::BeginDragSelection(const std::vector<Record*>& selection) {
    std::vector<CString> paths;
    for (Record* record : selection) {
        auto* document = dynamic_cast<DocumentRecord*>(record);
        const CString path = document ? document->GetPath() : CString();
        if (!path.IsEmpty()) paths.push_back(path);
    }
    if (!paths.empty() && paths.size() == selection.size()) FileDragSource::Instance().DragFiles(paths, kPreferCopy);
}

void DocumentRecord::BeginDrag() {
    const CString path = GetPath();
    if (!path.IsEmpty()) FileDragSource::Instance().DragFile(path, kPreferCopy);
}

void DocumentRecord::BeginRename() {
    if (nameItem_) nameItem_->StartEdit();
}

void DocumentRecord::OnKeyDown(UINT virtualKey) {
    if (virtualKey == kEnterKey) Open();
}

void DocumentRecord::SetHidden(bool hidden) {
    if (DocumentsMenuDlg* window = GetWindow()) window->SetHidden(library_, name_, hidden);
}

bool DocumentRecord::IsHidden() {
    const DocumentsMenuDlg* window = GetWindow();
    return window && window->IsHidden(library_, name_);
}

CString ConfigurationNameOf(ILibrary* library) {
    IConfiguration* configuration = library ? GetConfiguration(library) : nullptr;
    return configuration ? configuration->GetDisplayName() : CString();
}

}  // namespace DocumentsMenu
