// Kernel documents, their template and the kernel's document manager. A document opens from a
// compound file whose document header the kernel reads (document_file.h); the template puts
// each document in an MDI child frame of the active main frame, with a tab view.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/compression.h"
#include "platform/kernel/documents/cameras.h"
#include "platform/kernel/documents/document_file.h"
#include "platform/kernel/documents/document_2d.h"
#include "platform/kernel/documents/document_state.h"
#include "platform/kernel/documents/parameters.h"
#include "platform/kernel/profiles/profile_item.h"
#include "platform/mfc.h"
#include "platform/win32/files/file.h"

namespace platform::kernel {
struct DocumentAccess;
}

// The kernel's document.
class CKvw32Doc : public CDocument, public KorvoDocument2 {
    DECLARE_DYNCREATE(CKvw32Doc)
public:
    CKvw32Doc();
    ~CKvw32Doc() override;

    // The model changed and is not regenerated yet: views must not draw it. RepaintNeeded asks
    // the kernel to repaint the document's views once it is (recorded).
    bool IsRegenerationNeeded() const { return regenerationNeeded_; }
    void SetRegenerationNeeded(bool needed) { regenerationNeeded_ = needed; }
    void RepaintNeeded();

    // Opens the document's file: fails when its header cannot be read (or a test makes it fail).
    BOOL OnOpenDocument(LPCWSTR pathName) override;
    // The header failure of the last open on this thread's documents (S_OK after a success).
    HRESULT GetLastOpenFailure() const { return lastOpenFailure_; }

    // Whether the kernel leaves the reporting of load failures to the application (true unless a
    // test makes the kernel report them itself).
    static bool ReportSaveLoadExceptionBlocked();
    // Editing blocked (the viewer edition opens documents read-only for editing).
    void BlockEditing(int block, int reason, int flags);
    bool IsEditingBlocked() const { return editingBlocked_; }
    // Imports a foreign file into this document; the answer is the test's (default: fails).
    bool Import(LPCWSTR path, int mode);
    // A document made for a passing piece of work (rich text to draw, say): its empty contents
    // set up, and closed again without a view or a file (both recorded). The owner deletes it.
    void InitContents();
    void OnClosePartialDocument();
    // Shows the kernel's properties dialog over the document file at `path` (open or not; the
    // main frame owns the dialog) and writes what the user changed back into the file's summary.
    // True when the file took new properties; a file that is no document, or cannot be written,
    // is told to the user in a message box.
    BOOL UpdateProperties(CFrameWnd* mainFrame, LPCWSTR path);
    // After a document was made from a prototype: saves it when the kernel's creation settings ask
    // for it (recorded; the default settings do not, so nothing is written).
    void SaveAfterCreatingIfNeed();

    // The link id of a document embedded in another program's document (0: none).
    std::uint64_t GetEmbeddedLinkId() const { return embeddedLinkId_; }
    // Seconds of the platform's wall clock at the last auto-save (0: never).
    std::int64_t GetLastAutoSaveTime() const { return lastAutoSaveTime_; }
    void SetLastAutoSaveTime(std::int64_t seconds) { lastAutoSaveTime_ = seconds; }
    // Saves the document to its path: non-zero on success; `saved` tells whether the file was
    // written (a save the kernel declined leaves it false).
    int DoFileSave(bool& saved);
    // A user action (kind 1: a key with its modifier mask) the kernel's action log records.
    void PushAction(int kind, UINT key, UINT modifiers);
    // A command given while the document is current, with the text the log shows for it (empty:
    // the command's own).
    void PushAction(UINT command, const CString& text);
    // The document's stored selection: the number of selected objects.
    int GetStoredSelectionCount() const { return storedSelection_; }
    // The view the document was last active in, or null.
    CView* GetActiveView() const;

    // Keeps the file at `path` locked for this document (the document's real file when it was
    // opened from a crash copy). False when the file does not exist. The file is held open as
    // any open document's is (it cannot be renamed or deleted meanwhile), the copy no longer.
    bool LockDocumentFile(LPCWSTR path);
    const CString& GetLockedFile() const { return lockedFile_; }
    // Numbers the titles of the document's frames ("T:1", "T:2") as the framework does.
    void UpdateFrameCounts() override;
    // The frame of the document's first view, or null.
    CFrameWnd* GetFrame() const;
    // Activates the document's first frame (does nothing without one).
    void ActivateFrame();

