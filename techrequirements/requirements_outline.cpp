#include "techrequirements/requirements_outline.h"

#include <algorithm>

#include "techrequirements/list_model.h"
#include "techrequirements/tech_requirements_window.h"

namespace {

std::wstring quotedText(const CString& text) { return kvpf::VariantText(text); }

std::wstring viewLine(const kvpf::SelectControl& view) {
    std::wstring line = L"view " + (view.GetSelectedCustomId() ? std::to_wstring(*view.GetSelectedCustomId()) : L"none") + L":";
    for (int i = 0; i < view.GetItemCount(); ++i) {
        const auto& item = view.GetItem(i);
        line += L" " + std::to_wstring(item.customId) + L" " + quotedText(item.text) + (item.enabled ? L"" : L" (disabled)");
    }
    return line;
}

std::wstring controlsLine(const TechRequirementDialog& dialog, bool enabled) {
    std::wstring line = enabled ? L"enabled:" : L"disabled:";
    for (const kvpf::BaseControl* control : dialog.modeControls())
        if (control->IsEnabled() == enabled) line += L" " + std::wstring(control->GetId().view());
    return line;
}

}  // namespace

std::wstring TechRequirementsOutline(const TechRequirementsWindow* host) {
    if (!host) return L"(no pane)";
    const TechRequirementDialog* dialog = host->GetDialog();
    if (!dialog) return L"(no editor)";
    const TechRequirementListModel& model = dialog->listModel();
    const kvpf::ListControl& list = dialog->list();
    CKvw32Doc* document = dialog->GetDocument();
    std::wstring out = L"document " + (document ? quotedText(document->GetTitle()) : std::wstring(L"none")) + L" mode " +
                       std::to_wstring(dialog->getMode()) + (dialog->IsWindowVisible() ? L" shown" : L" hidden") +
                       (dialog->IsEnabled() ? L"" : L" disabled") + L"\n";
    out += viewLine(dialog->viewSelect()) + L"\n";
    out += L"highlight " + std::wstring(dialog->highlightToggle().IsChecked() ? L"on" : L"off") + L"\n";
    out += controlsLine(*dialog, true) + L"\n" + controlsLine(*dialog, false) + L"\n";
    out += L"selection mode " + std::to_wstring(list.GetSelectionMode()) + L", hint " + list.GetHintImage().Describe() + L"\n";
    const int columns = model.GetColumnCount();
    out += L"columns " + std::to_wstring(columns) + L"\n";
    for (int column = 0; column < columns; ++column) {
        out += L"  column " + std::to_wstring(column) + L" " + kvpf::VariantText(model.GetHeaderData(column, TechRequirementListModel::kDisplay));
        if (const auto icon = model.GetHeaderData(column, TechRequirementListModel::kIcon); icon.index() != 0)
            out += L" icon " + kvpf::VariantText(icon);
        out += L" width " + kvpf::VariantText(model.GetHeaderData(column, TechRequirementListModel::kWidth));
        out += list.IsColumnVisible(column) ? L" visible\n" : L" hidden\n";
    }
    const std::vector<int> selected = list.GetSelectedRows();
    for (int row = 0; row < model.GetRowCount(); ++row) {
        out += L"  row " + std::to_wstring(row) + L" id " + kvpf::VariantText(model.GetData(row, 0, TechRequirementListModel::kRowId)) + L":";
        for (int column = 0; column < TechRequirementListModel::kFirstPage; ++column) {
            const int role = column == TechRequirementListModel::kSuppress ? TechRequirementListModel::kIcon : TechRequirementListModel::kDisplay;
            out += L" " + kvpf::VariantText(model.GetData(row, column, role));
        }
        if (columns > TechRequirementListModel::kFirstPage) {
            out += L" pages";
            for (int column = TechRequirementListModel::kFirstPage; column < columns; ++column)
                out += L" " + kvpf::VariantText(model.GetData(row, column, TechRequirementListModel::kCheck));
        }
        out += L" background " + kvpf::VariantText(model.GetData(row, 0, TechRequirementListModel::kBackground));
        if (std::find(selected.begin(), selected.end(), row) != selected.end()) out += L" selected";
        out += L"\n";
    }
    return out;
}
