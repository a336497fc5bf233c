// Pane windows that the kernel's modules hand out to the application: the annotations, form-factor,
// configurations and layers windows (shared, reference counted) and the PDM assembly window.
// Each records the documents it is given.
#pragma once

#include "platform/mfc.h"

class CKvw32Doc;
struct KVWorkmixPosition;

// A pane window shared by reference count: the creator's reference comes with the object; the
// last release destroys the window (when it has one) and then the object.
class KVCountedPaneWnd : public CWnd {
public:
    void OnFinalRelease() override;

protected:
    KVCountedPaneWnd() = default;
    // A "STATIC" child of `parent` with the pane id as control id; no window without a parent.
    bool CreatePaneWindow(CWnd* parent, UINT paneId);

    // A new pane object of type Pane with its window (see CreatePaneWindow).
    template <class Pane>
    static Pane* NewPane(CWnd* parent, UINT paneId) {
        auto* pane = new Pane;
        pane->CreatePaneWindow(parent, paneId);
        return pane;
    }
    // The one object of a process-wide pane kept in `instance`, with a reference for the caller:
    // made with its window at the first call. The pane clears `instance` at its final release.
    template <class Pane>
    static Pane* SharedInstance(Pane*& instance, CWnd* parent, UINT paneId) {
        if (instance) {
            instance->InternalAddRef();
        } else {
            instance = NewPane<Pane>(parent, paneId);
        }
        return instance;
    }
};

class CAnnotationsWnd : public KVCountedPaneWnd {
public:
    static CAnnotationsWnd* Create(CWnd* parent);
    void ActivateDocument(CKvw32Doc* document);
};

class CFormFactorWnd : public KVCountedPaneWnd {
public:
    static CFormFactorWnd* Create(CWnd* parent);
    void ActivateDocument(CKvw32Doc* document);
};

class CLayersWnd : public KVCountedPaneWnd {
public:
    static CLayersWnd* Create(CWnd* parent);
    void ActivateDocument(CKvw32Doc* document);
    // Idle time: the list is refilled when the document's layers changed.
    void UpdateIfDirty();
};

// One window for the whole process; every Instance call takes a reference.
class CConfigurationsWnd : public KVCountedPaneWnd {
public:
    static CConfigurationsWnd* Instance(CWnd* parent);
    void ActivateDocument(CKvw32Doc* document);
    void OnIdleUpdate();
    void OnFinalRelease() override;
};

// The PDM assembly pane: its contents exist once the PDM system has filled it (a work-mix
// position selected in it) and until they are destroyed.
class CVarnelAssemblyWnd : public CWnd {
public:
    CVarnelAssemblyWnd() = default;
    bool HasContents() const { return hasContents_; }
    void CreateContents();
    // The PDM system shows the assembly of the position in the pane (its contents made).
    void SelectWorkmixPosition(const KVWorkmixPosition& position);
    // The contents (when there are any) take the PDM system's connection again; destroying them
    // leaves the pane empty until a position is selected again.
    void ConnectContents();
    void DestroyContents();
    bool AreContentsConnected() const { return connected_; }
    // The pane's caption: the window's text (empty without a window).
    CString GetCaption() const;
    void OnSetActiveDoc(CKvw32Doc* document);
    // The key of the document's control in the pane (empty when it shows none), dropping that
    // control, and the assembly document's closing.
    CString GetKey(CKvw32Doc* document) const;
    void DestroyControl(const CString& key);
    void OnDocumentClosed(CKvw32Doc* assemblyDocument);

private:
    bool hasContents_ = false;
    bool connected_ = false;
};

// A form window of the kernel (a command's form) that the application hosts in docking pane
// 1016: its icon, its title and the sizes it asks for. Its creator sets them before handing it over.
class KVFormWindow : public CWnd {
public:
    UINT GetIconId() const { return iconId_; }
    void SetIconId(UINT id) { iconId_ = id; }
    const CString& GetTitle() const { return title_; }
    void SetTitle(LPCWSTR title) { title_ = title ? title : L""; }
    SIZE GetMinSize() const { return minimum_; }
    SIZE GetPreferredSize() const { return preferred_; }
    void SetSizes(SIZE minimum, SIZE preferred) {
        minimum_ = minimum;
        preferred_ = preferred;
    }
    // Whether one of its controls takes whatever space the form gets (then the form keeps the
    // size its frame has).
    bool HasFillingControl() const { return filling_; }
    void SetFillingControl(bool filling) { filling_ = filling; }

private:
    UINT iconId_ = 0;
    CString title_;
    SIZE minimum_{};
    SIZE preferred_{};
    bool filling_ = false;
};
