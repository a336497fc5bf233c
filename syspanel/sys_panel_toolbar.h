// The system panel of one main frame: a docked tool bar whose controls show and edit the
// parameters of the running command and the selection-filter buttons. It keeps its built-in
// controls in a registry sorted by id, so that whenever the toolkit rebuilds the bar from a list
// of ids the same control object (with its value) comes back. The kernel's requests reach it
// through the main frame.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"
#include "syspanel/data_exchange.h"

// The controls collection of the system panel: a parameter edit put on the bar shows its edit
// window at once and one that leaves hides it; a selection-filter button that leaves the bar is
// made ready for its next appearance.
class CSysPanelControls : public CXTPControls {
public:
    CSysPanelControls() = default;

protected:
    void OnControlAdded(CXTPControl* control) override;
    void OnControlRemoved(CXTPControl* control) override;

private:
    // The font combo refreshes its font list when the fonts folder changed and shows its window;
    // the combo has no window of its own yet, so there is nothing to show.
    static void showFontCombo(CXTPControl& combo, bool show);
};

// A selection-filter button taken off the panel gets its default icon and tooltip back and is
// visible again, ready for the next list that names it; other controls are left alone.
void ResetRemovedFilterButton(CXTPControl* control);

class CSysPanelToolbar : public Korvo::UI::FixableToolBar {
    DECLARE_DYNCREATE(CSysPanelToolbar)
public:
    static constexpr UINT kBarId = 1002;
    static constexpr UINT kTitleStringId = 10161;
    static constexpr int kMaxControls = 30;
    // The bar's buttons at 96 dpi.
    static constexpr int kButtonSize = 22;

    CSysPanelToolbar();
    ~CSysPanelToolbar() override;
    CSysPanelToolbar(const CSysPanelToolbar&) = delete;
    CSysPanelToolbar& operator=(const CSysPanelToolbar&) = delete;

    // A new panel with this one's controls (clones) and settings; its registry is empty.
    CXTPCommandBar* Clone(BOOL recursive = FALSE) override;

    // Makes and registers the built-in controls; once (nothing when the registry holds any).
    void RegisterSyspanelControls();
    // Registers `control` under `id` with its own reference (the caller keeps its own); the
    // first registration of an id stays. A style of -1 keeps the control's button style. The
    // bar's buttons grow to the control's height when it is taller.
    void RegisterControl(int id, CXTPControl* control, int style);
    std::size_t GetRegisteredCount() const { return m_registry.size(); }
    // The registered control of `id`, or null. The registry keeps its reference; the caller
    // gets none.
    CXTPControl* FindRegisteredControl(int id) const;
    // The bar's answer to the toolkit's request for the control of one id of a button list;
    // false leaves the toolkit to make its default button.
    bool CreateControlForId(XTP_COMMANDBARS_CREATECONTROL* request);

    // Command-owned controls stand in groups 1 and 2 (the manipulator panels), told by markers
    // in their tag words.
    static constexpr DWORD_PTR kGroupFirst[2] = {0x201, 0x203};
    static constexpr DWORD_PTR kGroupLast[2] = {0x202, 0x204};
    // The index of the first control at or after `from` that carries `marker`, or -1.
    int FindGroupMarker(DWORD_PTR marker, int from) const;
    // Whether the control is the first of command-control group 1 or 2.
    static bool BeginsCommandGroup(const CXTPControl& control);
    // Adds the control (taking over the caller's reference) at the end of its group.
    void InsertCommandControl(CXTPControl* control, int group);
    void RemoveCommandControls() { removeGroup(1); }
    void RemoveManipControls() { removeGroup(2); }

    // Nested layout locks: nothing is redrawn until the outermost unlock.
    unsigned LockLayout();
    void UnlockLayout();
    unsigned GetLayoutLockCount() const { return m_layoutLocks; }

