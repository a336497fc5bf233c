// The modeless dialog (template 166) that names the document an auto-save is saving.
#pragma once

#include "platform/mfc.h"

class CAutoSaveDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 166;
    CAutoSaveDialog() : CDialog(kTemplate) {}
    ~CAutoSaveDialog() override {
        if (GetSafeHwnd()) DestroyWindow();
    }

    // Keeps the title and shows it when the dialog is up.
    void SetTitle(const CString& title);
    const CString& GetTitle() const { return title_; }

protected:
    BOOL OnInitDialog() override;

private:
    CString title_;
};
