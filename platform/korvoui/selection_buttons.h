// The UI library's selection buttons: the selection-filter buttons of the system panel and the
// selection frame's tool bar, the built-in list of them, and the buttons of the selection area
// (G1 selection, lazy geometry, selection mode, geometric types).
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

inline constexpr int kFirstFilterButtonId = 2701;
inline constexpr int kLastFilterButtonId = 2790;
inline constexpr bool IsFilterButtonId(int id) { return id >= kFirstFilterButtonId && id <= kLastFilterButtonId; }

// A button that lets elements of one kind be picked or not. It remembers a default icon and
// tooltip (those it was made with, or the ones saved later) to go back to when it leaves a bar.
class SelectionFilterButton : public CXTPControlButton {
    DECLARE_DYNCREATE(SelectionFilterButton)
public:
    SelectionFilterButton() = default;
    // `builtIn`: one of the library's own filter buttons (whose tag is its place in their list).
    SelectionFilterButton(int id, bool builtIn);

    bool IsBuiltIn() const { return builtIn_; }
    int GetDefaultIconId() const { return defaultIcon_; }
    CString GetDefaultTooltip() const { return defaultTooltip_; }
    void SaveDefaultIconAndToolTip();
    void ResetIconAndToolTip();
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    bool builtIn_ = false;
    int defaultIcon_ = 0;
    CString defaultTooltip_;
};

// Calls `visit` (id, element type, icon resource, tooltip, built-in flag) for each of the
// library's own filter buttons, in their order.
using BuiltinFilterButtonVisitor = std::function<void(int, GRTypes, unsigned, const CString&, bool)>;
void ForEachBuiltinFilterButton(const BuiltinFilterButtonVisitor& visit);
// How many there are.
int GetBuiltinFilterButtonCount();

// The selection frame's tool bar; its icon loading serves the system panel too.
// It also carries the controls a running command puts into a main frame's manipulator panels, in
// a section per panel (panel 1's before panel 2's).
class SelectionFilterToolBar {
public:
    SelectionFilterToolBar();
    ~SelectionFilterToolBar();
    SelectionFilterToolBar(const SelectionFilterToolBar&) = delete;
    SelectionFilterToolBar& operator=(const SelectionFilterToolBar&) = delete;

    // Gives `images` the icon resource `icon` (drawn for elements of `type`) unless it has it.
    static void LoadIconW(CXTPImageManager* images, unsigned icon, GRTypes type);

    // Adds a command's control at the end of the panel's section, taking over the caller's
    // reference; `activeFrame`: the control was added while its frame was the active one.
    void AddControl(CXTPControl* control, CKVTypeParentPanel panel, bool activeFrame);
    // Takes the panel's controls off, giving back their references.
    void RemoveAllControls(CKVTypeParentPanel panel);
    // The controls of both sections, in order (a collection without a bar).
    CXTPControls* GetControls() const { return controls_; }
    // The panel of a control on the tool bar, or 0.
    CKVTypeParentPanel GetPanelOf(const CXTPControl* control) const;
    bool WasAddedInActiveFrame(const CXTPControl* control) const;

    BOOL IsVisible() const { return visible_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    // While tracking, the tool bar keeps the keyboard for its own controls.
    void SetTrackingMode(bool tracking) { tracking_ = tracking; }
    bool IsTrackingMode() const { return tracking_; }

private:
    struct Entry {
        CXTPControl* control;
        CKVTypeParentPanel panel;
        bool activeFrame;
    };
    CXTPControls* controls_;
    std::vector<Entry> entries_;
    BOOL visible_ = TRUE;
    bool tracking_ = false;
};

// The selection area's own buttons.
class G1SelectionButton : public CXTPControlButton {
    DECLARE_DYNCREATE(G1SelectionButton)
public:
    static constexpr int kId = 2796;
    G1SelectionButton();
};

class LazyGeometrySelectionButton : public CXTPControlButton {
    DECLARE_DYNCREATE(LazyGeometrySelectionButton)
public:
    static constexpr int kId = 2797;
    LazyGeometrySelectionButton();
};

class SelectionModePopup : public CXTPControlPopup {
    DECLARE_DYNCREATE(SelectionModePopup)
public:
    static constexpr int kId = 2799;
    SelectionModePopup() : SelectionModePopup(nullptr) {}
    explicit SelectionModePopup(CXTPCommandBars* commandBars);
};

struct GeometricTypeButtonInfo {
    int type = 0;
    int id = 0;
    unsigned icon = 0;  // the icon while the type's elements are not all taken
    unsigned allIcon = 0;  // the icon while they are
};

// The ten geometric types, in the order their buttons stand on a bar.
const std::array<GeometricTypeButtonInfo, 10>& GetGeometricTypes();

// The filter of one geometric type: its popup chooses which elements of the type a pick takes.
// It starts hidden.
class GeometricTypePopupButton : public CXTPControlPopup {
    DECLARE_DYNCREATE(GeometricTypePopupButton)
public:
    GeometricTypePopupButton() = default;
    GeometricTypePopupButton(const GeometricTypeButtonInfo& info, CXTPCommandBars* commandBars);

    int GetGeometricType() const { return info_.type; }
    const TGeomClass& GetState() const { return state_; }
    // Takes the state (null: keeps its own) and shows the button for the pick (`show`) or hides it.
    void SetState(const TGeomClass* state, bool show);
    // The icon follows the state.
    void UpdateIconId();
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;

private:
    GeometricTypeButtonInfo info_;
    TGeomClass state_;
};

}  // namespace Korvo::UI