    // The document's automation object: read-only properties "FullName" (path), "Name"
    // (title), "ReadOnly" and "Modified" (1 or 0).
    const platform::mfc::DispatchMap* GetDispatchMap() const override;
    BSTR GetFullName();
    BSTR GetName();
    short GetReadOnlyProperty();
    // The document is read-only while its file is (another program may have changed that while
    // the program was in the background); a document without a file keeps its state.
    void UpdateReadOnlyState();
    short GetModifiedProperty();

    // The pair of an in-place edit this document takes part in, or null.
    const KVEditInPlaceParams* GetEditInPlaceParams() const { return editInPlace_ ? &*editInPlace_ : nullptr; }
    // The assembly this document belongs to, or null.
    CKvw32Doc* GetAssemblyDocument() const { return assemblyDocument_; }
    KVErrorContainer* GetErrorContainer() const { return errors_.get(); }
    // The same container, as the kernel hands it out inside a regeneration scope.
    bool HaveErrorCont() const { return errors_ != nullptr; }
    ContainerErrors* GetErrorCont(const class KVDocRegenContext& context) const;
    KV3DContainer* Get3DContainer() const { return container3D_.get(); }
    // The document's cameras, in the order they were made; ids count from 1 per document.
    KVCameraObject* AddCamera(const CString& name);
    const std::vector<std::unique_ptr<KVCameraObject>>& GetCameras() const { return cameras_; }
    // The 3D object with the id, or null (the stand-in's 3D objects are its cameras).
    KVCameraObject* Get3DObjectByID(std::uint64_t id) const;
    // The document's properties: its keywords.
    struct Properties {
        std::vector<CString> keywords;
        const std::vector<CString>& GetKeywordList() const { return keywords; }
    };
    Properties* GetProperties() { return &properties_; }
    // A command of the kernel is running on this document.
    bool IsInCommand() const { return inCommand_; }

    // ---- Saving (platform/kernel/documents/document_saving.cpp) --------------------------------
    // Holds keep a document alive without windows: its last window closing while it is held
    // leaves it open, and whoever releases the last hold decides whether it closes.
    void AddHold() { ++holds_; }
    int ReleaseHold() { return holds_ > 0 ? --holds_ : 0; }  // the holds left
    int GetHoldCount() const { return holds_; }
    // Set by the kernel when a save could not store the regenerated geometry; the caller clears
    // it before a save and looks at it afterwards.
    DWORD GetGeometrySaveError() const { return geometrySaveError_; }
    void SetGeometrySaveError(DWORD error) { geometrySaveError_ = error; }
    // The document is the assembly or the fragment of an edit in context.
    bool IsEditInPlaceActive() const { return editInPlace_.has_value(); }
    CKvw32Doc* GetFragmentDocument() const { return editInPlace_ ? editInPlace_->fragmentDocument : nullptr; }
    // Whether the document may be changed: a PDM-managed file only while its item is taken for
    // editing (state 2); any other document unless editing is blocked.
    bool IsEditable() const;
    // Saves under a new name (null: asks for it with the file chooser); `options` are the
    // kernel's. Non-zero when saved; the document then has the new path and is writable.
    int DoFileSaveAs(LPCWSTR path, int options);
    // The framework's save (its save prompt's Yes): in place, or under a new name when `pathName`
    // is empty or another one.
    BOOL OnSaveDocument(LPCWSTR pathName) override;
    // Saves a copy under a name the file chooser asks for; the document keeps its path.
    int DoFileSaveCopy();
    // Checks the document's links to other files (recorded).
    void CheckLinks();
    // Closes a fragment document as the kernel does (its assembly lets it go first).
    void OnCloseFragment();
    // The classes of the views the document's windows show, first window first.
    std::vector<CRuntimeClass*> GetViewClasses() const;
    // A held document whose last view goes stays open.
    void OnChangedViewList() override;
    // The kernel marked the document's nomenclature parameters as changed (during a save).
    bool HasChangedNomenclatureParameters() const { return nomenclatureParametersChanged_; }
    void SetChangedNomenclatureParameters(bool changed);
    // The document took the data of its nomenclature record again from the PDM system.
    void UpdateFromNomenclature();

