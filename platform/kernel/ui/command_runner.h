// The kernel's interactive commands on documents: one command runs on a document at a time, held
// by the kernel from its start until it ends (the user or the command ends it, or its document
// closes). The document is in command meanwhile. Keys the user presses reach the command.
#pragma once

#include <memory>

class CKvw32Doc;

// A command as the kernel drives it (the UI library's standard commands present themselves so).
class KVRunningCommand {
public:
    virtual ~KVRunningCommand() = default;
    virtual void KernelStarted() = 0;
    virtual void KernelKeyPressed(int code) = 0;
    // The user closed the command (confirmed, or cancelled it).
    virtual void KernelUserClosed(bool confirmed) = 0;
    // The last call: the kernel has let go of the command.
    virtual void KernelEnded() = 0;
    virtual int KernelCommandCode() = 0;
};

class KVCommandRunner {
public:
    // Starts the command on the document (recorded with its code). False without a document or
    // while another command runs there.
    static bool Start(CKvw32Doc* document, std::shared_ptr<KVRunningCommand> command);
    // A key for the document's running command; false when none runs.
    static bool SendKey(CKvw32Doc* document, int code);
    static bool UserClose(CKvw32Doc* document, bool confirmed);
    // Ends the document's running command; false when none runs.
    static bool End(CKvw32Doc* document);
    static KVRunningCommand* Running(const CKvw32Doc* document);
};
