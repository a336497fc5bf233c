// The framework's standard interactive command: run on a view as the kernel's command of the
// view's document, it hears the kernel's events through its slots (start, keys, the user closing
// it, end, its code) and shows an automenu of buttons. The kernel holds the command while it
// runs; whoever starts it may drop its own reference right after Run.
#pragma once

#include <memory>
#include <vector>

#include "platform/kernel.h"

namespace kvpf {

// An event of the running command; a slot that handles it puts its answer into `value`.
struct StdCmdEvt {
    int value = 0;
};

struct StdCmdKeyEvt : StdCmdEvt {
    int Code = 0;
};

// A button of a command's automenu.
struct TSingleButton {
    int arguments = 0;
    int key = 0;
    int flags = 0;
    CString caption;   // empty: the string `stringId` names it
    int stringId = 0;
    int command = 0;
};
using tButtonArray = std::vector<TSingleButton>;

class StdCmd : public KVRunningCommand, public std::enable_shared_from_this<StdCmd> {
public:
    StdCmd() = default;
    StdCmd(const StdCmd&) = delete;
    StdCmd& operator=(const StdCmd&) = delete;
    ~StdCmd() override = default;

    // Runs the command on the view's document; false when the kernel refuses it (no view, or
    // another command runs there).
    bool Run(CKVBaseView* view, bool repeat);
    // Ends the command as a running command ends itself.
    void TerminateCommand();
    // The document the command runs on (null before Run and after the end).
    CKvw32Doc* GetDocument() const { return document_; }
    // Shows the buttons as the command's automenu (recorded).
    void automenu(const tButtonArray& buttons);
    const tButtonArray& GetAutomenu() const { return automenu_; }

protected:
    // The slots; the base handles none of them, and ends the command when the user closes it.
    virtual void RestoreAutomenu() {}
    virtual void OnKvEndCommand(StdCmdEvt&) {}
    virtual void OnKvKeyPressed(StdCmdKeyEvt&) {}
    virtual void OnKvStartCommand(StdCmdEvt&) {}
    virtual void OnKvGetCommandCode(StdCmdEvt&) {}
    virtual void OnUserCloseCommand(bool confirmed);

private:
    void KernelStarted() override;
    void KernelKeyPressed(int code) override;
    void KernelUserClosed(bool confirmed) override;
    void KernelEnded() override;
    int KernelCommandCode() override;

    CKvw32Doc* document_ = nullptr;
    tButtonArray automenu_;
};

}  // namespace kvpf
