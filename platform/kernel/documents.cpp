#include "platform/kernel/documents.h"

#include <algorithm>
#include <optional>

#include "platform/core/api_text.h"
#include "platform/core/text.h"
#include "platform/kernel/control.h"
#include "platform/kernel/document_text.h"
#include "platform/kernel/record.h"
#include "platform/kernel/serverapp.h"
#include "platform/win32/file.h"

namespace {

using platform::kernel::boolText;
using platform::kernel::documentText;
using platform::kernel::DocumentOpenFault;
using platform::kernel::quoted;
using platform::kernel::recordCall;
using platform::kernel::recordWarning;

bool isFile(LPCWSTR path) { return path && platform::files::exists(path) && !platform::files::isDirectory(path); }

// The failure a test injected for opening `path`, if any.
std::optional<DocumentOpenFault> injectedFault(LPCWSTR path) {
    const auto& faults = platform::kernel::control().documentOpenFaults;
    const auto it = faults.find(platform::core::viewOf(path));
    if (it == faults.end()) return std::nullopt;
    return it->second;
}

// Never destroyed: templates owned by the global application outlive every other static.
std::vector<CKVDocTemplate*>& liveTemplates() {
    static auto* templates = new std::vector<CKVDocTemplate*>();
    return *templates;
}

}  // namespace

// Profile items

// Documents

IMPLEMENT_DYNCREATE(CKvw32Doc, CDocument)

CKvw32Doc::CKvw32Doc() { Korvo::DocumentManager::Instance().AddDocument(this); }

CKvw32Doc::~CKvw32Doc() {
    Korvo::DocumentManager::Instance().RemoveDocument(this);
    // The application hears of every document that goes away.
    if (KorvoServerAppProxy* application = KorvoServerAppProxy::Instance()) application->OnDocumentClosed(this);
}

BOOL CKvw32Doc::OnOpenDocument(LPCWSTR pathName) {
    if (injectedFault(pathName) == DocumentOpenFault::NullResult) {
        recordWarning(L"opening " + quoted(pathName) + L" fails (injected)");
        return FALSE;
    }
    return isFile(pathName) ? TRUE : FALSE;
}

bool CKvw32Doc::LockDocumentFile(LPCWSTR path) {
    recordCall(L"CKvw32Doc::LockDocumentFile(" + quoted(path) + L")");
    if (!isFile(path)) return false;
    lockedFile_ = path;
    return true;
}

void CKvw32Doc::UpdateFrameCounts() {
    recordCall(L"CKvw32Doc::UpdateFrameCounts(" + documentText(this) + L")");
    CDocument::UpdateFrameCounts();
}

CFrameWnd* CKvw32Doc::GetFrame() const {
    const auto& views = GetViews();
    return views.empty() ? nullptr : views.front()->GetParentFrame();
}

void CKvw32Doc::ActivateFrame() {
    recordCall(L"CKvw32Doc::ActivateFrame(" + documentText(this) + L")");
    if (CFrameWnd* frame = GetFrame()) frame->ActivateFrame();
}

void CKvw32Doc::BlockPaint(bool block) {
    recordCall(L"CKvw32Doc::BlockPaint(" + documentText(this) + L", " + boolText(block) + L")");
    paintBlocked_ = block;
}

void CKvw32Doc::MarkForRepaint() {
    recordCall(L"CKvw32Doc::MarkForRepaint(" + documentText(this) + L")");
}

void KVErrorContainer::BindToWindow(HWND window) {
    recordCall(L"KVErrorContainer::BindToWindow(" + platform::kernel::handleText(window) + L")");
    boundWindow_ = window;
    bound_ = true;
}

IMPLEMENT_DYNCREATE(CKVView, CView)

void CKVView::OnDraw(CDC*) {}

IMPLEMENT_DYNCREATE(CKVTabView, CKVView)

// Templates

CKVDocTemplate* CKVDocTemplate::Create(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                                       CRuntimeClass* viewClass) {
    recordCall(L"CKVDocTemplate::Create(" + std::to_wstring(resourceId) + L")");
    return new CKVDocTemplate(resourceId, documentClass, frameClass, viewClass);
}

CKVDocTemplate::CKVDocTemplate(UINT resourceId, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                               CRuntimeClass* viewClass)
    : CMultiDocTemplate(resourceId, documentClass, frameClass, viewClass) {
    liveTemplates().push_back(this);
}

CKVDocTemplate::~CKVDocTemplate() { std::erase(liveTemplates(), this); }

std::vector<CKVDocTemplate*> CKVDocTemplate::GetTemplates() { return liveTemplates(); }

void CKVDocTemplate::SetCrashCopyFlag(bool crashCopy) {
    recordCall(L"CKVDocTemplate::SetCrashCopyFlag(" + std::wstring(boolText(crashCopy)) + L")");
    crashCopy_ = crashCopy;
}

CDocument* CKVDocTemplate::OpenDocumentFile(LPCWSTR pathName, BOOL makeVisible) {
    crashCopy_ = false;  // the flag serves one open, however it ends
    recordCall(L"CKVDocTemplate::OpenDocumentFile(" + quoted(pathName) + L", " + boolText(makeVisible != FALSE) + L")");
    if (injectedFault(pathName) == DocumentOpenFault::Exception) {
        recordWarning(L"opening " + quoted(pathName) + L" throws (injected)");
        AfxThrowFileException(CFileException::hardIO, static_cast<LONG>(ERROR_INVALID_DATA), pathName);
    }
    if (!isFile(pathName)) return nullptr;

    CDocument* document = CreateNewDocument();
    if (!document) return nullptr;
    if (!document->OnOpenDocument(pathName)) {
        RemoveDocument(document);
        delete document;
        return nullptr;
    }
    document->SetPathName(pathName);
    return document;
}

// Document manager of the application

CWSDocManager::CWSDocManager() : KorvoProfileItem(L"DocumentManager") {}
CWSDocManager::~CWSDocManager() = default;

// The kernel's document list

namespace Korvo {

// Never destroyed: documents leave the list from their destructors, whenever those run.
DocumentManager& DocumentManager::Instance() {
    static auto* instance = new DocumentManager();
    return *instance;
}

std::vector<CKvw32Doc*> DocumentManager::GetDocuments() const { return documents_; }

CKvw32Doc* DocumentManager::FindDocument(LPCWSTR path) const {
    if (!path) return nullptr;
    const auto it = std::find_if(documents_.begin(), documents_.end(), [&](CKvw32Doc* document) {
        return platform::core::equalsNoCase(document->GetPathName().view(), path);
    });
    return it == documents_.end() ? nullptr : *it;
}

CKvw32Doc* DocumentManager::CreateAndSaveNewDocumentFromPrototype(LPCWSTR path) {
    recordCall(L"Korvo::DocumentManager::CreateAndSaveNewDocumentFromPrototype(" + quoted(path) + L")");
    return nullptr;
}

void DocumentManager::AddDocument(CKvw32Doc* document) {
    if (document && std::find(documents_.begin(), documents_.end(), document) == documents_.end())
        documents_.push_back(document);
}

void DocumentManager::RemoveDocument(CKvw32Doc* document) { std::erase(documents_, document); }

}  // namespace Korvo

void CKVExtractedObjectsCollector::DropUnreferenced() { recordCall(L"CKVExtractedObjectsCollector::DropUnreferenced()"); }
