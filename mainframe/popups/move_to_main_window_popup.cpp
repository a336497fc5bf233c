#include "mainframe/popups/move_to_main_window_popup.h"

#include "services/application.h"
#include "mainframe/main_frame.h"
#include "platform/textcore.h"

void FillMoveToMainWindowControls(CXTPControls* controls, const std::vector<CMainFrame*>& frames,
                                  const CMainFrame* current, bool customizing) {
    if (!controls || customizing) return;
    controls->RemoveAll();
    CXTPControl* newWindow = controls->Add(xtpControlButton, kNewMainWindowCommand);
    newWindow->SetCaption(Korvo::I18n::Translate(L"commands.new_main_window"));
    newWindow->SetFlags(newWindow->GetFlags() | xtpFlagManualUpdate);
    if (frames.size() < 2) return;

    UINT id = kFirstMoveTargetCommand;
    for (const CMainFrame* frame : frames) {
        if (id > kLastMoveTargetCommand) break;
        CXTPControl* button = controls->Add(xtpControlButton, static_cast<int>(id));
        button->SetBeginGroup(id == kFirstMoveTargetCommand);
        CString title;
        frame->GetWindowText(title);
        button->SetCaption(title);
        button->SetChecked(frame == current);
        button->SetFlags(button->GetFlags() | xtpFlagManualUpdate);
        ++id;
    }
}

IMPLEMENT_DYNCREATE(MoveToMainWindowPopup, CXTPControlPopup)

MoveToMainWindowPopup::MoveToMainWindowPopup() {
    SetID(static_cast<int>(kMoveToMainWindowCommand));
    SetFlags(GetFlags() | xtpFlagManualUpdate);
}

void MoveToMainWindowPopup::Build(CXTPCommandBars* bars) {
    CXTPPopupBar* popup = CXTPPopupBar::CreatePopupBar(bars);
    SetCommandBar(popup);
    popup->InternalRelease();
}

void MoveToMainWindowPopup::OnSetPopup(BOOL popup) {
    CXTPCommandBar* bar = GetCommandBar();
    ApplicationServices* app = ApplicationServices::Instance();
    if (popup && bar && app) {
        CXTPCommandBar* holder = GetParent();
        CXTPCommandBars* bars = holder ? holder->GetCommandBars() : nullptr;
        const CMainFrame* current = holder ? dynamic_cast<CMainFrame*>(bars ? bars->GetSite() : nullptr)
                                           : CMainFrame::From(app->GetActiveMainFrame());
        FillMoveToMainWindowControls(bar->GetControls(), CMainFrame::GetAll(), current,
                                     bars && bars->IsCustomizeMode());
    }
    CXTPControlPopup::OnSetPopup(popup);
}
