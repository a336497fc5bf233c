// What the user commands reach of the application: the main frames' icons, the active frame,
// opening documents and the documents-menu clipart panes.
#include "services/application.h"
#include "commandbars/usercommands/user_command.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/clipart_requests.h"

namespace {

class FrameUserCommandSite final : public Korvo::UserCommands::ISite {
public:
    std::vector<CXTPImageManager*> GetFrameImageManagers() override {
        std::vector<CXTPImageManager*> managers;
        for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) {
            auto* mainFrame = dynamic_cast<CMainFrame*>(frame);
            if (!mainFrame || mainFrame->IsBeingDestroyed()) continue;
            CXTPCommandBars* bars = mainFrame->GetCommandBars();
            if (CXTPImageManager* images = bars ? bars->GetImageManager() : nullptr) managers.push_back(images);
        }
        return managers;
    }

    CWnd* GetActiveMainFrameWindow() override {
        return CMainFrame::GetActive();
    }

    bool OpenDocument(const CString& path) override {
        ApplicationServices* app = ApplicationServices::Instance();
        return app && app->OpenDocumentFile(path) != nullptr;
    }

    bool ShowFolderClipart(const CString& folder) override {
        return ShowFolderClipartPane(CMainFrame::GetActive(), folder);
    }

    // The pane opens at the documents menu's own size: its opener places panes, it does not size them.
    bool ShowLibraryClipart(DocumentsMenu::ILibrary* library, SIZE) override {
        return ShowLibraryClipartPane(CMainFrame::GetActive(), library);
    }
};

[[maybe_unused]] const bool kSiteInstalled = [] {
    static FrameUserCommandSite site;
    Korvo::UserCommands::SetSite(&site);
    return true;
}();

}  // namespace
