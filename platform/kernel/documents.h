// Kernel documents, their template and the kernel's document manager, at their least: a
// document is "opened" when its file exists. There is no document format yet, and an opened
// document gets no frame or view (the framework cannot make MDI children from a template yet).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/kernel/document_state.h"
#include "platform/kernel/profile_item.h"
#include "platform/mfc.h"

namespace platform::kernel {
struct DocumentAccess;
}

// The kernel's document.
class CKvw32Doc : public CDocument, public KorvoDocument2 {
    DECLARE_DYNCREATE(CKvw32Doc)
public:
    CKvw32Doc();
    ~CKvw32Doc() override;

    // Opens the document's file: fails when it does not exist (or a test makes it fail).
    BOOL OnOpenDocument(LPCWSTR pathName) override;

    // Keeps the file at `path` locked for this document (the document's real file when it was
    // opened from a crash copy). False when the file does not exist. The platform's files have no
    // locks, so the stand-in only remembers which file the document holds.
    bool LockDocumentFile(LPCWSTR path);
    const CString& GetLockedFile() const { return lockedFile_; }
    // Numbers the titles of the document's frames ("T:1", "T:2") as the framework does.
    void UpdateFrameCounts() override;
    // The frame of the document's first view, or null.
    CFrameWnd* GetFrame() const;
    // Activates the document's first frame (does nothing without one).
    void ActivateFrame();

    // The pair of an in-place edit this document takes part in, or null.
    const KVEditInPlaceParams* GetEditInPlaceParams() const { return editInPlace_ ? &*editInPlace_ : nullptr; }
    // The assembly this document belongs to, or null.
    CKvw32Doc* GetAssemblyDocument() const { return assemblyDocument_; }
    KVErrorContainer* GetErrorContainer() const { return errors_.get(); }
    KV3DContainer* Get3DContainer() const { return container3D_.get(); }
    // A command of the kernel is running on this document.
    bool IsInCommand() const { return inCommand_; }

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

    CString lockedFile_;
    std::optional<KVEditInPlaceParams> editInPlace_;
    CKvw32Doc* assemblyDocument_ = nullptr;
    std::unique_ptr<KVErrorContainer> errors_;
    std::unique_ptr<KV3DContainer> container3D_;
    bool inCommand_ = false;
    bool paintBlocked_ = false;
    bool repaintFlag_ = false;
    DWORD flags_ = 0;
};

class CKVView : public CView {
    DECLARE_DYNCREATE(CKVView)
public:
    CKVView() = default;
    void OnDraw(CDC* dc) override;
};

class CKVTabView : public CKVView {
    DECLARE_DYNCREATE(CKVTabView)
public:
    CKVTabView() = default;
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
    // fails.
    CDocument* OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible = TRUE) override;

    // The templates alive, in creation order (the kernel opens documents through the last one).
    static std::vector<CKVDocTemplate*> GetTemplates();

private:
    bool crashCopy_ = false;
};

// The application's document manager (owned by the framework once handed to it).
class CWSDocManager : public CDocManager, public KorvoProfileItem {
public:
    CWSDocManager();
    ~CWSDocManager() override;
};

namespace Korvo {

class DocumentManager {
public:
    static DocumentManager& Instance();

    // Open kernel documents in opening order.
    std::vector<CKvw32Doc*> GetDocuments() const;
    CKvw32Doc* FindDocument(LPCWSTR path) const;  // by path, case-insensitively
    // Creates a document from the prototype at `path` and saves it (recorded; no document yet).
    CKvw32Doc* CreateAndSaveNewDocumentFromPrototype(LPCWSTR path);

    // Called by the documents themselves.
    void AddDocument(CKvw32Doc* document);
    void RemoveDocument(CKvw32Doc* document);

private:
    DocumentManager() = default;
    std::vector<CKvw32Doc*> documents_;
};

}  // namespace Korvo

// The kernel's collector of objects extracted from documents.
class CKVExtractedObjectsCollector {
public:
    // Drops the extracted objects that no document references any more.
    static void DropUnreferenced();
};
