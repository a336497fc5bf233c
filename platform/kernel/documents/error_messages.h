// The kernel's messages (errors and warnings) about a document: the container a document keeps
// them in, the objects the user blocked, and the messages the user chose never to see again.
#pragma once

#include <set>
#include <vector>

#include "platform/mfc.h"

class CKvw32Doc;

// One message: its text and the objects of the document it names (possibly none).
struct KVErrorRecord {
    int id = 0;
    CString text;
    std::vector<int> objects;
};

// What hears about a container's messages: the UI library's diagnostics dialog showing them.
class ErrorContainerObserver {
public:
    // The kernel put new messages into the container (`newErrors`: some are errors).
    virtual void OnMessagesChanged(bool newErrors) = 0;
    // The container goes with its document.
    virtual void OnContainerDestroyed() = 0;

protected:
    ~ErrorContainerObserver() = default;
};

// The messages of one document, shown in the application's error window once bound to it.
class ContainerErrors {
public:
    explicit ContainerErrors(CKvw32Doc* document = nullptr) : document_(document) {}
    ~ContainerErrors();
    ContainerErrors(const ContainerErrors&) = delete;
    ContainerErrors& operator=(const ContainerErrors&) = delete;

    CKvw32Doc* GetDocument() const { return document_; }
    // The window the container reports to, once bound.
    HWND GetBoundWindow() const { return boundWindow_; }
    bool IsBound() const { return bound_; }
    void BindToWindow(HWND window);

    // The kernel's messages after a regeneration replace the old ones; the observer hears.
    void SetRecords(std::vector<KVErrorRecord> records);
    const std::vector<KVErrorRecord>& GetRecords() const { return records_; }
    // The kernel reports nothing more about `objectId` in this document.
    void BlockError(int objectId);
    // A message is blocked when its first object is.
    bool IsBlocked(const KVErrorRecord& record) const;
    // There are messages, and the user blocked every one of them.
    bool IsAllMessagesBlocked() const;
    const std::set<int>& GetBlockedObjects() const { return blocked_; }

    void SetObserver(ErrorContainerObserver* observer) { observer_ = observer; }
    ErrorContainerObserver* GetObserver() const { return observer_; }

private:
    CKvw32Doc* document_;
    HWND boundWindow_ = nullptr;
    bool bound_ = false;
    std::vector<KVErrorRecord> records_;
    std::set<int> blocked_;
    ErrorContainerObserver* observer_ = nullptr;
};

// The name the document activation has used for the container.
using KVErrorContainer = ContainerErrors;

// The messages the user hid for good, by text, in the user's profile ("HiddenErrors" of the
// program's registry section), read at first use and written at every change.
class errorHiddenData {
public:
    void Add(const KVErrorRecord& record);
    bool IsEmpty() const;
    bool Hides(const KVErrorRecord& record) const;
    const std::vector<CString>& GetTexts() const;
    // Shows the message of `index` again; false for an index that names none.
    bool Remove(int index);
    // The settings profile's copy of the list, the value "State" of a key the profile item opens
    // (one message a line): reading it replaces the list when the value is there.
    void ReadProfile(HKEY key);
    void WriteProfile(HKEY key) const;

private:
    void load() const;
    void save() const;
    mutable bool loaded_ = false;
    mutable std::vector<CString> texts_;
};

errorHiddenData* GetHiddenErrorCont();
