#include "platform/korvoui/form_factor_report.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/win32.h"

namespace Korvo::UI {

namespace {

using Korvo::XmlDB::FormFactor::VarValueRep;

constexpr int kBarHeight = 26;  // at 96 dpi
constexpr int kValuesWidth = 240;

CString ValueText(const VarValueRep& value) {
    if (!value.IsNumeric()) return CString(platform::core::quoted(value.GetString().GetString()).c_str());
    std::wostringstream text;
    text << std::setprecision(15) << value.GetNumber();
    return CString(text.str().c_str());
}

// A row's cell: a double click on it is the report's.
class FormFactorItem : public CXTPReportRecordItem {
public:
    FormFactorItem(const CString& caption, const CString& formFactor)
        : CXTPReportRecordItem(caption.GetString()), formFactor_(formFactor) {
        SetEditable(FALSE);
    }
    const CString& GetFormFactor() const { return formFactor_; }
    void OnDblClick(XTP_REPORTRECORDITEM_CLICKARGS* args) override {
        if (auto* report = dynamic_cast<FormFactorReportControl*>(args ? args->pControl : nullptr))
            report->OnRowDoubleClicked(formFactor_);
    }

private:
    CString formFactor_;
};

}  // namespace

// ---- The state file ---------------------------------------------------------------------------------

FormFactorReportControl::State FormFactorReportControl::State::Load(const CString& file) {
    State state;
    std::string bytes;
    if (platform::files::readAll(file.GetString(), bytes) != 0) return state;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        char* end = nullptr;
        const long value = std::strtol(line.c_str() + equals + 1, &end, 10);
        if (end == line.c_str() + equals + 1 || (*end != '\0' && *end != '\r')) continue;
        if (key == "width" && value >= 16 && value <= 4096) state.nameWidth = static_cast<int>(value);
        if (key == "view" && (value == 0 || value == 1)) state.viewMode = static_cast<int>(value);
    }
    return state;
}

bool FormFactorReportControl::State::Save(const CString& file) const {
    const std::string text = "width=" + std::to_string(nameWidth) + "\nview=" + std::to_string(viewMode) + "\n";
    return platform::files::writeAllAtomic(file.GetString(), text) == 0;
}

// ---- The report --------------------------------------------------------------------------------------

FormFactorReportControl::FormFactorReportControl(const State& state) : state_(state) {
    AddColumn(new CXTPReportColumn(kNameColumn, Korvo::I18n::Translate(L"FormFactorView.Name").GetString(), state.nameWidth, FALSE));
    AddColumn(new CXTPReportColumn(kValuesColumn, Korvo::I18n::Translate(L"FormFactorView.Values").GetString(), kValuesWidth, TRUE, -1, FALSE,
                                   state.viewMode == 1 ? TRUE : FALSE));
}

BOOL FormFactorReportControl::Create(CWnd* parent, UINT id) {
    return CXTPReportControl::Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 0, 0}, parent, id);
}

void FormFactorReportControl::SetActiveDocument(const CString& path, bool refresh) {
    if (!refresh && provider_ && provider_->GetDocumentPath() == path) return;
    provider_ = path.IsEmpty() ? nullptr : Korvo::XmlDB::FormFactor::CreateFormFactorProvider(path);
    fill();
}

void FormFactorReportControl::fill() {
    const CString selected = GetSelectedFormFactor();
    BeginUpdate();
    ClearSelection();
    GetRecords()->RemoveAll();
    if (provider_) {
        CString lowered = search_;
        lowered.MakeLower();
        for (const CString& name : provider_->GetFormFactorNames()) {
            CString values;
            provider_->ForEachVariableValue(name, [&values](const CString& variable, const VarValueRep& value) {
                if (!values.IsEmpty()) values += L"; ";
                values += variable + L"=" + ValueText(value);
            });
            auto* record = new CXTPReportRecord();
            record->AddItem(new FormFactorItem(name, name));
            record->AddItem(new FormFactorItem(values, name));
            record->SetVisible(lowered.IsEmpty() || matches(*record, lowered) ? TRUE : FALSE);
            AddRecord(record);
        }
    }
    EndUpdate();
    Populate();
    if (!selected.IsEmpty()) SetSelectedFormFactor(selected);
}

bool FormFactorReportControl::matches(const CXTPReportRecord& record, const CString& lowered) const {
    for (int column = 0; column < record.GetItemCount(); ++column) {
        if (!searchColumns_.empty() &&
            std::find(searchColumns_.begin(), searchColumns_.end(), column) == searchColumns_.end())
            continue;
        CString text = record.GetItem(column)->GetCaption();
        if (text.MakeLower().Find(lowered) >= 0) return true;
    }
    return false;
}

