// The 3D-mouse page of the customise sheet: per view mode (3D view, work plane, 2D) how the
// device's axes act and what its buttons do, edited in copies of the device manager's mappings
// and handed back when the sheet is applied; presets load and save all three modes at once.
#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/kernel.h"
#include "platform/kernel/ui/spaceball.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

class CKVSpaceballConfigDlg : public CXTPPropertyPage {
public:
    static constexpr UINT kTemplate = 20870;
    static constexpr int kAxisCount = 6;
    static constexpr int kModeCombo = 2479;
    static constexpr int kAxisCombos[kAxisCount] = {2480, 2483, 2486, 2489, 2492, 2495};
    static constexpr int kInvertChecks[kAxisCount] = {2482, 2484, 2487, 2490, 2493, 2496};
    static constexpr int kSensitivitySliders[kAxisCount] = {2481, 2485, 2488, 2491, 2494, 2497};
    static constexpr int kOverallSlider = 2501;

    CKVSpaceballConfigDlg() : CXTPPropertyPage(kTemplate) {}
    // The sheet's changes are applied: the page's mappings become the device's.
    virtual void SaveSettings() {}

protected:
    void DoDataExchange(CDataExchange* exchange) override;

    int m_mode = 0;
    int m_axes[kAxisCount] = {};
    int m_inverts[kAxisCount] = {};
    int m_sensitivities[kAxisCount] = {};
    int m_overall = 0;
    int m_carried = 0;
};

// The slider position that shows a sensitivity (0 to 1), and the sensitivity a position stores:
// every position 0 to 100 comes back as itself.
int SpaceballSliderPosition(double sensitivity);
double SpaceballSensitivity(int position);

class CKVSpaceballConfigDlgImpl : public CKVSpaceballConfigDlg {
public:
    static constexpr int kButtonList = 4033;
    static constexpr UINT kDefaultsCommand = 1005;
    static constexpr UINT kLoadPresetCommand = 1150;
    static constexpr UINT kSavePresetCommand = 2299;

    // `commands`: every kernel command id the user may give a button (the caller's, kept while
    // the page exists); `deviceWindow`: the window the device reports to.
    CKVSpaceballConfigDlgImpl(const std::vector<UINT>& commands, HWND deviceWindow);

    void SaveSettings() override;
    const CKVSpaceballMapping& GetMapping(int mode) const { return m_mappings[mode]; }

    class CommandDialog;
    class KeyDialog;

    // A command button of the page that shows an icon of the page's image list; its caption is
    // its tip.
    class CIconButton : public CWnd {
    public:
        CIconButton() = default;
        ~CIconButton() override;
        CIconButton(const CIconButton&) = delete;
        CIconButton& operator=(const CIconButton&) = delete;
        // Takes over `button` (a window of the page's template) to show `icon`, which it frees.
        void Show(HWND button, HICON icon);

    private:
        HICON m_icon = nullptr;
    };
    // The command buttons that show the image list's icons, in the list's order.
    static constexpr UINT kIconButtons[] = {kDefaultsCommand, kLoadPresetCommand, kSavePresetCommand};
    static constexpr UINT kButtonIcons[] = {4171, 4202, 394};
    static constexpr int kIconButtonCount = 3;
    static constexpr int kMaxTipLength = 70;  // with the terminator

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg void OnModeChanged();
    afx_msg void OnDefaults();
    afx_msg void OnLoadPreset();
    afx_msg void OnSavePreset();
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnButtonContextMenu(WPARAM window, LPARAM point);

    DECLARE_MESSAGE_MAP()

private:
    using ButtonEvent = CKVSpaceballMapping::ButtonEvent;
    HWND List() const { return ::GetDlgItem(GetSafeHwnd(), kButtonList); }
    void FillFromMapping();
    void StoreSettings();
    void SetButtonEvent(int button, const ButtonEvent& event);
    void ClearButtonEvent(int button);
    void CopyButtonToAllModes(int button, const ButtonEvent& event);
    void ShowButtonText(int button, const CString& text);
    CString EventText(const ButtonEvent& event) const;
    int SelectedButton() const;
    void LoadPreset(const CString& path);
    void SavePreset(const CString& path);

    BOOL m_locked = FALSE;
    std::map<int, ButtonEvent> m_buttonEvents;
    std::vector<std::pair<int, CString>> m_deviceButtons;
    CImageList m_images;
    CIconButton m_iconButtons[kIconButtonCount];
    const std::vector<UINT>& m_commands;
    HWND m_deviceWindow;
    int m_storeForOtherMode = 0;
    int m_storeMode = 0;
    BOOL m_settingsLoaded = FALSE;
    CKVSpaceballDeviceInfo m_info;
    int m_usableButtons = 0;
    int m_usableAxes = 0;
    CKVSpaceballMapping m_mappings[kSpaceballModeCount];
};

// A new 3D-mouse page when the device manager detects a device, else null.
std::unique_ptr<CKVSpaceballConfigDlg> CreateSpaceballSettingsPage(const std::vector<UINT>& commands, HWND window);
