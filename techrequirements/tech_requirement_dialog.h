// The docked editor of a document's technical requirements: a tool bar of buttons, an import
// popup, a view select and a highlight toggle above a list with one row per requirement. All data
// lives in the kernel; the pane shows it, keeps its view settings and follows the document's
// state through the update flags its host hands it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"

class TechRequirementListModel;

class TechRequirementDialog : public kvpf::WpfDockFormView {
public:
    // The leader-line command while it runs; it registers itself with the dialog for its life.
    class LeadersCmd;
    using ListModel = TechRequirementListModel;

    // Update flags: 1 refresh (8: the document changed), 2 pages changed, 4 icons and types
    // changed, 16 (with 2 and 4) the document's command state changed.
    static constexpr unsigned kFlagRefresh = 1, kFlagPages = 2, kFlagTypes = 4, kFlagDocumentChanged = 8, kFlagCommand = 16;
    static constexpr std::uint8_t kModeDefault = 0, kModeBusy = 1, kModeLeaders = 2;
    static constexpr int kActiveViewItem = -777, kAllViewsItem = -666;

    explicit TechRequirementDialog(bool flag);
    // Forms are counted objects: Destroy drops the last reference.
    static TechRequirementDialog* Create(bool flag) { return new TechRequirementDialog(flag); }

    void SetDocument(CKvw32Doc* document);
    CKvw32Doc* GetDocument() const { return document_; }
    const std::optional<int>& GetActivePage() const { return activePage_; }
    // The host's update entry: whether the flags were acted on (false while there is no
    // document, the pane is hidden or another mode than 0 holds them back).
    bool Update(unsigned flags);
    void refresh(bool documentChanged);
    void startLeadersCommand();
    void setLeadersState(std::unique_ptr<TechReqLink> link);
    const TechReqLink* getLeaderLink() const { return leaderLink_.get(); }
    LeadersCmd* getLeadersCommand() const { return leadersCommand_; }

    TechRequirement* requirementAtRow(int row) const;
    bool forEachSelected(const std::function<bool(TechRequirement*)>& step, bool backward) const;
    std::vector<TechRequirement*> getSelectedTechRequirements() const;

    std::uint8_t getMode() const { return mode_; }
    // The view filter's page: the active page for the Active-view item, none for All views.
    std::optional<int> filterPage() const;
    TechRequirementListModel& listModel() const { return *model_; }
    kvpf::ListControl& list() const { return *list_; }
    kvpf::SelectControl& viewSelect() const { return *view_; }
    kvpf::ToggleControl& highlightToggle() const { return *highlight_; }

    void applyViewFilter(bool documentChanged);
    void setMode(std::uint8_t mode);
    void updateEnabilityDefaultMode();
    void fillTypeEditor();

    // The controls whose enabled state follows the mode and the selection, in tool-bar order.
    std::vector<kvpf::BaseControl*> modeControls() const;

protected:
    ~TechRequirementDialog() override;

private:
    friend class LeadersCmd;

    void buildControls();
    kvpf::ButtonControl* addToolButton(const wchar_t* id, const wchar_t* svg);
    void addSeparator();
    void bindListEvents();
    void onViewChanged();
    void onHover(int row);
    void updatePageList();
    // The handlers of the tool bar and the list; each ends any cell editing first.
    void onToolButton(const wchar_t* id);
    void onListEvent(kvpf::ListControl::Event event, int row, int column);
    void onAdd();
    void onEdit();
    void onDuplicate();
    void onImport();
    void onCopy();
    void onPaste();
    void onRemove();
    void moveSelected(bool up);
    void onTypesSettings();
    void onCreateText();
    void onCreateInscription();
    void onExport();
    void onExportToVarnel();
    void onSyncWithVarnel();
    void onRemoveFromVarnel();
    void onSelectionChanged();
    void onCellEditBegin(int row, int column);
    void onCellEditEnd(int row, int column);
    void onClickListIcon(int row, int column);
    // Runs `step` on the row's requirement alone when the row is not selected, else on every
    // selected requirement, each registered with `undo` before any changes.
    void onCellValueEdit(int row, UndoBlock& undo, const std::function<void(TechRequirement*)>& step);
    CWnd* paneWindow();
    // The PDM import dialog on the document: true with the chosen standard requirements.
    bool runVarnelImportDialog(std::vector<KVPDMTechReqHandle>& handles);
    // The page check of a row (role 4 of a page column): adds or removes the affected rows.
    bool changePageCheck(int row, int column, const kvpf::Variant& value, int role);
    friend class TechRequirementListModel;
    // Runs `work` with user events of every control suppressed.
    void withEventsSuppressed(const std::function<void()>& work);

