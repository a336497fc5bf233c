// The controls of the documents menu's two tool bars: opening configurations, collapsing the
// structure, and the search box with its find / clear button.
#pragma once

#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class DocumentsStructure;
class ButtonFind;

inline constexpr int kOpenConfigurationId = 691;
inline constexpr int kOpenConfigurationArrowTip = 13087;
inline constexpr int kOpenVarnelConfigurationId = 1912;
inline constexpr int kCollapseId = 497;
inline constexpr int kCollapseIcon = 496;
inline constexpr int kSearchBoxId = 692;
inline constexpr int kFindId = 693;
inline constexpr int kClearIcon = 696;

// Opens a configuration file the user chooses; its arrow lists the installed configurations.
class OpenConfigurationButton : public CXTPControlPopup {
public:
    OpenConfigurationButton();
    void OnExecute() override;
    // The arrow opens: the list is made from what is installed now.
    void OnSetPopup(BOOL popup) override;
};

// One installed configuration on the open button's arrow: checked while it is open; choosing it
// opens it (or, open already, makes it the active one).
class OpenInstalledConfigurationItem : public CXTPControlButton {
public:
    OpenInstalledConfigurationItem(const CString& name, const CString& path);
    void OnExecute() override;

private:
    CString name_;
    CString path_;
};

// Opens a configuration from the PDM system; shown only while the PDM work mix is available.
class OpenVarnelConfigurationButton : public CXTPControlButton {
public:
    OpenVarnelConfigurationButton();
    void OnExecute() override;
    void UpdateVisibility() { SetVisible(KVPDMWorkMix::IsActive() ? TRUE : FALSE); }
};

class CollapseButton : public CXTPControlButton {
public:
    explicit CollapseButton(DocumentsStructure& structure);
    void OnExecute() override;

private:
    DocumentsStructure& structure_;
};

// The column chooser over the columns of the view shown now, at the right of the main bar.
class ColumnsSelector : public Korvo::UI::ReportColumnsPopup {
public:
    explicit ColumnsSelector(DocumentsStructure& structure);
};

// The search text. Enter searches; emptying the text clears the filter.
class ComboBoxFind : public CXTPControlComboBox {
public:
    explicit ComboBoxFind(DocumentsStructure& structure);
    void SetFindButton(ButtonFind* button) { button_ = button; }
    // Enter in the box.
    void OnExecute() override;
    // The user changed the text: emptied, the filter goes; otherwise the button offers to find.
    void OnEditChanged() override;
    // Filters the structure with the trimmed, lower-case text, which heads the drop-down list
    // once.
    void ApplySearch();

private:
    DocumentsStructure& structure_;
    ButtonFind* button_ = nullptr;
};

// Finds (icon 693) or, once a search ran, clears it (icon 696).
class ButtonFind : public CXTPControlButton {
public:
    explicit ButtonFind(ComboBoxFind& box);
    bool ShowsClear() const { return GetIconId() == kClearIcon; }
    void ShowClear(bool clear) { SetIconId(clear ? kClearIcon : kFindId); }
    void OnExecute() override;

private:
    ComboBoxFind& box_;
};

}  // namespace DocumentsMenu
