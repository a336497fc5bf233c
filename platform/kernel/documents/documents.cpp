#include "platform/kernel/documents/documents.h"
#include "platform/kernel/ui/command_runner.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <optional>

#include "platform/core/api_text.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/error_messages.h"
#include "platform/kernel/documents/fragment_path.h"
#include "platform/kernel/profiles/profiles.h"
#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/documents/compound_file.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/record.h"
#include "platform/kernel/techreq/store.h"
#include "platform/kernel/services/serverapp.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/win32/files/file.h"

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

CKvw32Doc::CKvw32Doc() : errors_(std::make_unique<ContainerErrors>(this)) {
    // The kernel keeps a document's messages from its creation on: the first activation already
    // shows the (empty) list in the error window.
    EnableAutomation();
    Korvo::DocumentManager::Instance().AddDocument(this);
}

const platform::mfc::DispatchMap* CKvw32Doc::GetDispatchMap() const {
    using platform::mfc::dispatchFunction;
    static const platform::mfc::DispatchMap map{{
        dispatchFunction<&CKvw32Doc::GetFullName>(L"FullName"),
        dispatchFunction<&CKvw32Doc::GetName>(L"Name"),
        dispatchFunction<&CKvw32Doc::GetReadOnlyProperty>(L"ReadOnly"),
        dispatchFunction<&CKvw32Doc::GetModifiedProperty>(L"Modified"),
    }};
    return &map;
}

BSTR CKvw32Doc::GetFullName() { return SysAllocString(GetPathName().GetString()); }
BSTR CKvw32Doc::GetName() { return SysAllocString(GetTitle().GetString()); }
short CKvw32Doc::GetReadOnlyProperty() { return IsReadOnly() ? 1 : 0; }
short CKvw32Doc::GetModifiedProperty() { return IsModified() ? 1 : 0; }

void CKvw32Doc::UpdateReadOnlyState() {
    if (GetPathName().IsEmpty()) return;
    const DWORD attributes = ::GetFileAttributesW(GetPathName().GetString());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetReadOnly((attributes & FILE_ATTRIBUTE_READONLY) != 0);
}

void CKvw32Doc::InitContents() { platform::core::recordCall(L"CKvw32Doc::InitContents()"); }

void CKvw32Doc::SaveAfterCreatingIfNeed() {
    platform::core::recordCall(L"CKvw32Doc::SaveAfterCreatingIfNeed(" + documentText(this) + L"): not needed");
}

void CKvw32Doc::OnClosePartialDocument() { platform::core::recordCall(L"CKvw32Doc::OnClosePartialDocument()"); }

CKvw32Doc::~CKvw32Doc() {
    // A command still running on the document ends before the document goes.
    KVCommandRunner::End(this);
    Korvo::DocumentManager::Instance().RemoveDocument(this);
    platform::kernel::forgetProfiles(this);
    // The application hears of every document that goes away.
    if (KorvoServerAppProxy* application = KorvoServerAppProxy::Instance()) application->OnDocumentClosed(this);
}

KVCameraObject* CKvw32Doc::AddCamera(const CString& name) {
    cameras_.push_back(std::make_unique<KVCameraObject>(cameras_.size() + 1, name));
    return cameras_.back().get();
}

KVCameraObject* CKvw32Doc::Get3DObjectByID(std::uint64_t id) const {
    for (const auto& camera : cameras_)
        if (camera->GetID() == id) return camera.get();
    return nullptr;
}

BOOL CKvw32Doc::OnOpenDocument(LPCWSTR pathName) {
    if (injectedFault(pathName) == DocumentOpenFault::NullResult) {
        recordWarning(L"opening " + quoted(pathName) + L" fails (injected)");
        return FALSE;
    }
    KVDocumentFileInfo info;
    if (!ReadDocumentFileInfo(SharedPathName(pathName), info, lastOpenFailure_)) return FALSE;
    if (!ReadModel(pathName)) {
        lastOpenFailure_ = STG_E_INVALIDHEADER;
        return FALSE;
    }
    heldFile_ = platform::files::OpenFileHold(pathName);
    SetModifiedFlag(FALSE);
    return TRUE;
}

