#include "mainframe/move_to_main_window_popup.h"

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
