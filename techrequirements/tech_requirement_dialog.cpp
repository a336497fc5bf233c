#include "techrequirements/tech_requirement_dialog.h"

#include <algorithm>

#include "platform/diagnostics.h"
#include "platform/textcore.h"
#include "techrequirements/list_model.h"

namespace {

constexpr int kClassExpandId = 735;
constexpr int kHighlightIcon = 1095;
constexpr int kListMinWidth = 250;
constexpr int kViewMinWidth = 180;
constexpr int kListEditMode = 13;
constexpr int kListGridLines = 3;
constexpr int kPopupMode = 2;
constexpr int kSelectModes = 8;
constexpr int kLabelPosition = 1;
constexpr int kFillRest = 1;
constexpr int kNoTypeItem = -1;

using Properties = TechRequirement::Properties;

kvpf::Image svgImage(const wchar_t* name) {
    return kvpf::Image::FromFilePath(Korvo::Images::ResourceManager::GetImagePath(name), {16, 24, 32});
}

}  // namespace

// ---- Building ------------------------------------------------------------------------------------

TechRequirementDialog::TechRequirementDialog(bool flag) : kvpf::WpfDockFormView(L"TechRequirementDialog", flag) {
    buildControls();
    SetVisible(false);
}

TechRequirementDialog::~TechRequirementDialog() {
    // A leaders command still running must not reach back into a dialog that is gone.
    if (LeadersCmd* command = leadersCommand_) {
        leadersCommand_ = nullptr;
        command->dialog_ = nullptr;
        command->TerminateCommand();
    }
}

kvpf::ButtonControl* TechRequirementDialog::addToolButton(const wchar_t* id, const wchar_t* svg) {
    auto* button = static_cast<kvpf::ButtonControl*>(Add(kvpf::MakeRef<kvpf::ButtonControl>(CString(id))));
    button->SetImage(svgImage(svg));
    button->SetHint(Korvo::I18n::Translate(button->GetFullId().GetString()));
    button->SetLocalization(false);
    button->OnClick([this, id] { onToolButton(id); });
    return button;
}

void TechRequirementDialog::addSeparator() { Add(kvpf::MakeRef<kvpf::SeparatorControl>()); }

