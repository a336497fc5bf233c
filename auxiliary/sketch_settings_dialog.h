// The kernel's check list of global sketch settings: one check box a setting, all on or all off
// at a click, and Alt with a setting's key toggling it.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class CSketchSetGlobalDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 20694;
    static constexpr int kList = 1033;
    static constexpr int kSelectAll = 2156;
    static constexpr int kClearAll = 2157;

    explicit CSketchSetGlobalDlg(std::vector<KVSketchSetItem>& items) : CDialog(kTemplate), items_(items) {}

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelectAll();
    afx_msg void OnClearAll();

    DECLARE_MESSAGE_MAP()

private:
    HWND List() const { return ::GetDlgItem(GetSafeHwnd(), kList); }
    void SetAll(std::int32_t state);
    void ShowCheck(int row, bool checked);
    bool IsChecked(int row) const;

    std::vector<KVSketchSetItem>& items_;
};

// Runs a dialog the kernel asks for; true when it ended with OK. Requests of a kind the program
// does not know end at once with false.
bool RunKernelDialog(KorvoDialog* dialog);