    CKvw32Doc* document_ = nullptr;
    std::optional<int> activePage_;
    kvpf::ButtonControl* add_ = nullptr;
    kvpf::ButtonControl* edit_ = nullptr;
    kvpf::ButtonControl* duplicate_ = nullptr;
    kvpf::ButtonControl* import_ = nullptr;
    kvpf::PopupControl* importPopup_ = nullptr;
    kvpf::SelectControl* importSource_ = nullptr;
    kvpf::ButtonControl* copy_ = nullptr;
    kvpf::ButtonControl* paste_ = nullptr;
    kvpf::ButtonControl* remove_ = nullptr;
    kvpf::ButtonControl* moveUp_ = nullptr;
    kvpf::ButtonControl* moveDown_ = nullptr;
    kvpf::ButtonControl* typesSettings_ = nullptr;
    kvpf::SelectControl* view_ = nullptr;
    kvpf::ButtonControl* createText_ = nullptr;
    kvpf::ButtonControl* createInscription_ = nullptr;
    kvpf::ToggleControl* highlight_ = nullptr;
    kvpf::ButtonControl* export_ = nullptr;
    kvpf::ListControl* list_ = nullptr;
    kvpf::SelectControl* typeEditor_ = nullptr;
    kvpf::ButtonControl* exportToVarnel_ = nullptr;
    kvpf::ButtonControl* removeFromVarnel_ = nullptr;
    kvpf::ButtonControl* syncWithVarnel_ = nullptr;
    std::uint8_t mode_ = kModeDefault;
    LeadersCmd* leadersCommand_ = nullptr;
    std::unique_ptr<TechReqLink> leaderLink_;
    TechRequirementListModel* model_ = nullptr;  // held by the list
};

// The leader-line command: while it runs the pane is in mode 2, and a row click hands the
// kernel's annotation module a link to that requirement, whose leader it then places. It lives
// from startLeadersCommand until the kernel ends it; the dialog knows it meanwhile.
class TechRequirementDialog::LeadersCmd : public kvpf::StdCmd {
public:
    static constexpr int kCommandCode = 8250;

    explicit LeadersCmd(TechRequirementDialog& dialog);
    ~LeadersCmd() override;
    // A leader line for requirement `index` on `page` is wanted.
    void CreateLeader(unsigned index, int page);
    void ShowAutomenu();
    bool IsPlacing() const { return placing_; }
    const TechReqLink* GetPendingLink() const { return pending_.get(); }

protected:
    void RestoreAutomenu() override;
    void OnKvEndCommand(kvpf::StdCmdEvt& event) override;
    void OnKvKeyPressed(kvpf::StdCmdKeyEvt& event) override;
    void OnKvStartCommand(kvpf::StdCmdEvt& event) override;
    void OnKvGetCommandCode(kvpf::StdCmdEvt& event) override;
    void OnUserCloseCommand(bool confirmed) override;

private:
    friend class TechRequirementDialog;
    void placeLink();
    CKVBaseView* activeView() const;

    bool placing_ = false;
    std::unique_ptr<TechReqLink> pending_;
    TechRequirementDialog* dialog_;  // not owned; cleared when the dialog goes first
};