bool CKvw32Doc::ReadModel(LPCWSTR pathName) {
    const platform::kernel::CompoundRead read = platform::kernel::readCompoundDocument(pathName);
    if (read.streams) {
        const auto model = read.streams->find(platform::kernel::kModelStreamName);
        std::wstring problem;
        if (model != read.streams->end() &&
            !platform::kernel::ReadModelStream(model->second, pathName, *this, problem)) {
            recordWarning(problem);
            return false;
        }
    }
    // A file that names no id of its own gets one from its path, the same in every run.
    if (GetGuid() == GUID{}) SetGuid(platform::kernel::guidOfText(platform::core::foldCase(pathName)));
    return true;
}

bool CKvw32Doc::ReportSaveLoadExceptionBlocked() { return platform::kernel::control().reportSaveLoadExceptionBlocked; }

void CKvw32Doc::BlockEditing(int block, int reason, int flags) {
    recordCall(platform::format(L"CKvw32Doc::BlockEditing(%s, %d, %d, %d)", documentText(this), block, reason, flags));
    editingBlocked_ = block != 0;
}

bool CKvw32Doc::Import(LPCWSTR path, int mode) {
    recordCall(platform::format(L"CKvw32Doc::Import(%s, %s, %d)", documentText(this), quoted(path), mode));
    return platform::kernel::control().documentImportSucceeds;
}

void CKvw32Doc::PushAction(int kind, UINT key, UINT modifiers) {
    recordCall(platform::format(L"CKvw32Doc::PushAction(%s, %d, %u, %u)", documentText(this), kind, key, modifiers));
}

void CKvw32Doc::PushAction(UINT command, const CString& text) {
    recordCall(platform::format(L"CKvw32Doc::PushAction(%s, command %u, %s)", documentText(this), command,
                                quoted(text.GetString()).c_str()));
}

CView* CKvw32Doc::GetActiveView() const {
    for (CView* view : GetViews()) {
        CFrameWnd* frame = view->GetParentFrame();
        if (frame && frame->GetActiveView() == view) return view;
    }
    return GetViews().empty() ? nullptr : GetViews().front();
}

int CKVBaseView::GetCurrentPage() const {
    if (page_ != 0) return page_;
    const auto* document = dynamic_cast<const CKvw32Doc*>(GetDocument());
    if (!document || document->Cont2D()->GetPageIds().empty()) return 0;
    return document->Cont2D()->GetPageIds().front();
}

bool CKvw32Doc::LockDocumentFile(LPCWSTR path) {
    recordCall(L"CKvw32Doc::LockDocumentFile(" + quoted(path) + L")");
    if (!isFile(path)) return false;
    lockedFile_ = path;
    // The document holds its real file from now on, no longer the copy it was read from.
    heldFile_ = platform::files::OpenFileHold(path);
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

IMPLEMENT_DYNAMIC(CKVBaseView, CView)

IMPLEMENT_DYNCREATE(CKVView, CKVBaseView)

BEGIN_MESSAGE_MAP(CKVView, CKVBaseView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CKVView::OnFilePrint)
    ON_MESSAGE(1387, &CKVView::OnViewCommandMessage)
    ON_COMMAND(0xFFFC, &CKVView::OnLeaderLinkChanged)
END_MESSAGE_MAP()

void CKVView::OnLeaderLinkChanged() {
    platform::kernel::recordCall(L"CKVView::OnLeaderLinkChanged(the running leader placement takes the new link)");
}

void CKVView::OnCommandControlSelected(int id) {
    platform::kernel::recordCall(L"CKVView::OnCommandControlSelected(" + std::to_wstring(id) + L")");
}

bool CKVView::SelectObject(int index) {
    platform::kernel::recordCall(L"CKVView::SelectObject(" + std::to_wstring(index) + L")");
    auto* document = dynamic_cast<CKvw32Doc*>(GetDocument());
    KVDocument* objects = document ? document->Cont2D() : nullptr;
    if (!objects || index < 0 || index >= objects->GetObjectCount() || !objects->GetSafeObject(index)) return false;
    document->GetStoreSelection()->Set({index});
    return true;
}

CFragmentPath& CFragmentPath::Application() {
    static CFragmentPath record;
    return record;
}

namespace {

std::wstring numberText(double value) {
    std::wostringstream text;
    text << std::setprecision(15) << value;
    return text.str();
}

void recordInsertion(const wchar_t* call, const CFragmentPath* record) {
    std::wstring text = std::wstring(call) + L"(" +
                        (record->HasPath() ? platform::core::quoted(record->GetPath().GetString()) : std::wstring(L"null"));
    if (!record->GetLinkText().IsEmpty()) text += L", link " + platform::core::quoted(record->GetLinkText().GetString());
    for (const CFragmentVariable& variable : record->GetVariables())
        text += L", " + std::wstring(variable.GetName().GetString()) + L"=" +
                (variable.IsNumber() ? numberText(variable.GetNumber())
                                     : platform::core::quoted(variable.GetText().GetString()));
    if (record->HasNomenclature()) text += L", nomenclature";
    const POINT point = record->GetDropPoint();
    text += L", at " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y) + L")";
    platform::kernel::recordCall(text);
}

}  // namespace

