// The leader-line command. A link handed to the annotation module starts a placement that runs
// on in the kernel; a later row click only replaces the pending link and tells the view, whose
// running placement then takes it.
#include "techrequirements/tech_requirement_dialog.h"

namespace {

constexpr UINT kPlacementTakesLink = 0xFFFC;
constexpr UINT kShowRequirementsPane = 823;
constexpr int kKeyShowPane = 87;
constexpr int kKeyEnd = 1014, kKeyEndAutomenu = 1021;
constexpr int kHandled = 1;

}  // namespace

TechRequirementDialog::LeadersCmd::LeadersCmd(TechRequirementDialog& dialog) : dialog_(&dialog) {
    dialog.leadersCommand_ = this;
}

TechRequirementDialog::LeadersCmd::~LeadersCmd() {
    if (dialog_ && dialog_->leadersCommand_ == this) dialog_->leadersCommand_ = nullptr;
}

CKVBaseView* TechRequirementDialog::LeadersCmd::activeView() const {
    CKvw32Doc* document = GetDocument();
    if (!document && dialog_) document = dialog_->GetDocument();
    return document ? document->GetActiveKVView() : nullptr;
}

void TechRequirementDialog::LeadersCmd::placeLink() {
    if (!pending_) return;
    AnnotateModuleProxy::Instance().PlaceTechReqLeader(activeView(), *pending_);
    if (dialog_) dialog_->setLeadersState(std::move(pending_));
    pending_.reset();
    placing_ = true;
}

void TechRequirementDialog::LeadersCmd::CreateLeader(unsigned index, int page) {
    pending_ = std::make_unique<TechReqLink>(index, page);
    if (!placing_) {
        placeLink();
        return;
    }
    // Without a view there is no placement to tell; the link waits for the next hand-over.
    if (CKVBaseView* view = activeView(); view && view->GetSafeHwnd())
        ::PostMessageW(view->GetSafeHwnd(), WM_COMMAND, kPlacementTakesLink, 0);
}

void TechRequirementDialog::LeadersCmd::ShowAutomenu() {
    kvpf::tButtonArray buttons;
    kvpf::TSingleButton show;
    show.arguments = 1480;
    show.key = kKeyShowPane;
    show.caption = Korvo::I18n::Translate(L"TechNotesLeadersCmd.Automenu.ShowWindow");
    show.command = kShowRequirementsPane;
    buttons.push_back(show);
    kvpf::TSingleButton end;
    end.arguments = 33;
    end.key = kKeyEndAutomenu;
    end.stringId = 1047;
    end.command = 6001;
    buttons.push_back(end);
    automenu(buttons);
}

void TechRequirementDialog::LeadersCmd::RestoreAutomenu() { ShowAutomenu(); }

void TechRequirementDialog::LeadersCmd::OnKvStartCommand(kvpf::StdCmdEvt& event) {
    placing_ = false;
    if (dialog_) dialog_->setLeadersState(nullptr);
    if (pending_) placeLink();
    else ShowAutomenu();
    event.value = kHandled;
}

void TechRequirementDialog::LeadersCmd::OnUserCloseCommand(bool confirmed) {
    if (confirmed) placeLink();
    else kvpf::StdCmd::OnUserCloseCommand(false);
}

void TechRequirementDialog::LeadersCmd::OnKvKeyPressed(kvpf::StdCmdKeyEvt& event) {
    if (event.Code == kKeyShowPane) {
        // The key only shows the pane: its command would close a pane that shows already.
        if (dialog_ && dialog_->IsWindowVisible()) return;
        if (Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame())
            ::PostMessageW(frame->AsWindow()->GetSafeHwnd(), WM_COMMAND, kShowRequirementsPane, 0);
        return;
    }
    if (event.Code == kKeyEnd || event.Code == kKeyEndAutomenu) {
        TerminateCommand();
        return;
    }
    kvpf::StdCmd::OnKvKeyPressed(event);
}

void TechRequirementDialog::LeadersCmd::OnKvEndCommand(kvpf::StdCmdEvt& event) {
    if (dialog_) {
        if (dialog_->leadersCommand_ == this) dialog_->leadersCommand_ = nullptr;
        dialog_->setLeadersState(nullptr);
    }
    AnnotateModuleProxy::Instance().EndTechReqLeaders();
    event.value = kHandled;
}

void TechRequirementDialog::LeadersCmd::OnKvGetCommandCode(kvpf::StdCmdEvt& event) { event.value = kCommandCode; }