    // Kernel requests: values for registered controls, each then enabled. False, with nothing
    // changed, for an unregistered id or a control that takes no value of the kind (logged);
    // the font request is for the font combo alone. False too, the control still enabled, when
    // the control keeps values of its frame's document only and the value is for another.
    bool set_syspanel_int(KVDocument* document, unsigned id, int value);
    bool set_syspanel_intvar(KVDocument* document, unsigned id, int value, short variable);
    bool set_syspanel_doublevar(KVDocument* document, unsigned id, double value, short variable);
    bool set_syspanel_cstr(KVDocument* document, unsigned id, const CString& text);
    bool set_syspanel_font(KVDocument* document, unsigned id, const CString& name, int kind);
    // Whether the registered control of `id` would take the value (a refusal is logged).
    bool TakesKernelValue(unsigned id, const KernelPanelValue& value) const;
    bool SetKernelValue(KVDocument* document, unsigned id, const KernelPanelValue& value);
    // Controls on the bar.
    void EnableSyspanelControl(unsigned id, bool enable);
    void SetSyspanelButtonStatus(unsigned id, bool checked, bool disabled);
    void DisableSyspanelControls();
    // False when no control with the id is on the bar; null out-pointers are skipped.
    bool GetControlState(unsigned id, bool* checked, bool* disabled) const;
    // The value of a registered control, or null (unregistered, or no value protocol).
    const void* GetControlValue(unsigned id) const;
    // The value as an int: the word of a 32-bit value, the measure of a SysPanelValue truncated
    // toward zero and kept in the int range; null (and `out` untouched) for other values.
    const void* GetControlIntValue(unsigned id, int* out) const;
    static void UnpackDoubleVar(const SysPanelValue* value, double* number, int* variable);
    // The measure truncated toward zero and kept in the int range (NaN gives 0).
    static void UnpackIntVar(const SysPanelValue* value, int* number, int* variable);
    // Puts the first 30 command-defined controls on the bar (an empty list clears it), each with
    // its icon and tooltip, manually updated and enabled; no filter set is current afterwards.
    bool SetSyspanelControls(const stlControlsIDs& controls);
    // The text-formatting controls on the bar take the UI module's state of their commands.
    void SyspanelStatusChanged();
    // The registered control of the source's id takes over the source's value.
    void CopyControlValue(CXTPControl* source);

    // Selection filter.
    int GetCurrentFilterSet() const { return m_currentFilterSet; }
    // Switches to one of the selection-filter sets; true when it is (or already was) current,
    // false for a set that does not exist or a list the toolkit refused (nothing changes then).
    bool SwitchSelectionFilterSet(int set);
    // Gives the current set's buttons their icons and tooltips and lays out the selection area.
    void ApplyFilterSetButtons();
    void SetFilterButton(unsigned id, unsigned icon, unsigned tooltipStringId);
    // Sets and shows a selection-filter button; icon 0 or no text removes one that is on the bar.
    void SetFilterButtonText(unsigned id, int icon, LPCWSTR tooltip);
    void HideFilterButtons();
    // Where a selection-filter button goes on the bar: next to the filter button nearest in
    // order, before the commands' own controls; -1 for the end.
    int FindFilterButtonPlace(const CXTPControl* button) const;
    // Shows or hides a registered control, putting it on the bar when it is first shown.
    void ShowRegisteredControl(unsigned id, bool show);
    // Passes the state to the geometric-type button of the type; one made visible outside a
    // batch is put on the bar next to its neighbours at once.
    void SetGeometricTypeState(int geometricType, const TGeomClass* state, bool flag);
    // The G1 button shows; the lazy-geometry button and the selection-mode popup follow `show`.
    void ShowSelectionModeButtons(bool show);
    // Gives the command its icon unless it has one.
    void SetCommandIcon(unsigned commandId, unsigned iconId);
    // The tooltip of a command-defined control: the kernel's string numbered `id` + 10000.
    static CString LoadSysPanelTooltip(unsigned id);

    // The selection area's buttons (null until the built-in controls are registered).
    Korvo::UI::G1SelectionButton* GetG1Button() const { return m_g1Button; }
    Korvo::UI::LazyGeometrySelectionButton* GetLazyGeometryButton() const { return m_lazyGeometryButton; }
    Korvo::UI::SelectionModePopup* GetSelectionModePopup() const { return m_selectionModePopup; }
    Korvo::UI::GeometricTypePopupButton* GetGeometricTypeButton(std::size_t index) const {
        return index < m_geometricTypeButtons.size() ? m_geometricTypeButtons[index] : nullptr;
    }

private:
    // Registers a control made for the registry, giving up the creation reference.
    void registerNew(int id, CXTPControl* control);
    void makeSelectionButtons(CXTPCommandBars* bars);
    void registerBuiltinFilterButtons();
    // Grows the bar's buttons to the control's height when it is taller.
    void fitButtonSizeTo(CXTPControl* control);
    // Arranges the selection area after a batch of changes.
    void layOutSelectionArea();
    void removeSelectionArea();
    // Puts a control that stands on no bar onto this one before `index`, with a reference of
    // its own.
    void insertShared(CXTPControl* control, int index);
    // Where a geometric-type button goes: among its placed neighbours, else before 1870, 1871
    // or the first filter button, else at the end (-1).
    int geometricTypePlace(std::size_t which) const;
    IDataExchange* registeredExchange(unsigned id) const;
    void enable(CXTPControl* control);
    void removeGroup(int group);

    int m_currentFilterSet = -1;
    std::vector<std::pair<int, CXTPControl*>> m_registry;  // sorted by id; one reference each
    // One reference each.
    Korvo::UI::G1SelectionButton* m_g1Button = nullptr;
    Korvo::UI::LazyGeometrySelectionButton* m_lazyGeometryButton = nullptr;
    Korvo::UI::SelectionModePopup* m_selectionModePopup = nullptr;
    std::array<Korvo::UI::GeometricTypePopupButton*, 10> m_geometricTypeButtons{};
    unsigned m_layoutLocks = 0;
};
