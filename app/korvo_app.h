// The final application class: the guarded entry points of the framework (start-up, message loop,
// exit), the message-box bracket of the UI module, and the kernel callback object it owns.
#pragma once

#include <memory>

#include "app/kvw32_app.h"
#include "app/automation/server_app_proxy.h"

class KorvoApp final : public CKvw32App {
public:
    KorvoApp();
    ~KorvoApp() override;

    BOOL InitInstance() override;
    int Run() override;
    BOOL PumpMessage() override;
    BOOL PreTranslateMessage(MSG* message) override;
    int ExitInstance() override;
    CDocument* OpenDocumentFile(LPCWSTR path) override;
    int DoMessageBox(LPCWSTR prompt, UINT type, UINT helpId) override;
    CString GetVersionText() const override;

    UINT GetPumpDepth() const override { return m_pumpDepth; }
    bool IsAlphaAllowed() const { return m_alphaAllowed; }

protected:
    void SetAlphaAllowed(bool allowed) override { m_alphaAllowed = allowed; }

private:
    std::unique_ptr<ServerAppProxy> m_serverAppProxy;
    std::uint32_t m_pumpDepth = 0;
    bool m_alphaAllowed = false;
};