    // The document's 2D part, its stored selection and its defaults for new elements.
    KVDocument* Cont2D() const { return container2D_.get(); }
    const CSelectionContainer* GetStoreSelection() const { return &selection_; }
    CSelectionContainer* GetStoreSelection() { return &selection_; }
    kveval::ModelDefaultParameterProvider* GetDefaultParameters() { return &defaults_; }
    // The names the user found elements by in this document, the most recent first.
    std::vector<CString>& GetFindHistory() { return findHistory_; }
    // 0 while no undo block collects steps.
    int GetUndoMode() const { return container2D_->GetUndoMode(); }
    // The kernel view the document was last active in, or null.
    class CKVBaseView* GetActiveKVView() const;

    // Requirement editing: deletes the elements (their inscription links go with them); the
    // document's undo manager; a new window showing `page` in a view of `kind` (2: a sheet view),
    // null when none could be made.
    int DeleteElements(const class SimpleParentsArray& elements, int flags);
    class UndoManager GetUndoManager(bool create);
    class CKVBaseView* CreateNewView(int kind, int page);

    // Painting of every view stops while blocked.
    void BlockPaint(bool block);
    bool IsPaintBlocked() const { return paintBlocked_; }
    // The kernel noted changes that the views do not show yet.
    bool GetRepaintFlag() const { return repaintFlag_; }
    // The views are redrawn completely at their next update.
    void MarkForRepaint();
    // Document flags the application sets (0x20000: the application became active).
    void SetDocumentFlag(DWORD flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }
    DWORD GetDocumentFlags() const { return flags_; }

private:
    friend struct platform::kernel::DocumentAccess;
    // The model stream of the file: pages, requirements and the document's id. False (with a
    // warning naming the file and line) when the stream is malformed.
    bool ReadModel(LPCWSTR pathName);

    CString lockedFile_;
    // The kernel keeps an open document's file open: it cannot be renamed or deleted meanwhile.
    platform::files::OpenFileHold heldFile_;
    std::optional<KVEditInPlaceParams> editInPlace_;
    CKvw32Doc* assemblyDocument_ = nullptr;
    std::unique_ptr<KVErrorContainer> errors_;
    std::unique_ptr<KV3DContainer> container3D_;
    std::vector<std::unique_ptr<KVCameraObject>> cameras_;
    std::unique_ptr<KVDocument> container2D_ = std::make_unique<KVDocument>();
    CSelectionContainer selection_;
    std::vector<CString> findHistory_;
    kveval::ModelDefaultParameterProvider defaults_;
    Properties properties_;
    bool inCommand_ = false;
    bool paintBlocked_ = false;
    bool repaintFlag_ = false;
    bool editingBlocked_ = false;
    std::uint64_t embeddedLinkId_ = 0;
    int holds_ = 0;
    bool regenerationNeeded_ = false;
    DWORD geometrySaveError_ = 0;
    bool nomenclatureParametersChanged_ = false;
    // The save's steps common to every kind of save: writes the model to `path`.
    int WriteDocumentTo(const CString& path, const wchar_t* call);
    std::int64_t lastAutoSaveTime_ = 0;
    int storedSelection_ = 0;
    HRESULT lastOpenFailure_ = S_OK;
    DWORD flags_ = 0;
};

// What the main bar showed for a view: the tab's GUID and the GUID of the context it served.
struct MainBarState {
    GUID tab{};
    GUID context{};
};

// The tabs a view switched to, newest on top.
class MainBarSwitchHistory {
public:
    bool HasTopEvent() const { return !events_.empty(); }
    const MainBarState& GetTopEvent() const { return events_.back(); }
    // Records a switch; false (and nothing recorded) when the view keeps no history of switches.
    bool SetTopEvent(const MainBarState& state);
    void SetKeepsHistory(bool keeps) { keepsHistory_ = keeps; }
    int GetEventCount() const { return static_cast<int>(events_.size()); }

private:
    std::vector<MainBarState> events_;
    bool keepsHistory_ = true;
};