CString FormFactorReportControl::rowName(CXTPReportRow* row) const {
    const CXTPReportRecord* record = row ? row->GetRecord() : nullptr;
    const auto* item = record ? dynamic_cast<const FormFactorItem*>(record->GetItem(kNameColumn)) : nullptr;
    return item ? item->GetFormFactor() : CString();
}

CString FormFactorReportControl::GetFocusedFormFactor() const { return rowName(GetFocusedRow()); }

CString FormFactorReportControl::GetSelectedFormFactor() const {
    const auto rows = GetSelectedRows();
    return rows.empty() ? CString() : rowName(rows.front());
}

void FormFactorReportControl::SetSelectedFormFactor(const CString& name) {
    CXTPReportRows* rows = GetRows();
    for (int index = 0; index < rows->GetCount(); ++index) {
        CXTPReportRow* row = rows->GetAt(index);
        if (rowName(row) != name) continue;
        SelectRow(row, FALSE);
        SetFocusedRow(row);
        return;
    }
}

void FormFactorReportControl::SetSearchText(const CString& text, const std::vector<int>& columns) {
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed == search_ && columns == searchColumns_) return;
    search_ = trimmed;
    searchColumns_ = columns;
    fill();
}

void FormFactorReportControl::SetViewMode(int mode) {
    state_.viewMode = mode == 1 ? 1 : 0;
    if (CXTPReportColumn* values = GetColumns()->Find(kValuesColumn)) values->SetVisible(state_.viewMode == 1);
    Populate();
}

FormFactorReportControl::State FormFactorReportControl::GetState() const {
    State state = state_;
    if (const CXTPReportColumn* name = const_cast<FormFactorReportControl*>(this)->GetColumns()->Find(kNameColumn))
        state.nameWidth = name->GetWidth();
    return state;
}

void FormFactorReportControl::OnBeginDrag() {
    const CString name = GetSelectedFormFactor();
    if (!name.IsEmpty() && onDrag_) onDrag_(name);
}

void FormFactorReportControl::OnRowDoubleClicked(const CString& formFactor) {
    if (onDoubleClick_) onDoubleClick_(formFactor);
}

// ---- The search bar ------------------------------------------------------------------------------------

void ReportControlSearchBox::Search() {
    if (report_) report_->SetSearchText(GetEditText(), columns_);
}

BOOL ReportControlSearchBox::OnEditKeyDown(UINT virtualKey, bool control) {
    if (virtualKey != VK_RETURN) return CXTPControlEdit::OnEditKeyDown(virtualKey, control);
    Search();
    return TRUE;
}

void SetControlParameters(CXTPControl* control, const CString& caption, int iconId, int id, int style, int flags) {
    if (!control) return;
    control->SetCaption(caption);
    control->SetDescription(caption);
    control->SetTooltip(caption);
    control->SetID(id);
    if (iconId > 0) control->SetIconId(iconId);
    control->SetStyle(static_cast<XTPButtonStyle>(style));
    if (flags) control->SetFlags(control->GetFlags() | static_cast<DWORD>(flags));
}

// ---- The site ---------------------------------------------------------------------------------------------

FormFactorControlSiteBase::~FormFactorControlSiteBase() {
    DestroyCommandBars();
    report_.reset();
}

BOOL FormFactorControlSiteBase::Create(CWnd* parent, UINT id) {
    return CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 0, 0}, parent,
                          id, nullptr);
}

BOOL FormFactorControlSiteBase::InitCommandBars() {
    if (!CXTPDialogBase<CWnd>::InitCommandBars()) return FALSE;
    UpdateCommandBarsOptions(GetCommandBars());
    return TRUE;
}

void FormFactorControlSiteBase::OnApplicationEvent(UINT eventId, const ApplicationEventArgs&) {
    if (eventId == kFormFactorSiteSettingsEvent) UpdateCommandBarsOptions(GetCommandBars());
}

void FormFactorControlSiteBase::SetTheme(const Theme& theme) { themeName_ = theme.name; }

bool FormFactorControlSiteBase::OnSiteCommand(UINT id) {
    if (id != kChangeViewMode || !report_) return false;
    report_->SetViewMode(report_->GetViewMode() == 1 ? 0 : 1);
    return true;
}

void FormFactorControlSiteBase::layout() {
    if (!GetSafeHwnd()) return;
    const RECT client = RepositionBars(kBarHeight);
    if (report_ && report_->GetSafeHwnd()) report_->MoveWindow(&client);
}

LRESULT FormFactorControlSiteBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const LRESULT created = CWnd::WindowProc(message, wParam, lParam);
            if (created == -1) return -1;
            // The search bar is bound to the report: the report comes first.
            if (!CreateReportControl() || !InitCommandBars()) return -1;
            return 0;
        }
        case WM_COMMAND:
            if (lParam == 0 && OnSiteCommand(LOWORD(wParam))) return 0;
            break;
        default: break;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) layout();
    return result;
}

}  // namespace Korvo::UI
