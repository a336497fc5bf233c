#include "app/about/about_dialog.h"

#include "app/kvw32_app.h"
#include "auxiliary/support_dialog.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kSupportRequest = 10;
constexpr UINT kProductLink = 1156;
constexpr UINT kWebLink = 5555;
constexpr UINT kLinkReturn = static_cast<UINT>(-4);
constexpr UINT kFirstUserCommand = 37000;
constexpr UINT kLastUserCommand = 37999;

}  // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_COMMAND(kSupportRequest, &CAboutDlg::OnSupportRequest)
    ON_COMMAND(kProductLink, &CAboutDlg::OnProductLink)
    ON_NOTIFY(NM_CLICK, kWebLink, &CAboutDlg::OnWebLink)
    ON_NOTIFY(kLinkReturn, kWebLink, &CAboutDlg::OnWebLink)
END_MESSAGE_MAP()

void CAboutDlg::OnSupportRequest() { RunSupportDialog(); }

CString CAboutDlg::CommandStatistics(const CXTPImageManager* images) {
    unsigned commands = 0, commandRaster = 0, commandVector = 0;
    for (const GlobalContainer::RegisteredCommand& command : GlobalContainer::GetRegisteredCommands()) {
        if (command.id >= kFirstUserCommand && command.id <= kLastUserCommand) continue;
        if (KVCommandContainer::Instance().GetCommandName(command.id).IsEmpty()) continue;
        ++commands;
        const CXTPImageManagerIconSet* set = images ? images->GetIconSet(command.id) : nullptr;
        if (!set) continue;
        ++(ImageManagerHasVectorIcons(set) ? commandVector : commandRaster);
    }
    unsigned raster = 0, vector = 0;
    if (images) {
        images->ForEachIconSet([&](UINT, const CXTPImageManagerIconSet* set) {
            ++(ImageManagerHasVectorIcons(set) ? vector : raster);
        });
    }
    CString text;
    text.Format(L"%u system command(s)\n%u system command icon(s): %u raster + %u vector\n%u icon(s) total: %u raster + %u vector",
                commands, commandRaster + commandVector, commandRaster, commandVector, raster + vector, raster, vector);
    return text;
}

void CAboutDlg::OnProductLink() {
    if (GetKeyState(VK_CONTROL) >= 0) return;
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    AfxMessageBox(CommandStatistics(bars ? bars->GetImageManager() : nullptr), MB_ICONINFORMATION);
}

void CAboutDlg::OnWebLink(NMHDR* header, LRESULT* result) {
    // The link's window text is its markup; the address comes with the notification.
    const CString address = header ? reinterpret_cast<const NMLINK*>(header)->item.szUrl : L"";
    if (!address.IsEmpty()) ShellExecuteW(nullptr, nullptr, address, nullptr, nullptr, SW_HIDE);
    if (result) *result = 1;
}