void TechRequirementDialog::buildControls() {
    SetClassExpandId(kClassExpandId);
    Add(kvpf::MakeRef<kvpf::ToolBarControl>(CString(L"Toolbar")));
    add_ = addToolButton(L"Add", L"Create.svg");
    edit_ = addToolButton(L"Edit", L"EditTemplate.svg");
    duplicate_ = addToolButton(L"Duplicate", L"SnaptoPreviousRecord.svg");
    import_ = addToolButton(L"Import", L"DocumentImport.svg");
    // Import opens its popup of sources instead of running anything itself.
    import_->OnClick([this] {
        if (list_) list_->EndCellEditing();
        importPopup_->SetOpen(true);
    });
    importPopup_ = static_cast<kvpf::PopupControl*>(Add(kvpf::MakeRef<kvpf::PopupControl>(CString(L"ImportPopup"))));
    importPopup_->SetMode(kPopupMode);
    importPopup_->SetAnchor(import_);
    importSource_ = static_cast<kvpf::SelectControl*>(importPopup_->Add(kvpf::MakeRef<kvpf::SelectControl>(CString(L"ImportSource"))));
    importSource_->AddItem({0, L"FromDictionary", svgImage(L"DocumentImport.svg")});
    importSource_->AddItem({1, L"FromVarnel", svgImage(L"DocumentImportVarnel.svg")});
    importSource_->AddItem({2, L"FromFile", svgImage(L"LibraryConfigurationEdit.svg")});
    importSource_->SetLabelPosition(kLabelPosition);
    importSource_->SetModes(kSelectModes, kSelectModes);
    importSource_->OnSelectionChanged([this] { onToolButton(L"ImportSource"); });
    importSource_->OnLostFocus([this] { importPopup_->SetOpen(false); });
    copy_ = addToolButton(L"Copy", L"CopySelection.svg");
    paste_ = addToolButton(L"Paste", L"Paste.svg");
    remove_ = addToolButton(L"Remove", L"Delete.svg");
    addSeparator();
    moveUp_ = addToolButton(L"MoveUp", L"MoveUp.svg");
    moveDown_ = addToolButton(L"MoveDown", L"MoveDown.svg");
    typesSettings_ = addToolButton(L"TypesSettings", L"BOMProperties.svg");
    addSeparator();
    view_ = static_cast<kvpf::SelectControl*>(Add(kvpf::MakeRef<kvpf::SelectControl>(CString(L"View"))));
    view_->SetLabelPosition(kLabelPosition);
    view_->SetMinWidth(kViewMinWidth);
    view_->AddItem({kActiveViewItem, Korvo::I18n::Translate(L"TechRequirementDialog.Views.ActiveView")});
    view_->AddItem({kAllViewsItem, Korvo::I18n::Translate(L"TechRequirementDialog.Views.AllViews")});
    view_->SetSelectedIndex(1);
    view_->OnSelectionChanged([this] { onViewChanged(); });
    createText_ = addToolButton(L"CreateText", L"CreateTitleBlockNotes.svg");
    createInscription_ = addToolButton(L"CreateInscription", L"CreateDocumentNotesLeaders.svg");
    highlight_ = static_cast<kvpf::ToggleControl*>(Add(kvpf::MakeRef<kvpf::ToggleControl>(CString(L"HighlightInscripted"))));
    highlight_->SetSetup(1);
    highlight_->SetLabelPosition(kLabelPosition);
    highlight_->SetImage(kvpf::Image::FromResource(kHighlightIcon, {16}));
    highlight_->SetHint(Korvo::I18n::Translate(highlight_->GetFullId().GetString()));
    highlight_->OnChanged([this] { model_->notifyBackground(); });
    export_ = addToolButton(L"Export", L"DocumentExport.svg");
    addSeparator();
    exportToVarnel_ = addToolButton(L"ExportToVarnel", L"DocumentExportToVarnel.svg");
    syncWithVarnel_ = addToolButton(L"SyncWithVarnel", L"Create3DFragmentFromVarnel.svg");
    removeFromVarnel_ = addToolButton(L"RemoveFromVarnel", L"HyperlinkDelete.svg");

    auto model = kvpf::MakeRef<TechRequirementListModel>();
    model_ = model.get();
    model_->setDialog(this);
    list_ = static_cast<kvpf::ListControl*>(Add(kvpf::MakeRef<kvpf::ListControl>(CString(L"List"))));
    list_->SetModel(model);
    list_->SetSelectionMode(1);
    list_->SetIdMapping(true);
    list_->SetStretchHeight(true);
    list_->SetMinWidth(kListMinWidth);
    list_->SetEditMode(kListEditMode);
    list_->SetGridLines(kListGridLines);
    bindListEvents();
    typeEditor_ = static_cast<kvpf::SelectControl*>(list_->GetEditors().Add(kvpf::MakeRef<kvpf::SelectControl>(CString(L"TypeEditor"))));
    fillTypeEditor();
    typeEditor_->OnSelectionChanged([this] { list_->EndCellEditing(); });
    SetChildFillType(kFillRest);
}

std::vector<kvpf::BaseControl*> TechRequirementDialog::modeControls() const {
    return {add_,    edit_,       duplicate_,     import_,     importSource_, copy_,
            paste_,  remove_,     moveUp_,        moveDown_,   typesSettings_, createText_,
            createInscription_, export_, exportToVarnel_, removeFromVarnel_, syncWithVarnel_, highlight_};
}

void TechRequirementDialog::withEventsSuppressed(const std::function<void()>& work) {
    std::vector<kvpf::BaseControl*> controls{add_,   edit_,   duplicate_, import_,   importPopup_,   importSource_,
                                             copy_,  paste_,  remove_,    moveUp_,   moveDown_,      typesSettings_,
                                             view_,  createText_, createInscription_, highlight_, export_, list_};
    for (kvpf::BaseControl* control : controls) control->SuppressUserEvents(true);
    struct Restore {
        std::vector<kvpf::BaseControl*>& controls;
        ~Restore() {
            for (kvpf::BaseControl* control : controls) control->SuppressUserEvents(false);
        }
    } restore{controls};
    work();
}

void TechRequirementDialog::bindListEvents() {
    using Event = kvpf::ListControl::Event;
    for (Event event : {Event::CellEditBegin, Event::CellEditEnd, Event::IconClicked, Event::SelectionChanged})
        list_->Bind(event, [this, event](int row, int column) { onListEvent(event, row, column); });
    list_->Bind(Event::Highlight, [this](int row, int) { onHover(row); });
}

void TechRequirementDialog::fillTypeEditor() {
    typeEditor_->RemoveAllItems();
    typeEditor_->AddItem({kNoTypeItem, Korvo::I18n::Translate(L"TechRequirementDialog.List.UnknownType")});
    if (!document_) return;
    const TechRequirementTypesDb& types = TechRequirementTypesDb::Instance(document_);
    int position = 0;
    for (const Korvo::UniqueIdentifier& type : types.GetAllSorted(false))
        typeEditor_->AddItem({position++, types.GetFullName(type, L"\\")});
}

