// The browser pane's view of one library document's form factors: a report of them under a
// search bar. A form factor can be inserted with the document as a fragment, opened with it, or
// the document dragged out with it pending for whatever takes the file.
#pragma once

#include "documentsmenu/library_ref.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class FormFactorPreviewControlSite : public Korvo::UI::FormFactorControlSiteBase {
public:
    static constexpr UINT kApplyFocused = 1001;
    static constexpr UINT kInsertFocused = 1026;
    static constexpr UINT kFindIcon = 693;
    static constexpr DWORD kToolBarDocking = 97;

    ~FormFactorPreviewControlSite() override;

    // The document `name` (relative to the library's folder) of the library; the same document
    // again is read again only with `refresh`. Nothing before the report exists.
    void SetDocument(ILibrary* library, const CString& name, bool refresh);
    // Null once the library is gone.
    ILibrary* GetLibrary() const { return library_.Get(); }
    const CString& GetDocumentName() const { return documentName_; }
    // Where the report keeps its layout.
    static CString StateFile();

    void ApplyFormFactor(const CString& name);
    void ApplyFocusedFormFactor();
    void InsertFocusedFormFactor();
    void OnFormFactorDragged(const CString& name);

protected:
    BOOL InitCommandBars() override;
    bool CreateReportControl() override;
    bool OnSiteCommand(UINT id) override;

private:
    LibraryRef library_;
    CString documentName_;
};

class FormFactorPreviewWnd : public CWnd {
public:
    static constexpr UINT kSiteId = 59648;
    static constexpr UINT kIgnoredCommand = 1494;

    void SetDocument(ILibrary* library, const CString& name) { site_.SetDocument(library, name, false); }
    void SetTheme(const Korvo::UI::Theme& theme) { site_.SetTheme(theme); }
    FormFactorPreviewControlSite& GetSite() { return site_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnFinalRelease() override;

private:
    FormFactorPreviewControlSite site_;
};

// A hidden child of `parent` filling its client area (id 1037); empty, with a log line, when it
// cannot be made.
CXTPSmartPtrInternalT<FormFactorPreviewWnd> CreateFormFactorPreviewWnd(CWnd* parent);

}  // namespace DocumentsMenu
