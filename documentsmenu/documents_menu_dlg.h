// The documents-menu window (docking pane 1004's): the structure of library configurations (a
// tree, or a flat list of libraries) beside the browser pane, with a tool bar of configuration
// buttons and a search bar. It keeps the view state its rows read and record (what is expanded
// or hidden, whether hidden and excluded objects are shown) and saves it in the pane's layout.
#pragma once

#include <memory>
#include <vector>

#include "documentsmenu/window/documents_structure.h"
#include "documentsmenu/window/view_state.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class PreviewWnd;
class ComboBoxFind;
class ButtonFind;
class OpenVarnelConfigurationButton;

inline constexpr UINT kEventProfileApplied = 1043;

class DocumentsMenuDlg : public CXTPDialogBase<CWnd>,
                         public TypedApplicationEventListener<kEventProfileApplied>,
                         public Korvo::UI::DockingPaneChild {
public:
    // What the browsers that show objects of this window hear of its hidden state.
    struct IClient {
        virtual void ShowHiddenChanged() = 0;
        virtual void ShowExcludedChanged() = 0;
        virtual void DocumentHiddenChanged(ILibrary* library, const CString& documentName) = 0;
        virtual void LibrariesGroupHiddenChanged(ILibrariesGroup* group) = 0;
        virtual void LibraryHiddenChanged(ILibrary* library) = 0;

    protected:
        ~IClient() = default;
    };

    static constexpr UINT kSplitterId = AFX_IDW_PANE_FIRST;

    DocumentsMenuDlg();
    ~DocumentsMenuDlg() override;

    // Clients are called in registration order; a client is registered once.
    void AddClient(IClient* client);
    void RemoveClient(IClient* client);

    bool IsShowHidden() const { return structure_.IsShowHidden(); }
    // False when unchanged.
    bool SetShowHidden(bool show);
    bool IsShowExcluded() const { return showExcluded_; }
    bool SetShowExcluded(bool show);
    bool IsListMode() const { return structure_.IsListMode(); }
    bool ShowLibrariesList(bool list) { return structure_.SetListMode(list); }
    // 0: no browser pane; 1: beside the structure; 2: below it.
    int GetSplitMode() const;
    // False when the mode is the current one or unknown.
    bool SetSplitMode(int mode);

    // Expansion remembered per object, for unfiltered fills. Null objects are ignored.
    bool IsExpanded(ILibrariesGroup* group) const { return viewState_.IsGroupExpanded(group); }
    bool IsExpanded(ILibrary* library) const { return viewState_.IsLibraryExpanded(library); }
    void SetExpanded(ILibrariesGroup* group, bool expanded) { viewState_.SetGroupExpanded(group, expanded); }
    void SetExpanded(ILibrary* library, bool expanded) { viewState_.SetLibraryExpanded(library, expanded); }

    // Objects and documents the user hid from the view.
    bool IsHidden(ILibrariesGroup* group) const { return viewState_.IsGroupHidden(group); }
    bool IsHidden(ILibrary* library) const { return viewState_.IsLibraryHidden(library); }
    bool IsHidden(ILibrary* library, const CString& documentName) const;
    void SetHidden(ILibrariesGroup* group, bool hidden);
    void SetHidden(ILibrary* library, bool hidden);
    void SetHidden(ILibrary* library, const CString& documentName, bool hidden);
    bool HasHiddenItems() const { return viewState_.HasHiddenItems(); }

    // Makes the object's row current (tree: opening the rows above it).
    void SelectConfiguration(ILibrariesGroup* group) { structure_.SelectConfiguration(group); }
    void SelectLibrary(ILibrary* library) { structure_.SelectLibrary(library); }

    // While the browser pane is shown, it shows the object (a step of its history); false when
    // it is not shown (or has no such document).
    bool ShowInBrowser(IConfiguration* configuration);
    bool ShowInBrowser(ILibrariesGroup* group);
    bool ShowInBrowser(ILibrary* library);
    bool ShowInBrowser(ILibrary* library, const CString& documentName);
    void ClearBrowser();

    // The pane's layout values: "ShowSearchToolBar", "State", "ShowExcluded", the structure's,
    // the splitter's and "IconSize".
    BOOL DoPropExchange(CXTPPropExchange* px) override;
    void OnAttachedToPane(CXTPDockingPane* pane) override;
    void OnToBeDetachedFromPane(CXTPDockingPane* pane) override;
    void SetTheme(const Korvo::UI::Theme& theme) override;
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;

    DocumentsStructure& GetStructure() { return structure_; }
    ViewState& GetViewState() { return viewState_; }
    Korvo::UI::SimpleSplitter& GetSplitter() { return splitter_; }
    PreviewWnd* GetPreviewWnd() const { return preview_.get(); }
    CXTPToolBar* GetMainToolBar() const { return mainBar_; }
    CXTPToolBar* GetSearchToolBar() const { return searchBar_; }
    ComboBoxFind* GetSearchBox() const { return searchBox_; }
    int GetCommandBarsOptionsUpdates() const { return commandBarsSite_.GetOptionsUpdates(); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
    // A command the window has no handler of goes to the form factors the browser shows.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    bool createCommandBars();
    void createToolBars();
    void recalcLayout();
    bool browserShown() const;
    template <class Call>
    void notifyClients(Call call);

    Korvo::UI::SimpleSplitter splitter_;
    CXTPToolBar* mainBar_ = nullptr;
    CXTPToolBar* searchBar_ = nullptr;
    ComboBoxFind* searchBox_ = nullptr;
    OpenVarnelConfigurationButton* varnelButton_ = nullptr;
    DocumentsStructure structure_;
    ViewState viewState_;
    std::unique_ptr<PreviewWnd> preview_;
    Korvo::UI::CommandBarsSiteBase commandBarsSite_;
    int iconSize_ = 32;
    bool showExcluded_ = false;
    std::vector<IClient*> clients_;
};

}  // namespace DocumentsMenu