// ---- Binding and refreshing ------------------------------------------------------------------------

void TechRequirementDialog::SetDocument(CKvw32Doc* document) {
    document_ = document;
    if (!document) {
        activePage_.reset();
    } else if (CKVBaseView* view = document->GetActiveKVView(); !view) {
        activePage_.reset();
    } else if (view->GetDocument() == document) {
        const int page = view->GetCurrentPage();
        if (TechRequirementManager(document).IsValidPage(page)) activePage_ = page;
        else activePage_.reset();
    }
    model_->setDocument(document);
    SetVisible(document != nullptr);
}

std::optional<int> TechRequirementDialog::filterPage() const {
    const std::optional<int> chosen = view_->GetSelectedCustomId();
    if (!chosen || *chosen == kAllViewsItem) return std::nullopt;
    if (*chosen == kActiveViewItem) return activePage_;
    return chosen;
}

void TechRequirementDialog::applyViewFilter(bool documentChanged) {
    const int chosen = view_->GetSelectedCustomId().value_or(kAllViewsItem);
    if (chosen != kAllViewsItem && chosen != kActiveViewItem) {
        model_->setPageFilter(chosen);
        return;
    }
    if (chosen == kActiveViewItem && !documentChanged && activePage_ && document_ &&
        document_->Cont2D()->GetSafePage(*activePage_)) {
        model_->setPageFilter(activePage_);
        return;
    }
    view_->SetSelectedIndex(view_->GetIndexByCustomId(kAllViewsItem));
    model_->setPageFilter(std::nullopt);
}

void TechRequirementDialog::refresh(bool documentChanged) {
    withEventsSuppressed([this, documentChanged] {
        const int remembered = view_->GetSelectedCustomId().value_or(kAllViewsItem);
        view_->RemoveItemsFrom(2);
        if (!document_) return;
        model_->reloadPages();
        for (int page : model_->pages()) {
            const STATUS* status = document_->Cont2D()->GetSafePage(page);
            view_->AddItem({page, status ? status->GetName() : CString()});
        }
        const int index = view_->GetIndexByCustomId(remembered);
        view_->SetSelectedIndex(index >= 0 ? index : view_->GetIndexByCustomId(kAllViewsItem));
        KVDocRegenContext regeneration(document_, true, false, false);
        applyViewFilter(documentChanged);
        SaveSettings();
        model_->reload(true);
        LoadSettings();
        if (documentChanged) model_->restorePageColumnVisibility(*list_);
        updateEnabilityDefaultMode();
        fillTypeEditor();
    });
}

void TechRequirementDialog::onViewChanged() {
    applyViewFilter(false);
    model_->reload(true);
    if (mode_ == kModeDefault) updateEnabilityDefaultMode();
}

bool TechRequirementDialog::Update(unsigned flags) {
    if (!document_) return false;
    const unsigned commandFlags = kFlagPages | kFlagTypes | kFlagCommand;
    if ((flags & commandFlags) == commandFlags)
        setMode(!document_->IsInCommand() ? kModeDefault : leadersCommand_ ? kModeLeaders : kModeBusy);
    if (!IsWindowVisible() || mode_ != kModeDefault) return false;
    importSource_->SetItemEnabled(importSource_->GetIndexByCustomId(1), KVPDMWorkMix::Instance() != nullptr);
    paste_->Enable(TechRequirementManager::CanCreateRichDocumentFromClipboard());
    if (flags & kFlagRefresh) {
        refresh((flags & kFlagDocumentChanged) != 0);
        return true;
    }
    if (flags & kFlagPages) updatePageList();
    if (flags & kFlagTypes) {
        model_->invalidatePreviews();
        fillTypeEditor();
    }
    return true;
}

void TechRequirementDialog::updatePageList() {
    const std::vector<int> pages = TechRequirementManager(document_).FindSuitablePages();
    if (pages == model_->pages() && model_->GetRowCount() == document_->Cont2D()->GetTechRequirementCount()) {
        updateEnabilityDefaultMode();
        return;
    }
    refresh(false);
}

// ---- Modes and enablement --------------------------------------------------------------------------