// A kernel view: shows the document's 2D part (a drawing) or its 3D model.
class CKVBaseView : public CView {
    DECLARE_DYNAMIC(CKVBaseView)
public:
    bool Is2DView() const { return !shows3D_; }
    void SetShows3D(bool shows3D) { shows3D_ = shows3D; }
    // The page the view shows: the one set, else its document's first page (0: none).
    int GetCurrentPage() const;
    void SetCurrentPage(int page) { page_ = page; }
    // The sheet the view shows (its current page).
    int GetParentPage() const { return GetCurrentPage(); }
    // The part of the sheet the view shows, in world units (left, top, right, bottom): in the
    // kernel's rounded form and exactly. A new view shows the whole paper of the stand-in's sheet.
    void GetVisibleWindow(double& left, double& top, double& right, double& bottom) const;
    void GetExactVisibleWindow(double& left, double& top, double& right, double& bottom) const;
    void SetVisibleWindow(double left, double top, double right, double bottom);

private:
    bool shows3D_ = false;
    int page_ = 0;
    double visible_[4] = {0, 297, 420, 0};
};

// A picture a view keeps: rows from the top, 0xAARRGGBB.
struct KVViewPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

class CFragmentPath;

class CKVView : public CKVBaseView {
    DECLARE_DYNCREATE(CKVView)
public:
    CKVView() = default;
    void OnDraw(CDC* dc) override;
    // The framework's print preparation (the print dialog, or none when printing direct).
    BOOL OnPreparePrinting(CPrintInfo* info) override { return DoPreparePrinting(info); }
    // A print job starts: the kernel records whether its direct-print setting is on.
    void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
    // An activated view makes its document the application's current one (the kernel's
    // SetCurrentDocument callback).
    void OnActivateView(BOOL activate, CView* activated, CView* deactivated) override;
    // Runs an application command on the document's stored selection.
    void OnObjectCommand(UINT id);
    // Command 65532: a leader placement running in the view takes the link handed over last.
    void OnLeaderLinkChanged();
    // The kernel inserts the record's document into the view's document: as a fragment linked to
    // its file, or as a picture of it.
    void InsertFragment(const CFragmentPath& record);
    void InsertFragmentAsImage(const CFragmentPath& record);

    // The GUID of the view's type (the contextual tabs it brings).
    const GUID& GetTypeGuid() const { return typeGuid_; }
    void SetTypeGuid(const GUID& guid) { typeGuid_ = guid; }
    // The tab the user last chose for this view (null GUID: none).
    const GUID& GetStoredTabGuid() const { return storedTab_; }
    void SetStoredTabGuid(const GUID& guid) { storedTab_ = guid; }
    MainBarSwitchHistory& GetMainBarSwitchHistory() { return history_; }

    // The view does not want the popup tool bar (set by the kernel while it edits in the view).
    bool IsPopupSuppressed() const { return popupSuppressed_; }
    void SetPopupSuppressed(bool suppressed) { popupSuppressed_ = suppressed; }
    // Whether the popup tool bar shows over this view when something is selected.
    bool ShowsPopupToolBar() const { return !popupSuppressed_; }
    // The kernel's mode query: whether the view's document remembers the last of its two
    // drawing tabs of the tabbed tool bar.
    bool IsRememberingToolBarTab() const { return rememberingToolBarTab_; }
    void SetRememberingToolBarTab(bool remembering) { rememberingToolBarTab_ = remembering; }
    // A control of the command bars was selected (the view may show what it does).
    void OnCommandControlSelected(int id);
    // Selects object `index` of the document's 2D part alone; false (nothing changes) for an index
    // that holds no object.
    bool SelectObject(int index);
    // The running command sees the view and ends when it cannot go on in it.
    void TestTerminateCommand(bool notify);
    // The kernel's view queries the frame's view-dependent groups follow: the view's kind (0
    // none, 1 and 2 the kernel's two document kinds), its alternate state and its third and
    // fourth view properties. Their meaning is the kernel's. Until the kernel sets a kind, a
    // drawing view is kind 1 and a 3D model's view kind 2.
    int GetViewKind() const { return viewKind_ >= 0 ? viewKind_ : Is2DView() ? 1 : 2; }
    bool IsAlternateState() const { return alternate_; }
    bool GetViewProperty(int index) const { return index == 3 ? property3_ : index == 4 ? property4_ : false; }
    void SetViewTraits(int kind, bool alternate, bool property3, bool property4) {
        viewKind_ = kind;
        alternate_ = alternate;
        property3_ = property3;
        property4_ = property4;
    }

