// The two small dialogs of the main-bar modes page: the name of a mode, and the keyboard shortcut
// that selects a mode.
#pragma once

#include "platform/kernel/editing/dialogs.h"
#include "platform/toolkit.h"

class MainbarModeNameDialog : public CKorvoDialog {
public:
    static constexpr UINT kTemplateId = 21296;
    static constexpr int kNameEdit = 3533;

    explicit MainbarModeNameDialog(const CString& name, CWnd* parent = nullptr)
        : CKorvoDialog(kTemplateId, parent), name_(name) {}
    // The text as the user left it (read back on OK).
    const CString& GetName() const { return name_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kNameEdit, name_); }

private:
    CString name_;
};

class MainbarModeShortcut : public CKorvoDialog {
public:
    static constexpr UINT kTemplateId = 21299;
    static constexpr int kKeyAssign = 106;

    // The field shows and reads keys as `manager` names them.
    MainbarModeShortcut(const CXTPShortcutManager* manager, const ACCEL& accel, CWnd* parent = nullptr)
        : CKorvoDialog(kTemplateId, parent), keyAssign_(manager), accel_(accel) {}
    // The accelerator chosen (key 0: none).
    const ACCEL& GetAccel() const { return accel_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, kKeyAssign, keyAssign_);
        if (pDX->m_bSaveAndValidate) accel_ = keyAssign_.GetAccel();
        else keyAssign_.SetAccel(accel_);
    }

private:
    CXTPShortcutManager::CKeyAssign keyAssign_;
    ACCEL accel_;
};