void TechRequirementDialog::setMode(std::uint8_t mode) {
    if (mode == mode_) return;
    mode_ = mode;
    const int allViews = view_->GetIndexByCustomId(kAllViewsItem);
    if (mode == kModeDefault) {
        list_->RemoveAllHandlers();
        bindListEvents();
        list_->SetSelectionMode(1);
        view_->SetItemEnabled(allViews, true);
    } else if (mode == kModeLeaders) {
        list_->RemoveAllHandlers();
        list_->Bind(kvpf::ListControl::Event::SelectionChanged,
                    [this](int row, int column) { onListEvent(kvpf::ListControl::Event::SelectionChanged, row, column); });
        list_->SetSelectionMode(0);
        view_->SetItemEnabled(allViews, false);
        highlight_->SetChecked(true);
    }
    if (mode != kModeBusy) {
        Enable(true);
        for (kvpf::BaseControl* control : modeControls()) control->Enable(mode == kModeDefault);
        view_->SetItemEnabled(allViews, mode == kModeDefault);
    } else {
        Enable(false);
    }
    if (mode == kModeLeaders && view_->GetSelectedIndex() == allViews) {
        for (int i = 0; i < view_->GetItemCount(); ++i)
            if (view_->GetItem(i).enabled) view_->SetSelectedIndex(i);
    }
    model_->notifyBackground();
}

void TechRequirementDialog::updateEnabilityDefaultMode() {
    if (!document_ || mode_ != kModeDefault) return;
    const TechRequirementManager manager(document_);
    const std::vector<TechRequirement*> selected = getSelectedTechRequirements();
    const std::size_t n = selected.size();
    const std::optional<int> page = filterPage();
    const bool pdm = manager.IsWorkWithVarnelEnabled();
    edit_->Enable(n == 1);
    duplicate_->Enable(n >= 1);
    copy_->Enable(n >= 1);
    remove_->Enable(n >= 1);
    createInscription_->Enable(!manager.GetPagesWithRequirements(false).empty());
    view_->SetItemEnabled(view_->GetIndexByCustomId(kActiveViewItem), activePage_.has_value());
    createText_->Enable(page && manager.IsValidPageToCreateTechNotes(*page));
    auto all = [&selected](auto&& test) { return std::all_of(selected.begin(), selected.end(), test); };
    auto any = [&selected](auto&& test) { return std::any_of(selected.begin(), selected.end(), test); };
    moveUp_->Enable(n >= 1 && all([&](TechRequirement* r) { return manager.GetPreviousWithSameType(r, page, true) != nullptr; }));
    moveDown_->Enable(n >= 1 && all([&](TechRequirement* r) { return manager.GetNextWithSameType(r, page, true) != nullptr; }));
    auto fromPdm = [](TechRequirement* r) { return Properties(r).GetSourceType() == 1; };
    exportToVarnel_->Enable(n >= 1 && pdm && !any(fromPdm));
    removeFromVarnel_->Enable(n >= 1 && pdm && any(fromPdm));
    importSource_->SetItemEnabled(importSource_->GetIndexByCustomId(1), pdm);
    syncWithVarnel_->Enable(pdm);
}

// ---- Rows and selection -----------------------------------------------------------------------------

TechRequirement* TechRequirementDialog::requirementAtRow(int row) const {
    if (row < 0 || !document_) return nullptr;
    const kvpf::Variant value = model_->GetData(row, 0, TechRequirementListModel::kRowId);
    const auto* id = std::get_if<int>(&value);
    return id ? TechRequirementManager(document_).GetByIndex(static_cast<unsigned>(*id)) : nullptr;
}

bool TechRequirementDialog::forEachSelected(const std::function<bool(TechRequirement*)>& step, bool backward) const {
    std::vector<int> rows = list_->GetSelectedRows();
    if (backward) std::reverse(rows.begin(), rows.end());
    for (int row : rows) {
        TechRequirement* requirement = requirementAtRow(row);
        if (requirement && step(requirement)) return true;
    }
    return false;
}

std::vector<TechRequirement*> TechRequirementDialog::getSelectedTechRequirements() const {
    std::vector<TechRequirement*> selected;
    forEachSelected([&selected](TechRequirement* requirement) {
        selected.push_back(requirement);
        return false;
    }, false);
    return selected;
}

void TechRequirementDialog::onHover(int row) {
    if (row < 0) {
        list_->SetHintImage(kvpf::Image());
        return;
    }
    const kvpf::Image image = model_->getPreviewImage(row);
    if (!image.IsEmpty()) list_->SetHintImage(image);
}

// ---- Leaders --------------------------------------------------------------------------------------

void TechRequirementDialog::setLeadersState(std::unique_ptr<TechReqLink> link) {
    leaderLink_ = std::move(link);
    model_->notifyBackground();
}

void TechRequirementDialog::startLeadersCommand() {
    // One runs already: the kernel would refuse a second, and the dialog keeps knowing the first.
    if (!document_ || leadersCommand_) return;
    // The framework keeps a running command alive; the dialog's reference ends with this call.
    auto command = std::make_shared<LeadersCmd>(*this);
    command->Run(document_->GetActiveKVView(), false);
}