LRESULT CKVView::OnViewCommandMessage(WPARAM command, LPARAM lParam) {
    // 1211 (a fragment command) and 1609 (a dropped file): insert the fragment of the record.
    if (command != 1211 && command != 1609) {
        recordCall(L"CKVView::OnViewCommand(" + std::to_wstring(command) + L")");
        return 1;
    }
    const auto* record = reinterpret_cast<const CFragmentPath*>(lParam);
    if (!record) return 0;
    recordInsertion(L"CKVView::InsertFragment", record);
    return 1;
}

void CKVView::InsertFragment(const CFragmentPath& record) { recordInsertion(L"CKVView::InsertFragment", &record); }

void CKVView::InsertFragmentAsImage(const CFragmentPath& record) {
    recordInsertion(L"CKVView::InsertFragmentAsImage", &record);
}

CKVBaseView* CKvw32Doc::GetActiveKVView() const { return dynamic_cast<CKVBaseView*>(GetActiveView()); }

CKvw32Doc* KVGetActiveDoc(CFrameWnd* frame) {
    if (!frame) return nullptr;
    CFrameWnd* active = frame->GetActiveFrame();
    return dynamic_cast<CKvw32Doc*>(active ? active->GetActiveDocument() : nullptr);
}

void KV3DContainer::ModelTreeIdle() const { platform::core::recordIdleCall(L"KV3DContainer::ModelTreeIdle()"); }

void CKVView::OnDraw(CDC*) {}

void CKVView::TestTerminateCommand(bool notify) {
    recordCall(std::wstring(L"CKVView::TestTerminateCommand(") + platform::core::boolText(notify) + L")");
}

void CKVView::OnObjectCommand(UINT id) {
    platform::kernel::recordCall(L"CKVView::OnObjectCommand(" + platform::kernel::documentText(GetDocument()) + L", " +
                                 std::to_wstring(id) + L")");
}

void CKVView::OnBeginPrinting(CDC*, CPrintInfo*) {
    recordCall(std::wstring(L"CKVView::OnBeginPrinting(direct print setting ") + platform::core::boolText(GetSettings().directPrint) + L")");
}

void CKVView::OnActivateView(BOOL activate, CView* activated, CView* deactivated) {
    CView::OnActivateView(activate, activated, deactivated);
    if (!activate) return;
    auto* document = dynamic_cast<CKvw32Doc*>(GetDocument());
    KorvoServerAppProxy* application = KorvoServerAppProxy::Instance();
    if (document && application) application->SetCurrentDocument(document);
}

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
    CreateDocumentFrame(document, makeVisible);
    return document;
}

CKvw32Doc* CKVDocTemplate::OpenNewDocument(BOOL makeVisible) {
    recordCall(L"CKVDocTemplate::OpenNewDocument()");
    auto* document = dynamic_cast<CKvw32Doc*>(CreateNewDocument());
    if (!document) return nullptr;
    SetDefaultTitle(document);
    ++m_nUntitledCount;
    document->OnNewDocument();
    CreateDocumentFrame(document, makeVisible);
    return document;
}

void CKVDocTemplate::AddMainFrame(CFrameWnd* frame) { mainFrames_.push_back(frame); }

void CKVDocTemplate::RemoveMainFrame(CFrameWnd* frame) {
    // The frame may be gone already (its close destroyed it): only its address is compared.
    const auto it = std::find(mainFrames_.rbegin(), mainFrames_.rend(), frame);
    if (it == mainFrames_.rend()) {
        platform::core::reportFailure(L"CKVDocTemplate::RemoveMainFrame: the frame is not registered");
        return;
    }
    mainFrames_.erase(std::next(it).base());
}

