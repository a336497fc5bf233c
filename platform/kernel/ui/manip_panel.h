// The kernel's manipulator-panel interface: the panel a running command puts its own controls
// into (implemented by the application), and the kernel's objects behind those controls, each
// holding the list of the application's views of it and hearing what the user does in them.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc.h"

class CXTPControl;
class KVDocument;

// Which of a frame's manipulator panels (and bar group) a control belongs to: 1 or 2.
using CKVTypeParentPanel = int;

// What a view of a kernel control object offers the object: it is told when the object goes
// first, so that it never reaches the object again.
class KVSysPanelCtrlView {
public:
    virtual void OnKernelObjectDestroyed() = 0;

protected:
    ~KVSysPanelCtrlView() = default;
};

class CKVSysPanelCtrlImpl {
public:
    // `name` names the object in the journal.
    explicit CKVSysPanelCtrlImpl(std::wstring name, int id = 0) : name_(std::move(name)), id_(id) {}
    virtual ~CKVSysPanelCtrlImpl();
    CKVSysPanelCtrlImpl(const CKVSysPanelCtrlImpl&) = delete;
    CKVSysPanelCtrlImpl& operator=(const CKVSysPanelCtrlImpl&) = delete;

    const std::wstring& GetName() const { return name_; }
    // The command id the kernel gives the control's views (0: none of its own).
    int GetID() const { return id_; }

    // A view registers when it is made and unregisters when it goes; the list keeps their order.
    static void addControl(CKVSysPanelCtrlImpl* object, CXTPControl* view);
    static void removeControl(CKVSysPanelCtrlImpl* object, CXTPControl* view);
    const std::vector<CXTPControl*>& GetControls() const { return views_; }

    // What the user did in a view (each journalled with the object's name and the view's place
    // in the list): an accepted value, a step or a text to read, the focus gone.
    virtual void OnFirstNotify(CXTPControl* view);
    virtual void OnSecondNotify(CXTPControl* view);
    virtual void OnThirdNotify(CXTPControl* view);
    // Every key reaching an edit view; non-zero takes the key.
    virtual int OnKeyHook(CXTPControl* view, UINT key, UINT flags);
    // The keys the hook takes (the harness sets them; none by default).
    void SetHookedKeys(std::vector<UINT> keys) { hookedKeys_ = std::move(keys); }

private:
    void journal(const wchar_t* what, CXTPControl* view, const std::wstring& extra = {}) const;

    std::wstring name_;
    int id_;
    std::vector<CXTPControl*> views_;
    std::vector<UINT> hookedKeys_;
};

class CKVSysPanelEditImpl : public CKVSysPanelCtrlImpl {
public:
    using CKVSysPanelCtrlImpl::CKVSysPanelCtrlImpl;
};

class CKVSysPanelCheckBoxImpl : public CKVSysPanelCtrlImpl {
public:
    using CKVSysPanelCtrlImpl::CKVSysPanelCtrlImpl;
};

class CKVSysPanelLabelImpl : public CKVSysPanelCtrlImpl {
public:
    using CKVSysPanelCtrlImpl::CKVSysPanelCtrlImpl;
};

// The panel as the kernel calls it, in the order of its slots.
class CManipPanelProxy {
public:
    virtual ~CManipPanelProxy() = default;
    virtual void Clear() = 0;
    virtual bool IsPanelVisible() = 0;
    virtual bool IsEmpty() = 0;
    virtual void RecalcPanelLayout() = 0;
    virtual void RepaintPanel() = 0;
    virtual void AddEdit(CKVSysPanelEditImpl* object) = 0;
    virtual void AddCheckBox(CKVSysPanelCheckBoxImpl* object) = 0;
    virtual void AddLabel(CKVSysPanelLabelImpl* object) = 0;
    virtual void SetControlEnabled(CKVSysPanelCtrlImpl* object, bool enabled) = 0;
    virtual void SetControlVisible(CKVSysPanelCtrlImpl* object, bool visible) = 0;
    virtual bool IsControlEnabled(CKVSysPanelCtrlImpl* object) = 0;
    virtual void SetEditValue(CKVSysPanelEditImpl* object, KVDocument* document, double value, short variable) = 0;
    virtual bool GetEditValue(CKVSysPanelEditImpl* object, double* value, int* variable) = 0;
    virtual void SetEditShowSign(CKVSysPanelEditImpl* object, bool show) = 0;
    virtual bool GetEditShowSign(CKVSysPanelEditImpl* object) = 0;
    virtual void SetEditFormatValue(CKVSysPanelEditImpl* object, double format) = 0;
    virtual double GetEditFormatValue(CKVSysPanelEditImpl* object) = 0;
    virtual void SetEditReadOnly(CKVSysPanelEditImpl* object, bool readOnly) = 0;
    virtual void SetEditFocus(CKVSysPanelEditImpl* object) = 0;
    virtual void SetEditSel(CKVSysPanelEditImpl* object, int start, int end, bool noScroll) = 0;
    virtual void SetCheckBoxChecked(CKVSysPanelCheckBoxImpl* object, bool checked) = 0;
    virtual bool IsCheckBoxChecked(CKVSysPanelCheckBoxImpl* object) = 0;
    virtual void SetLabelCaption(CKVSysPanelLabelImpl* object, const wchar_t* text) = 0;
    virtual CString GetLabelCaption(CKVSysPanelLabelImpl* object) = 0;
};
