#include "app/korvo_app.h"

#include "mainframe/generate_dump_file_app_context.h"
#include "app/automation/kv_server.h"

namespace {

// Runs one of the framework's entry points with a crash-dump context on the stack; an exception
// that escapes it ends the entry point with 0, and the log says so.
template <class F>
int RunGuarded(const wchar_t* name, F&& entry) {
    try {
        GenerateDumpFileAppContext context;
        return entry();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    KVLog_WriteF(8, L"%s ended by an exception", name);
    return 0;
}

// Decrements on every way out of a pump step, exceptions included.
class PumpDepthScope {
public:
    explicit PumpDepthScope(std::uint32_t& depth) : depth_(depth) { ++depth_; }
    ~PumpDepthScope() { --depth_; }
    PumpDepthScope(const PumpDepthScope&) = delete;
    PumpDepthScope& operator=(const PumpDepthScope&) = delete;

private:
    std::uint32_t& depth_;
};

class ModalBoxScope {
public:
    ModalBoxScope() { UIModuleProxy::Instance().NotifyModalBoxBegin(); }
    ~ModalBoxScope() { UIModuleProxy::Instance().NotifyModalBoxEnd(); }
    ModalBoxScope(const ModalBoxScope&) = delete;
    ModalBoxScope& operator=(const ModalBoxScope&) = delete;
};

}  // namespace

KorvoApp::KorvoApp() : m_serverAppProxy(std::make_unique<ServerAppProxy>(this)) { EnableHtmlHelp(); }

KorvoApp::~KorvoApp() { m_serverAppProxy.reset(); }

BOOL KorvoApp::InitInstance() {
    return RunGuarded(L"CKvw32App::InitInstance", [this] { return CKvw32App::InitInstance(); });
}

int KorvoApp::Run() {
    return RunGuarded(L"CKvw32App::Run", [this] { return CKvw32App::Run(); });
}

int KorvoApp::ExitInstance() {
    return RunGuarded(L"CKvw32App::ExitInstance", [this] { return ExitInstanceBody(); });
}

BOOL KorvoApp::PumpMessage() {
    PumpDepthScope depth(m_pumpDepth);
    return CKvw32App::PumpMessage();
}

BOOL KorvoApp::PreTranslateMessage(MSG* message) {
    return RunGuarded(L"CKvw32App::PreTranslateMessage", [this, message] { return CKvw32App::PreTranslateMessage(message); });
}

int KorvoApp::DoMessageBox(LPCWSTR prompt, UINT type, UINT helpId) {
    ModalBoxScope modal;
    return CKvw32App::DoMessageBox(prompt, type, helpId);
}

CDocument* KorvoApp::OpenDocumentFile(LPCWSTR path) {
    CWaitCursor wait;
    if (m_openingStartupShellCommand) {
        // The document named on the command line goes to the 2D annotation module.
        m_openingStartupShellCommand = false;
        return AnnotateModuleProxy::OpenDocument(path, 0, -1, 0);
    }
    return CKvw32App::OpenDocumentFile(path);
}

CString KorvoApp::GetVersionText() const { return {}; }

// The program's static objects, in this order: the application (with its kernel callback
// object), then the factory of the automation class.
KorvoApp theApp;

namespace {

const CLSID kKVServerStaticClassId{0x34FF1B92, 0x6F6F, 0x11D0, {0x81, 0xC9, 0x00, 0x4F, 0x56, 0x00, 0x9C, 0x20}};
COleObjectFactory g_kvServerFactory(kKVServerStaticClassId, RUNTIME_CLASS(KVServer), FALSE, L"KVW32.SERVER");

}  // namespace
