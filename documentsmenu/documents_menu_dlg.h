// The documents-menu window: here the view state its structure rows read and record (which
// objects are expanded or hidden, whether hidden and excluded objects are shown) and the browser
// pane they show objects in. The window itself (panes, tool bars, views) grows around this state.
#pragma once

#include <set>
#include <string>

#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class DocumentsMenuDlg : public CWnd {
public:
    DocumentsMenuDlg() = default;

    bool IsShowHidden() const { return showHidden_; }
    void SetShowHidden(bool show) { showHidden_ = show; }
    bool IsShowExcluded() const { return showExcluded_; }
    void SetShowExcluded(bool show) { showExcluded_ = show; }

    // Expansion remembered per object, for unfiltered fills. Null objects are ignored.
    bool IsExpanded(ILibrariesGroup* group) const;
    bool IsExpanded(ILibrary* library) const;
    void SetExpanded(ILibrariesGroup* group, bool expanded);
    void SetExpanded(ILibrary* library, bool expanded);

    // Objects and documents the user hid from the view.
    bool IsHidden(ILibrariesGroup* group) const;
    bool IsHidden(ILibrary* library) const;
    bool IsHidden(ILibrary* library, const CString& documentName) const;
    void SetHidden(ILibrariesGroup* group, bool hidden);
    void SetHidden(ILibrary* library, bool hidden);
    void SetHidden(ILibrary* library, const CString& documentName, bool hidden);

    // The browser pane shows the object; here the last one shown is kept until the pane exists.
    void ShowInBrowser(ILibrariesGroup* group);
    void ShowInBrowser(ILibrary* library);
    void ShowInBrowser(ILibrary* library, const CString& documentName);
    const void* GetBrowsedObject() const { return browsed_; }

private:
    static std::wstring key(const GUID& id);
    static std::wstring documentKey(ILibrary* library, const CString& name);

    bool showHidden_ = false;
    bool showExcluded_ = false;
    std::set<std::wstring> expanded_;
    std::set<std::wstring> hidden_;
    const void* browsed_ = nullptr;
};

}  // namespace DocumentsMenu
