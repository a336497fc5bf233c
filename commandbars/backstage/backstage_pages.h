// The pages of the ribbon's backstage: print, new document, export (to files and to the PDM
// system) and recent files. Pages that carry a help id make it the application's help id while
// they are shown.
#pragma once

#include <memory>
#include <vector>

#include "platform/kernel.h"
#include "platform/managedui.h"
#include "platform/toolkit.h"

class KVRibbonBackstagePage : public CPropertyPage {
public:
    KVRibbonBackstagePage() { KVRibbonBackstagePage::SetTheme(0); }
    // The page colours of the toolkit's theme; the pages with managed controls pass them on.
    virtual void SetTheme(int theme);
    int GetThemeNumber() const { return theme_; }
    COLORREF GetPageBackground() const { return background_; }
    COLORREF GetPageText() const { return text_; }

protected:
    int theme_ = 0;
    COLORREF background_ = 0;
    COLORREF text_ = 0;
};

class KVRibbonHelpChangingBackstagePage : public KVRibbonBackstagePage {
public:
    explicit KVRibbonHelpChangingBackstagePage(UINT helpId) : helpId_(helpId) {}
    ~KVRibbonHelpChangingBackstagePage() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    UINT GetHelpId() const { return helpId_; }

private:
    UINT helpId_;
    std::unique_ptr<HelpIDModifier> modifier_;
};

class KVRibbonBackstagePrintPage : public KVRibbonHelpChangingBackstagePage {
public:
    static constexpr UINT kHelpId = 102700;
    KVRibbonBackstagePrintPage() : KVRibbonHelpChangingBackstagePage(kHelpId) {}
    ~KVRibbonBackstagePrintPage() override;
    BOOL CreatePage(CWnd* ribbon);
    BOOL OnSetActive() override;
    void SetDocument(CKvw32Doc* document);
    void SetDrawingContext(std::shared_ptr<Korvo::Print::PrintDrawingContext> context);
    // What goes at every close of the backstage: the print window and the drawing context.
    void DropPrintWindow();
    CKvw32Doc* GetDocument() const { return document_; }
    KVPrintWnd* GetPrintWindow() const { return print_.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void destroyPrintWindow();
    // The print window of the drawing context, else of the document, when there is none yet.
    void makePrintWindow();
    bool isShown() const;

    std::unique_ptr<KVPrintWnd> print_;
    CKvw32Doc* document_ = nullptr;  // the document manager's; checked before each use
    std::shared_ptr<Korvo::Print::PrintDrawingContext> context_;
};

class KVRibbonNewDocumentBackstagePage : public KVRibbonHelpChangingBackstagePage {
public:
    static constexpr UINT kHelpId = 106500;
    KVRibbonNewDocumentBackstagePage() : KVRibbonHelpChangingBackstagePage(kHelpId) {}
    ~KVRibbonNewDocumentBackstagePage() override;
    BOOL CreatePage(CWnd* ribbon);
    BOOL OnSetActive() override;
    void SetTheme(int theme) override;
    BOOL DestroyWindow() override;
    void SetPrototypeFolder(LPCWSTR folder, bool flag);
    bool IsFolderPassed() const { return folderPassed_; }

private:
    bool folderPassed_ = false;
};

// The managed prototypes control's theme code: the page's background counts as light when its
// luminance is above one half; toolkit themes 12 and 16 have codes of their own.
int PrototypesThemeCode(int theme, COLORREF background);

class KVRibbonExportBackstagePageBase : public KVRibbonHelpChangingBackstagePage,
                                        public TypedApplicationEventListener<kEventExportModulesChanged>,
                                        public KorvoManagedUIProxy::IExportCallback {
public:
    ~KVRibbonExportBackstagePageBase() override;
    BOOL OnSetActive() override;
    void SetTheme(int theme) override;
    BOOL DestroyWindow() override;
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;
    void OnExportChosen(int index) override;
    bool AreFiltersLoaded() const { return filtersLoaded_; }
    bool ExportsToPdm() const { return toPdm_; }

protected:
    KVRibbonExportBackstagePageBase(CWnd* parent, UINT helpId, bool toPdm);

private:
    bool toPdm_;
    bool filtersLoaded_ = false;
    bool themed_ = false;
};

class KVRibbonExportBackstagePage : public KVRibbonExportBackstagePageBase {
public:
    static constexpr UINT kHelpId = 103600;
    explicit KVRibbonExportBackstagePage(CWnd* parent) : KVRibbonExportBackstagePageBase(parent, kHelpId, false) {}
};

class KVRibbonExportVarnelBackstagePage : public KVRibbonExportBackstagePageBase {
public:
    static constexpr UINT kHelpId = 155100;
    explicit KVRibbonExportVarnelBackstagePage(CWnd* parent) : KVRibbonExportBackstagePageBase(parent, kHelpId, true) {}
};

class RecentFilesBackstagePage : public CXTPRibbonBackstagePageRecent {
public:
    BOOL CreatePage(CWnd* ribbon) { return CreateFromTemplate(kTemplateId, ribbon); }
    // Marks the items on network paths (and those without a path) as network items.
    BOOL OnSetActive() override;
    // The start page follows the pin states the user may have changed on the page.
    BOOL OnKillActive() override;
};
