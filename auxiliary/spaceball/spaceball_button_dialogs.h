// The dialogs that give a 3D-mouse button its action: a command from a list, or the next key
// the user presses; each can also give it in every view mode.
#pragma once

#include "auxiliary/spaceball/spaceball_page.h"

class CKVSpaceballConfigDlgImpl::CommandDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 485;
    static constexpr int kList = 1000;
    static constexpr int kAllModes = 2653;

    CommandDialog(CKVSpaceballConfigDlgImpl& page, UINT current, POINT at)
        : CDialog(kTemplate, &page), m_page(page), m_command(current), m_at(at) {}
    UINT GetCommand() const { return m_command; }
    bool ForAllModes() const { return m_allModes; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnListDoubleClick();

    DECLARE_MESSAGE_MAP()

private:
    CKVSpaceballConfigDlgImpl& m_page;
    UINT m_command;
    bool m_allModes = false;
    POINT m_at;
};

class CKVSpaceballConfigDlgImpl::KeyDialog : public CDialog {
public:
    static constexpr UINT kTemplate = 20921;
    static constexpr int kAllModes = 2653;

    KeyDialog(CKVSpaceballConfigDlgImpl& page, POINT at) : CDialog(kTemplate, &page), m_at(at) {}
    BYTE GetKey() const { return m_key; }
    // Bit 24 of the key's data: the key is the extended twin (the keypad's Enter, the arrows
    // beside the keypad).
    bool IsExtended() const { return (m_keyData & (1u << 24)) != 0; }
    bool ForAllModes() const { return m_allModes; }
    BOOL PreTranslateMessage(MSG* message) override;

protected:
    BOOL OnInitDialog() override;

private:
    BYTE m_key = 0;
    UINT m_keyData = 0;
    bool m_allModes = false;
    POINT m_at;
};
