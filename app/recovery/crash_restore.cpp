// Documents left by a crash: the crash reporter records them in "ErrorRestore"; start-up opens
// them again. A path ending in ".err" is a crash copy of the document at the path without it.
#include <algorithm>

#include "app/kvw32_app.h"

namespace {

constexpr const wchar_t* kErrorRestoreSection = L"ErrorRestore";
constexpr UINT kMaxRestoredDocuments = 100;
constexpr UINT kRestoredTitleSuffixString = 13654;
constexpr UINT kCannotRestoreFormatString = 13655;
constexpr const wchar_t* kCrashCopyExtension = L".err";

bool IsCrashCopy(const CString& path) {
    return path.GetLength() > 3 && path.Right(4).CompareNoCase(kCrashCopyExtension) == 0;
}

CString WithoutCrashCopyExtension(const CString& path) {
    return IsCrashCopy(path) ? path.Left(path.GetLength() - 4) : path;
}

// Sets the template's crash-copy flag for one open and clears it however the open ends.
class CrashCopyOpen {
public:
    explicit CrashCopyOpen(CKVDocTemplate& docTemplate) : template_(docTemplate) { template_.SetCrashCopyFlag(true); }
    ~CrashCopyOpen() { template_.SetCrashCopyFlag(false); }
    CrashCopyOpen(const CrashCopyOpen&) = delete;
    CrashCopyOpen& operator=(const CrashCopyOpen&) = delete;

private:
    CKVDocTemplate& template_;
};

enum class OpenResult { Opened, NotOpened, Failed };

OpenResult OpenRestoredDocument(CKVDocTemplate& docTemplate, const CString& path) {
    CDocument* document = nullptr;
    try {
        CrashCopyOpen crashCopy(docTemplate);
        document = docTemplate.OpenDocumentFile(path, TRUE);
    } catch (CException* e) {
        e->Delete();
        return OpenResult::Failed;
    }
    if (!document) return OpenResult::NotOpened;
    if (!IsCrashCopy(path)) return OpenResult::Opened;

    auto* kernelDocument = dynamic_cast<CKvw32Doc*>(document);
    const CString realPath = WithoutCrashCopyExtension(path);
    document->SetPathName(realPath, FALSE);
    if (kernelDocument) kernelDocument->LockDocumentFile(realPath);
    CKVExtractedObjectsCollector::DropUnreferenced();
    DeleteFileW(path);
    document->SetTitle(realPath + KVLoadString(kRestoredTitleSuffixString));
    if (kernelDocument) kernelDocument->ActivateFrame();
    return OpenResult::Opened;
}

}  // namespace

void CKvw32App::ResetCrashRestoreState() {
    if (GetProfileString(kErrorRestoreSection, L"BugReportFolder", L"").IsEmpty()) {
        WriteProfileString(kErrorRestoreSection, L"BugReportFolder", L"");
    }
    if (GetProfileInt(kErrorRestoreSection, L"Restart", 0) != 0) WriteProfileInt(kErrorRestoreSection, L"Restart", 0);
}

void CKvw32App::RestoreCrashCopies() {
    // The count is unsigned: a corrupt huge value still restores the first entries.
    const UINT recorded = GetProfileInt(kErrorRestoreSection, L"DocsCount", 0);
    if (recorded == 0) return;
    WriteProfileInt(kErrorRestoreSection, L"DocsCount", 0);
    CKVDocTemplate* docTemplate = GetDocTemplate();
    const UINT count = std::min(recorded, kMaxRestoredDocuments);
    for (UINT index = 0; index < count; ++index) {
        CString name;
        name.Format(L"%u", index);
        CString path = GetProfileString(kErrorRestoreSection, name, L"");
        WriteProfileString(kErrorRestoreSection, name, nullptr);
        if (path.IsEmpty() || !docTemplate) continue;

        for (bool retried = false;; retried = true) {
            const OpenResult result = OpenRestoredDocument(*docTemplate, path);
            if (result == OpenResult::Opened) break;
            if (result == OpenResult::NotOpened) {
                AfxMessageBox(KVLoadFormatString(kCannotRestoreFormatString, WithoutCrashCopyExtension(path)),
                              MB_ICONERROR);
                break;
            }
            AfxMessageBox(KVLoadFormatString(kCannotRestoreFormatString, path), MB_ICONWARNING);
            if (retried || !IsCrashCopy(path)) break;
            // The crash copy may be the only copy of the unsaved work: it stays on disk, and the
            // document is tried once more from its own file.
            KVLog_WriteF(6, L"Kept the crash copy \"%s\" that could not be opened", path.GetString());
            path = WithoutCrashCopyExtension(path);
        }
    }
}

void CKvw32App::ReopenDocumentsOfLastRun() {
    constexpr const wchar_t* kSection = L"OpenDocuments";
    constexpr UINT kMaxReopened = 100;
    if (!GetSettings().files.reopenDocuments) {
        WriteProfileInt(kSection, L"Count", 0);
        return;
    }
    // A corrupt count would make start-up walk billions of entries.
    UINT count = GetProfileInt(kSection, L"Count", 0);
    WriteProfileInt(kSection, L"Count", 0);
    if (count > kMaxReopened) {
        KVLog_WriteF(6, L"Only the first %u of %u documents of the last run are reopened", kMaxReopened, count);
        count = kMaxReopened;
    }
    CWaitCursor wait;
    for (UINT index = 0; index < count; ++index) {
        CString entry;
        entry.Format(L"Document%d", static_cast<int>(index));
        const CString path = GetProfileString(kSection, entry, L"");
        if (!path.IsEmpty()) OpenDocumentFile(path);
    }
}
