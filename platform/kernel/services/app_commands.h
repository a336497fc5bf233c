// Commands that add-on applications and modules add to the command set while the program runs.
// The application gives each an id and keeps them in registration order; the kernel knows them
// by that id.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/mfc.h"
#include "platform/textcore.h"

class CKvw32Doc;

// What a module registers with a command of its own instead of a kernel description: the calls
// that carry it out and set its state, and whether it may run without an active document.
struct ApplicationCommandCallbacks {
    std::function<void(CKvw32Doc* document, UINT id)> execute;
    std::function<void(CKvw32Doc* document, CCmdUI* cmdUI)> update;
    bool allowWithoutDocument = false;
};

class IApplicationCommand {
public:
    // The two kinds a command can be.
    static constexpr int kAddOnCommand = 0;  // named by an add-on application's id string
    static constexpr int kUniqueCommand = 1; // named by a unique identifier
    // The kernel description kind of a command named by a unique identifier.
    static constexpr int kNoDescription = -1;

    virtual ~IApplicationCommand() = default;

    virtual int GetKind() const = 0;
    // The add-on application's id, or the unique identifier in its text form.
    virtual CString GetIdString() const = 0;
    // The kind of the command's kernel description and its key, when it has one.
    virtual int GetDescriptionKind() const { return kNoDescription; }
    virtual const Korvo::UniqueIdentifier* GetKeyId() const { return nullptr; }
    // Same kind, same owner and same internal id: the same command, whatever its id or name.
    bool IsEqualID(const IApplicationCommand& other) const;
    // A text that is equal exactly for commands IsEqualID finds equal.
    std::wstring GetIdentityKey() const;

    int GetInternalId() const { return internalId_; }
    bool IsInternal() const { return internal_; }
    UINT GetCommandId() const { return commandId_; }
    void SetCommandId(UINT id) { commandId_ = id; }
    const CString& GetName() const { return name_; }
    // The command string: description, a line break, the caption (what tooltips are made from).
    const CString& GetPromptString() const { return prompt_; }
    void SetPromptString(const CString& prompt) { prompt_ = prompt; }
    const CString& GetHelpFile() const { return helpFile_; }
    UINT GetHelpId() const { return helpId_; }
    void SetHelp(const CString& file, UINT id) {
        helpFile_ = file;
        helpId_ = id;
    }
    // Takes the data of `other`, a command of the same identity, keeping this command's id.
    void TakeOver(const IApplicationCommand& other);

    // The module's callback record, or null for a command the kernel describes.
    // Shared, so a record replaced while its callback runs lives until the call returns.
    std::shared_ptr<const ApplicationCommandCallbacks> GetCallbacks() const { return callbacks_; }
    void SetCallbacks(std::shared_ptr<const ApplicationCommandCallbacks> callbacks) { callbacks_ = std::move(callbacks); }
    // Whether the kernel description works on the document's stored selection (the active view
    // then runs the command on it too).
    bool AsksForSelection() const { return asksForSelection_; }
    void SetAsksForSelection(bool asks) { asksForSelection_ = asks; }

protected:
    IApplicationCommand(CString name, int internalId, bool internal)
        : name_(std::move(name)), internalId_(internalId), internal_(internal) {}

private:
    CString name_;
    CString prompt_;
    CString helpFile_;
    UINT helpId_ = 0;
    int internalId_;
    bool internal_;
    UINT commandId_ = 0;
    std::shared_ptr<const ApplicationCommandCallbacks> callbacks_;
    bool asksForSelection_ = false;
};

// A command of an add-on application.
class CKVAppCommand : public IApplicationCommand {
public:
    CKVAppCommand(CString applicationId, CString name, int internalId, bool internal)
        : IApplicationCommand(std::move(name), internalId, internal), applicationId_(std::move(applicationId)) {}
    int GetKind() const override { return kAddOnCommand; }
    CString GetIdString() const override { return applicationId_; }

private:
    CString applicationId_;
};

// A command named by a unique identifier; its kernel description carries that identifier.
class ApplicationCommand : public IApplicationCommand {
public:
    ApplicationCommand(int internalId, const Korvo::UniqueIdentifier& key, CString name, bool internal)
        : IApplicationCommand(std::move(name), internalId, internal), key_(key) {}
    int GetKind() const override { return kUniqueCommand; }
    CString GetIdString() const override { return key_.ToString(); }
    int GetDescriptionKind() const override { return kUniqueCommand; }
    const Korvo::UniqueIdentifier* GetKeyId() const override { return &key_; }

private:
    Korvo::UniqueIdentifier key_;
};