    // Pictures of the view's earlier states it keeps, and how many of them it offers (never more
    // than it keeps).
    const std::vector<KVViewPicture>& GetCachedViews() const { return cachedViews_; }
    int GetCachedViewCount() const { return std::min(cachedViewCount_, static_cast<int>(cachedViews_.size())); }
    void SetCachedViews(std::vector<KVViewPicture> views, int count) {
        cachedViews_ = std::move(views);
        cachedViewCount_ = count;
    }
    // The view's list of images (16 by 16 pixels).
    const std::vector<KVViewPicture>& GetImageList() const { return images_; }
    void SetImageList(std::vector<KVViewPicture> images) { images_ = std::move(images); }

private:
    bool rememberingToolBarTab_ = false;
    // The view commands of the shell (1387): 1211 and 1609 insert the fragment of a CFragmentPath
    // record; any other is the kernel's own (recorded).
    afx_msg LRESULT OnViewCommandMessage(WPARAM command, LPARAM lParam);
    std::vector<KVViewPicture> cachedViews_;
    int cachedViewCount_ = 0;
    std::vector<KVViewPicture> images_;
    GUID typeGuid_{};
    GUID storedTab_{};
    MainBarSwitchHistory history_;
    bool popupSuppressed_ = false;
    int viewKind_ = -1;
    bool alternate_ = false;
    bool property3_ = false;
    bool property4_ = false;

    // A print the command line or DDE asks for (ID_FILE_PRINT_DIRECT) goes through the
    // framework's print: a print job of the document.
    DECLARE_MESSAGE_MAP()
};

// The kernel's split tool bar of a tab view: its rulers button shows whether the rulers are on,
// as the shell last told it.
class CKVSplitToolBar {
public:
    bool GetRulersState() const { return rulers_; }
    void SetRulersState(bool shown);

private:
    bool rulers_ = false;
};

// A document view with the kernel's rulers and page tabs around it.
class CKVTabView : public CKVView {
    DECLARE_DYNCREATE(CKVTabView)
public:
    CKVTabView() = default;
    // The rulers start hidden, the page tabs shown.
    bool AreRulersShown() const { return rulers_; }
    void ShowRulers(bool shown);
    bool AreTabsShown() const { return tabs_; }
    void ShowTabs(bool shown);
    // The view's own update of the two commands: enabled, checked while shown.
    void OnUpdateShowRulers(CCmdUI* cmdUI) const;
    void OnUpdateTabs(CCmdUI* cmdUI) const;
    CKVSplitToolBar& GetSplitToolBar() { return split_; }
    const CKVSplitToolBar& GetSplitToolBar() const { return split_; }

private:
    bool rulers_ = false;
    bool tabs_ = true;
    CKVSplitToolBar split_;
};

// The kernel's document template: opens kernel documents by path.
class CKVDocTemplate : public CMultiDocTemplate {
public:
    static CKVDocTemplate* Create(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                                  CRuntimeClass* viewClass);
    CKVDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                   CRuntimeClass* viewClass);
    ~CKVDocTemplate() override;

    // The next OpenDocumentFile opens a crash copy; the flag is consumed by that call.
    void SetCrashCopyFlag(bool crashCopy);
    bool GetCrashCopyFlag() const { return crashCopy_; }

    // Null when the file is missing or cannot be opened; a framework exception when reading it
    // fails. The document gets an MDI child frame of the active main frame with a tab view.
    CDocument* OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible = TRUE) override;
    // A new untitled document in a frame of its own (null when the frame cannot be made).
    CKvw32Doc* OpenNewDocument(BOOL makeVisible = TRUE);

    // Another MDI child frame on `document`, open already, in the active main frame (the kernel's
    // new-window command); false when none was made.
    bool OpenAnotherWindow(CDocument* document) { return CreateDocumentFrame(document, TRUE); }

    // The templates alive, in creation order (the kernel opens documents through the last one).
    static std::vector<CKVDocTemplate*> GetTemplates();

    // The main frames registered with the template, in registration order: a main frame is
    // while it closes, so that the kernel knows the frame its documents leave. A frame registered
    // twice is listed twice and must be removed twice.
    void AddMainFrame(CFrameWnd* frame);
    void RemoveMainFrame(CFrameWnd* frame);
    const std::vector<CFrameWnd*>& GetMainFrames() const { return mainFrames_; }

