#include "documentsmenu/tree_view.h"

#include "documentsmenu/configuration_record.h"
#include "documentsmenu/record_icons.h"

namespace DocumentsMenu {

namespace {

struct ColumnSpec {
    int index;
    const wchar_t* caption;
    int width;
};

constexpr ColumnSpec kColumns[] = {
    {kColumnName, L"Name", 200},       {kColumnPath, L"Path", 200},       {kColumnAuthor, L"Author", 100},
    {kColumnCompany, L"Company", 100}, {kColumnComment, L"Comment", 150}, {kColumnVisible, L"", 24},
};

}  // namespace

TreeView::TreeView(DocumentsMenuDlg* window) : StructureBase(window) { SetImageManager(&images_); }

TreeView::~TreeView() {
    if (listening_) GlobalCfgGroup()->RemoveClient(this);
    // The rows unregister from the model while the control still exists.
    GetRecords()->RemoveAll();
}

BOOL TreeView::Create(CWnd* parent, UINT id) {
    if (!CXTPReportControl::Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 600, 400}, parent, id)) return FALSE;
    Open();
    return TRUE;
}

void TreeView::Open() {
    if (listening_) return;
    for (const ColumnSpec& spec : kColumns) {
        CXTPReportColumn* column = AddColumn(new CXTPReportColumn(spec.index, spec.caption, spec.width));
        column->SetTreeColumn(spec.index == kColumnName ? TRUE : FALSE);
    }
    UpdateVisibleColumnIcon();
    GlobalCfgGroup()->AddClient(this);
    listening_ = true;
    Fill();
}

void TreeView::addConfigurationRow(IConfiguration* configuration) {
    Record* row = configuration->IsFromVarnel() ? new PDMConfigurationRecord(configuration)
                                                : new ConfigurationRecord(configuration);
    AddRecord(row);
    row->Init();
    const DocumentsMenuDlg* window = GetDocumentsMenuDlg();
    if (window && window->IsExpanded(static_cast<ILibrariesGroup*>(configuration))) row->Expand(true);
}

void TreeView::Fill() {
    GetRecords()->RemoveAll();
    IConfigurationsGroup* global = GlobalCfgGroup();
    for (int i = 0; i < global->GetCount(); ++i) addConfigurationRow(global->GetConfigurationAt(i));
    Korvo::UI::ReportControl::Populate(this);
}

void TreeView::ConfigurationAdded(IConfiguration* configuration) {
    addConfigurationRow(configuration);
    Korvo::UI::ReportControl::Populate(this);
}

// A closed configuration's row removes itself when the model says so.
void TreeView::ConfigurationsChanged() {}

void TreeView::BeginUpdate() { CXTPReportControl::BeginUpdate(); }

void TreeView::EndUpdate() { CXTPReportControl::EndUpdate(); }

}  // namespace DocumentsMenu