bool CKVDocTemplate::CreateDocumentFrame(CDocument* document, BOOL makeVisible) {
    Korvo::UI::MainFrame* mainFrame = UIModuleProxy::Instance().GetActiveMainFrame();
    CFrameWnd* parent = MainFrameWindow(mainFrame);
    if (!parent || !m_pFrameClass) {
        recordWarning(L"no main frame to show " + documentText(document) + L" in");
        return false;
    }
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    auto* frame = dynamic_cast<CFrameWnd*>(m_pFrameClass->CreateObject());
    if (!frame) return false;
    // A frame that fails to load deletes itself.
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, parent, &context)) return false;
    InitialUpdateFrame(frame, document, makeVisible);
    return true;
}

// Document manager of the application

CWSDocManager::CWSDocManager() : KorvoProfileItem(L"DocumentManager") {}

int CWSDocManager::LoadState() {
    platform::kernel::recordCall(L"CWSDocManager::LoadState()");
    return 0;
}
CWSDocManager::~CWSDocManager() = default;

void CWSDocManager::ClearRunningFlag() {
    platform::kernel::recordCall(L"CWSDocManager::ClearRunningFlag()");
    running_ = false;
}

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

namespace {

CKVDocTemplate* kernelTemplate() {
    const auto templates = liveTemplates();
    return templates.empty() ? nullptr : templates.back();
}

}  // namespace

CKvw32Doc* DocumentManager::Open(const SharedPathName& path, const DocInitParams& params) {
    recordCall(platform::format(L"Korvo::DocumentManager::Open(%s, visible %d, frame %d, recent %d, pdm %s)",
                                quoted(path.view()), params.options[DocInitParams::kOptionMakeVisible],
                                params.options[DocInitParams::kOptionCreateFrame],
                                params.options[DocInitParams::kOptionAddToRecentList], boolText(params.hasPdmContext)));
    if (CKvw32Doc* open = FindDocument(path)) return open;
    CKVDocTemplate* docTemplate = kernelTemplate();
    if (!docTemplate) return nullptr;
    auto* document = dynamic_cast<CKvw32Doc*>(
        docTemplate->OpenDocumentFile(path, params.options[DocInitParams::kOptionMakeVisible] ? TRUE : FALSE));
    if (document && params.options[DocInitParams::kOptionReadOnly]) document->SetReadOnly(true);
    return document;
}

CKvw32Doc* DocumentManager::CreateNewDocument(const SharedPathName& prototypePath, const DocInitParams& params) {
    recordCall(L"Korvo::DocumentManager::CreateNewDocument(" + quoted(prototypePath.view()) + L")");
    KVDocumentFileInfo info;
    HRESULT failure = S_OK;
    if (!ReadDocumentFileInfo(prototypePath, info, failure)) return nullptr;
    CKVDocTemplate* docTemplate = kernelTemplate();
    if (!docTemplate) return nullptr;
    return docTemplate->OpenNewDocument(params.options[DocInitParams::kOptionMakeVisible] ? TRUE : FALSE);
}

void DocumentManager::ActivateFirstFrame(CKvw32Doc* document) {
    recordCall(L"Korvo::DocumentManager::ActivateFirstFrame(" + documentText(document) + L")");
    if (document) document->ActivateFrame();
}

CKvw32Doc* DocumentManager::CreateAndSaveNewDocumentFromPrototype(LPCWSTR path) {
    recordCall(L"Korvo::DocumentManager::CreateAndSaveNewDocumentFromPrototype(" + quoted(path) + L")");
    return nullptr;
}

CKvw32Doc* DocumentManager::CreateAndSaveNewDocumentFromPrototype(LPCWSTR path, const DocInitParams& params) {
    recordCall(L"Korvo::DocumentManager::CreateAndSaveNewDocumentFromPrototype(" + quoted(path) + L", options " +
               std::to_wstring(params.options[0]) + L"," + std::to_wstring(params.options[1]) + L")");
    return nullptr;
}

void DocumentManager::AddDocument(CKvw32Doc* document) {
    if (document && std::find(documents_.begin(), documents_.end(), document) == documents_.end())
        documents_.push_back(document);
}

void DocumentManager::RemoveDocument(CKvw32Doc* document) { std::erase(documents_, document); }

}  // namespace Korvo

void CKVExtractedObjectsCollector::DropUnreferenced() { recordCall(L"CKVExtractedObjectsCollector::DropUnreferenced()"); }