private:
    // The document's MDI child frame in the active main frame, shown; false when none was made.
    bool CreateDocumentFrame(CDocument* document, BOOL makeVisible);

    bool crashCopy_ = false;
    std::vector<CFrameWnd*> mainFrames_;
};

// The application's document manager (owned by the framework once handed to it).
class CWSDocManager : public CDocManager, public KorvoProfileItem {
public:
    CWSDocManager();
    ~CWSDocManager() override;
    // A flag of the kernel's own, set while the program runs; shutdown clears it first.
    void ClearRunningFlag();
    bool IsRunningFlagSet() const { return running_; }

    // The kernel keeps the document manager's settings in the profile itself; the stand-in only
    // notes that they were loaded.
    int LoadState() override;

private:
    bool running_ = true;
};

namespace Korvo {

// How the document manager opens a document. The layout is the kernel's; the option bytes the
// stand-in acts on are named below.
struct DocInitParams {
    static constexpr int kOptionMakeVisible = 0;
    static constexpr int kOptionCreateFrame = 1;
    static constexpr int kOptionReadOnly = 2;
    static constexpr int kOptionSecondaryMode = 3;
    static constexpr int kOptionAddToRecentList = 5;

    std::uint64_t reserved0 = 0;
    std::uint64_t reserved1 = 0;
    SharedPathName prototypePath;
    std::uint64_t reserved2 = 0;
    std::uint64_t reserved3 = 0;
    std::uint8_t flags = 0;
    std::uint8_t options[17] = {};
    std::uint32_t value = 0;
    // What the PDM system knows of the file (empty when it is not managed).
    bool hasPdmContext = false;
    bool nomenclature = false;
};

class DocumentManager {
public:
    static DocumentManager& Instance();

    // The parameters a caller starts from.
    const DocInitParams& GetDocInitParams() const { return defaultParams_; }
    // Opens a native document (an open one is returned as it is); null when it cannot be opened.
    CKvw32Doc* Open(const SharedPathName& path, const DocInitParams& params);
    // A new document made from the prototype file; null when the prototype cannot be read.
    CKvw32Doc* CreateNewDocument(const SharedPathName& prototypePath, const DocInitParams& params);
    // Activates the frame of the document's first view.
    static void ActivateFirstFrame(CKvw32Doc* document);

    // Open kernel documents in opening order.
    std::vector<CKvw32Doc*> GetDocuments() const;
    CKvw32Doc* FindDocument(LPCWSTR path) const;  // by path, case-insensitively
    // Creates a document from the prototype at `path` and saves it (recorded; no document yet).
    CKvw32Doc* CreateAndSaveNewDocumentFromPrototype(LPCWSTR path);
    // The same with the creation parameters (their first two option bytes are recorded).
    CKvw32Doc* CreateAndSaveNewDocumentFromPrototype(LPCWSTR path, const DocInitParams& params);

    // Called by the documents themselves.
    void AddDocument(CKvw32Doc* document);
    void RemoveDocument(CKvw32Doc* document);

private:
    DocumentManager() = default;
    std::vector<CKvw32Doc*> documents_;
    DocInitParams defaultParams_;
};

}  // namespace Korvo

// The kernel's collector of objects extracted from documents.
class CKVExtractedObjectsCollector {
public:
    // Drops the extracted objects that no document references any more.
    static void DropUnreferenced();
};

// The document of the frame's active view (an MDI frame: of its active child), or null.
CKvw32Doc* KVGetActiveDoc(CFrameWnd* frame);
