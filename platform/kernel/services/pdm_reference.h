// The PDM system's reference controls: a window that shows one PDM object (found by its 16-byte
// key), made for a window of the program. Every call may throw the PDM system's exception.
#pragma once

#include "platform/mfc.h"

class KVPDMReferenceControl {
public:
    KVPDMReferenceControl(const KVPDMReferenceControl&) = delete;
    KVPDMReferenceControl& operator=(const KVPDMReferenceControl&) = delete;

    // The control's window (a child of the window it was made for), null once closed.
    HWND GetWindow() const { return window_; }
    CString GetCaption() const;
    // A new icon of the object (the caller destroys it).
    HICON GetIcon() const;
    // Closes the control: its window goes (unless the client is faulty).
    void Close();
    void AddRef() { ++references_; }
    // Drops one reference; the last one deletes the control.
    void Release();

private:
    friend class KVPDMObjectRef;
    KVPDMReferenceControl(const GUID& key, HWND window);
    ~KVPDMReferenceControl();
    GUID key_;
    HWND window_;
    int references_ = 1;
};

// A PDM object as the work mix finds it by key.
class KVPDMObjectRef {
public:
    // The object of that key in the connected work mix (null key or none: throws).
    static KVPDMObjectRef Find(const GUID& key);
    // A new reference control (one reference, the caller's) with its window in `parent`.
    KVPDMReferenceControl* CreateReferenceControl(HWND parent) const;
    const GUID& GetKey() const { return key_; }

private:
    explicit KVPDMObjectRef(const GUID& key) : key_(key) {}
    GUID key_;
};
