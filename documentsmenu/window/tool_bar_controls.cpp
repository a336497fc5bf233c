#include "documentsmenu/window/tool_bar_controls.h"

#include <vector>

#include "documentsmenu/configuration_opening.h"
#include "documentsmenu/window/documents_structure.h"

namespace DocumentsMenu {

namespace {

bool Usable(const CXTPControl& control) { return control.GetEnabled() && control.IsVisible(); }

void Prepare(CXTPControl& control, int id, DWORD extraFlags = 0) {
    control.SetID(id);
    control.SetFlags(control.GetFlags() | xtpFlagManualUpdate | extraFlags);
}

}  // namespace

OpenConfigurationButton::OpenConfigurationButton() {
    SetType(xtpControlSplitButtonPopup);
    Prepare(*this, kOpenConfigurationId);
    SetStyle(xtpButtonIcon);
    SetTooltip(KVLoadString(kOpenConfigurationId));
    SetDescription(KVLoadString(kOpenConfigurationArrowTip));
}

void OpenConfigurationButton::OnExecute() {
    if (Usable(*this)) OpenConfiguration(GlobalCfgGroup());
}

void OpenConfigurationButton::OnSetPopup(BOOL popup) {
    CXTPControlPopup::OnSetPopup(popup);
    if (!popup) return;
    CXTPControls* items = Korvo::UI::EmptiedPopupItems(*this);
    if (!items) return;
    std::vector<CString> names;
    std::vector<CString> paths;
    GetInstalledConfigurations(names, paths);
    for (std::size_t i = 0; i < names.size() && i < paths.size(); ++i)
        items->Add(new OpenInstalledConfigurationItem(names[i], paths[i]), 0);
}

OpenInstalledConfigurationItem::OpenInstalledConfigurationItem(const CString& name, const CString& path)
    : name_(name), path_(path) {
    SetCaption(name_);
    SetChecked(FindConfigurationByPath(path_) != nullptr ? TRUE : FALSE);
}

void OpenInstalledConfigurationItem::OnExecute() { OpenConfigurationFile(path_, name_); }

OpenVarnelConfigurationButton::OpenVarnelConfigurationButton() {
    Prepare(*this, kOpenVarnelConfigurationId);
    SetTooltip(KVLoadString(kOpenVarnelConfigurationId));
    UpdateVisibility();
}

void OpenVarnelConfigurationButton::OnExecute() {
    if (Usable(*this)) OpenConfigurationFromVARNEL(GlobalCfgGroup());
}

CollapseButton::CollapseButton(DocumentsStructure& structure) : structure_(structure) {
    Prepare(*this, kCollapseId);
    SetIconId(kCollapseIcon);
    SetStyle(xtpButtonIcon);
    SetTooltip(Korvo::I18n::Translate(L"Collapse all"));
}

void CollapseButton::OnExecute() {
    if (Usable(*this)) structure_.CollapseAll();
}

ColumnsSelector::ColumnsSelector(DocumentsStructure& structure)
    : ReportColumnsPopup([&structure]() -> CXTPReportControl* { return &structure.GetVisibleView(); }) {
    // Flag 1: the control stands at the right end of its bar.
    constexpr DWORD kRightAligned = 1;
    SetFlags(GetFlags() | xtpFlagManualUpdate | kRightAligned);
}

ComboBoxFind::ComboBoxFind(DocumentsStructure& structure) : structure_(structure) {
    Prepare(*this, kSearchBoxId, xtpFlagControlStretched);
    SetTooltip(KVLoadString(kSearchBoxId));
}

void ComboBoxFind::OnExecute() {
    if (!Usable(*this)) return;
    // Enter offers to clear whatever the box holds, an empty text too.
    if (button_) button_->ShowClear(true);
    ApplySearch();
}

void ComboBoxFind::OnEditChanged() {
    if (GetEditText().IsEmpty()) {
        if (button_) button_->ShowClear(false);
        ApplySearch();
    } else if (button_ && button_->ShowsClear()) {
        // A changed text can be searched again.
        button_->ShowClear(false);
    }
}

void ComboBoxFind::ApplySearch() {
    CString text = GetEditText();
    text.Trim();
    text.MakeLower();
    structure_.SetFilter(text);
    if (text.IsEmpty()) return;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetLBText(i) == text) return;
    }
    InsertString(0, text);
}

ButtonFind::ButtonFind(ComboBoxFind& box) : box_(box) {
    Prepare(*this, kFindId);
    ShowClear(false);
    SetTooltip(KVLoadString(kFindId));
}

void ButtonFind::OnExecute() {
    if (!Usable(*this)) return;
    if (ShowsClear()) {
        box_.SetEditText(L"");
        box_.ApplySearch();
        ShowClear(false);
        return;
    }
    if (box_.GetEditText().IsEmpty()) return;
    ShowClear(true);
    box_.ApplySearch();
}

}  // namespace DocumentsMenu
