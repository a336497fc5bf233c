// A manipulator panel: the place where a running command puts its own controls (numeric edits,
// check boxes, labels) on the system panel. Each main frame has two, with ids 1 and 2; the id is
// also the group of the system-panel bar in which the panel's controls stand. Every control the
// kernel adds gets a view in each main frame's panel bar and another in its selection-filter
// tool bar; setters reach every view, getters read the view on the active frame.
#pragma once

#include "platform/korvoui.h"
#include "syspanel/parameter_controls.h"

// The marker of every control a command owns (as opposed to the panel's own controls).
class ManipulatorPanelControl {
public:
    virtual ~ManipulatorPanelControl() = default;
};

class CManipPanel : public CManipPanelProxy {
public:
    // The width of an edit at 96 dpi.
    static constexpr int kEditWidth = 75;

    explicit CManipPanel(int panelId) : m_panelId(panelId) {}
    CManipPanel(const CManipPanel&) = delete;
    CManipPanel& operator=(const CManipPanel&) = delete;

    int GetPanelId() const { return m_panelId; }

    void Clear() override;
    bool IsPanelVisible() override;
    // The panel holds no control yet (the next one added begins a group).
    bool IsEmpty() override { return m_empty; }
    void RecalcPanelLayout() override;
    void RepaintPanel() override;
    void AddEdit(CKVSysPanelEditImpl* object) override;
    void AddCheckBox(CKVSysPanelCheckBoxImpl* object) override;
    void AddLabel(CKVSysPanelLabelImpl* object) override;
    void SetControlEnabled(CKVSysPanelCtrlImpl* object, bool enabled) override;
    void SetControlVisible(CKVSysPanelCtrlImpl* object, bool visible) override;
    bool IsControlEnabled(CKVSysPanelCtrlImpl* object) override;
    void SetEditValue(CKVSysPanelEditImpl* object, KVDocument* document, double value, short variable) override;
    bool GetEditValue(CKVSysPanelEditImpl* object, double* value, int* variable) override;
    void SetEditShowSign(CKVSysPanelEditImpl* object, bool show) override;
    bool GetEditShowSign(CKVSysPanelEditImpl* object) override;
    void SetEditFormatValue(CKVSysPanelEditImpl* object, double format) override;
    double GetEditFormatValue(CKVSysPanelEditImpl* object) override;
    void SetEditReadOnly(CKVSysPanelEditImpl* object, bool readOnly) override;
    void SetEditFocus(CKVSysPanelEditImpl* object) override;
    void SetEditSel(CKVSysPanelEditImpl* object, int start, int end, bool noScroll) override;
    void SetCheckBoxChecked(CKVSysPanelCheckBoxImpl* object, bool checked) override;
    bool IsCheckBoxChecked(CKVSysPanelCheckBoxImpl* object) override;
    void SetLabelCaption(CKVSysPanelLabelImpl* object, const wchar_t* text) override;
    CString GetLabelCaption(CKVSysPanelLabelImpl* object) override;

    // The view a getter reads: the first of the object's views that stands on a visible bar of
    // the active main frame; null when there is none.
    static CXTPControl* ActiveView(const CKVSysPanelCtrlImpl* object);

private:
    // Makes a view for `object` (null: none) for each frame's bar and tool bar.
    template <class View, class Object>
    void addViews(Object* object, int width, bool passActiveFrame);

    bool m_empty = true;
    int m_panelId;
};

// The views of a kernel control object: each registers with the object while it lives, unless
// the object went first.
template <class Object>
class ManipulatorView : public ManipulatorPanelControl, public KVSysPanelCtrlView {
public:
    Object* GetKernelObject() const { return m_object; }
    void OnKernelObjectDestroyed() override { m_object = nullptr; }

protected:
    void attach(Object* object, CXTPControl* self) {
        m_object = object;
        if (object) CKVSysPanelCtrlImpl::addControl(object, self);
    }
    void detach(CXTPControl* self) {
        if (m_object) CKVSysPanelCtrlImpl::removeControl(m_object, self);
        m_object = nullptr;
    }

private:
    Object* m_object = nullptr;
};

// The numeric edit a command puts on a manipulator panel: a parameter edit without a parameter
// name (it never writes to the document; the command reads it).
class CManipPanelEdit : public CSyspanelEdit, public ManipulatorView<CKVSysPanelEditImpl> {
    DECLARE_DYNCREATE(CManipPanelEdit)
public:
    CManipPanelEdit() : CSyspanelEdit(std::string_view(), 0, 0.1) {}
    explicit CManipPanelEdit(CKVSysPanelEditImpl* object);
    ~CManipPanelEdit() override;

    int GetLastKey() const { return m_lastKey; }

    // The value is the command's, whatever document the view's frame shows.
    void SetValue(KVDocument* document, const void* value) override;
    bool KeepsValueFor(const KVDocument*) const override { return true; }

    void OnEditChanged() override;
    bool OnHookKeyDown(UINT key, UINT flags) override;
    void OnKillFocus() override;

private:
    int m_lastKey = 0;
};

class CManipPanelCheckBox : public CXTPControlCheckBox, public ManipulatorView<CKVSysPanelCheckBoxImpl> {
    DECLARE_DYNCREATE(CManipPanelCheckBox)
public:
    CManipPanelCheckBox() = default;
    explicit CManipPanelCheckBox(CKVSysPanelCheckBoxImpl* object);
    ~CManipPanelCheckBox() override;
    // The box toggles, then the command hears of it.
    void OnExecute() override;
};

class CManipPanelLabel : public CXTPControlLabel, public ManipulatorView<CKVSysPanelLabelImpl> {
    DECLARE_DYNCREATE(CManipPanelLabel)
public:
    CManipPanelLabel() = default;
    explicit CManipPanelLabel(CKVSysPanelLabelImpl* object);
    ~CManipPanelLabel() override;
};
