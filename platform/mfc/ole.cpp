#include "platform/mfc/ole.h"

#include <algorithm>
#include <atomic>
#include <mutex>

#include "platform/core/api_text.h"
#include "platform/core/command_line.h"
#include "platform/core/hex_digits.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/doc.h"
#include "platform/mfc/control.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/files/registry.h"
#include "platform/win32/process/system.h"

IMPLEMENT_DYNAMIC(COleObjectFactory, CCmdTarget)
IMPLEMENT_DYNAMIC(COleTemplateServer, COleObjectFactory)

namespace {

struct FactoryList {
    std::mutex mutex;
    std::vector<COleObjectFactory*> factories;
};

FactoryList& factoryList() {
    static auto* list = new FactoryList;  // static factories register before and leave after main
    return *list;
}

struct OleState {
    std::atomic<bool> userCtrl{true};
    std::atomic<long> lockCount{0};
};

OleState& oleState() {
    static OleState state;
    return state;
}

int hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool parseHex(std::wstring_view text, std::size_t digits, std::uint64_t& value) {
    if (text.size() < digits) return false;
    value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return true;
}

// The program as a local server would be started: its path, quoted when it holds a blank.
std::wstring serverCommand(const wchar_t* switches) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return platform::core::quoteArgument(path) + std::wstring(platform::core::viewOf(switches));
}

bool writeEntries(const std::vector<std::pair<std::wstring, std::wstring>>& entries) {
    bool ok = true;
    for (const auto& [key, value] : entries) {
        if (!platform::mfc::detail::setRegistryDefault(HKEY_CLASSES_ROOT, key, value)) {
            platform::core::journal().add("warning", L"registry entry not written: HKEY_CLASSES_ROOT\\" + key);
            ok = false;
        }
    }
    return ok;
}

bool removeKeys(const std::vector<std::wstring>& keys) {
    bool ok = true;
    for (const std::wstring& key : keys) {
        const LONG result = platform::mfc::detail::deleteRegistryTree(HKEY_CLASSES_ROOT, key);
        if (result != ERROR_SUCCESS && result != static_cast<LONG>(ERROR_FILE_NOT_FOUND)) ok = false;
    }
    return ok;
}

}  // namespace

// ---- GUIDs -----------------------------------------------------------------------------------

namespace platform::mfc {

std::optional<GUID> parseGuid(std::wstring_view text) {
    if (text.size() == 38 && text.front() == L'{' && text.back() == L'}') text = text.substr(1, 36);
    if (text.size() != 36 || text[8] != L'-' || text[13] != L'-' || text[18] != L'-' || text[23] != L'-') {
        return std::nullopt;
    }
    GUID guid;
    std::uint64_t value = 0;
    if (!parseHex(text.substr(0), 8, value)) return std::nullopt;
    guid.Data1 = static_cast<DWORD>(value);
    if (!parseHex(text.substr(9), 4, value)) return std::nullopt;
    guid.Data2 = static_cast<WORD>(value);
    if (!parseHex(text.substr(14), 4, value)) return std::nullopt;
    guid.Data3 = static_cast<WORD>(value);
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t at = i < 2 ? 19 + 2 * i : 24 + 2 * (i - 2);
        if (!parseHex(text.substr(at), 2, value)) return std::nullopt;
        guid.Data4[i] = static_cast<BYTE>(value);
    }
    return guid;
}

// Registering the program writes a key per class and interface: written digit by digit, not
// through the general formatter.
std::wstring formatGuid(const GUID& guid) {
    std::wstring text(38, L'-');  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    text.front() = L'{';
    text.back() = L'}';
    wchar_t* out = platform::core::putUpperHex(text.data() + 1, guid.Data1, 8) + 1;
    out = platform::core::putUpperHex(out, guid.Data2, 4) + 1;
    out = platform::core::putUpperHex(out, guid.Data3, 4) + 1;
    out = platform::core::putUpperHex(out, guid.Data4[0], 2);
    out = platform::core::putUpperHex(out, guid.Data4[1], 2) + 1;
    for (int i = 2; i < 8; ++i) out = platform::core::putUpperHex(out, guid.Data4[i], 2);
    return text;
}

}  // namespace platform::mfc

HRESULT CLSIDFromString(LPCWSTR lpsz, CLSID* pclsid) {
    if (pclsid == nullptr) return E_INVALIDARG;
    if (lpsz == nullptr) return CO_E_CLASSSTRING;
    const std::wstring_view text = lpsz;
    if (text.size() != 38 || text.front() != L'{') return CO_E_CLASSSTRING;
    const auto guid = platform::mfc::parseGuid(text);
    if (!guid) return CO_E_CLASSSTRING;
    *pclsid = *guid;
    return S_OK;
}

int StringFromGUID2(REFGUID rguid, LPWSTR lpsz, int cchMax) {
    const std::wstring text = platform::mfc::formatGuid(rguid);
    const int needed = static_cast<int>(text.size()) + 1;
    if (lpsz == nullptr || cchMax < needed) return 0;
    std::copy(text.begin(), text.end(), lpsz);
    lpsz[text.size()] = L'\0';
    return needed;
}

// ---- COleObjectFactory -----------------------------------------------------------------------

COleObjectFactory::COleObjectFactory() {
    auto& list = factoryList();
    std::lock_guard lock(list.mutex);
    list.factories.push_back(this);
}

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                                     LPCWSTR lpszProgID)
    : COleObjectFactory() {
    m_clsid = clsid;
    m_pRuntimeClass = pRuntimeClass;
    m_bMultiInstance = bMultiInstance;
    m_lpszProgID = lpszProgID;
}

COleObjectFactory::~COleObjectFactory() {
    auto& list = factoryList();
    std::lock_guard lock(list.mutex);
    list.factories.erase(std::remove(list.factories.begin(), list.factories.end(), this), list.factories.end());
}

std::vector<COleObjectFactory*> COleObjectFactory::Factories() {
    auto& list = factoryList();
    std::lock_guard lock(list.mutex);
    return list.factories;
}

COleObjectFactory* COleObjectFactory::FindByProgID(LPCWSTR lpszProgID) {
    if (lpszProgID == nullptr) return nullptr;
    for (COleObjectFactory* factory : Factories()) {
        if (!factory->m_lpszProgID.IsEmpty() && platform::core::equalsNoCase(factory->m_lpszProgID.view(), lpszProgID)) {
            return factory;
        }
    }
    return nullptr;
}

COleObjectFactory* COleObjectFactory::FindByClassID(REFCLSID clsid) {
    for (COleObjectFactory* factory : Factories()) {
        if (factory->m_clsid == clsid) return factory;
    }
    return nullptr;
}

BOOL COleObjectFactory::Register() {
    m_bRegistered = TRUE;
    return TRUE;
}

void COleObjectFactory::Revoke() { m_bRegistered = FALSE; }

LPDISPATCH COleObjectFactory::CreateInstance() {
    if (m_pRuntimeClass == nullptr) return nullptr;
    CObject* object = m_pRuntimeClass->CreateObject();
    auto* target = dynamic_cast<CCmdTarget*>(object);
    if (target == nullptr) {
        delete object;
        return nullptr;
    }
    LPDISPATCH dispatch = target->GetIDispatch(TRUE);
    // The object's own first reference goes; the client's keeps it alive (or nothing does).
    target->InternalRelease();
    return dispatch;
}

BOOL COleObjectFactory::RegisterAll() {
    BOOL result = TRUE;
    for (COleObjectFactory* factory : Factories()) {
        if (!factory->Register()) result = FALSE;
    }
    return result;
}

void COleObjectFactory::RevokeAll() {
    for (COleObjectFactory* factory : Factories()) factory->Revoke();
}

BOOL COleObjectFactory::UpdateRegistryAll(BOOL bRegister) {
    BOOL result = TRUE;
    for (COleObjectFactory* factory : Factories()) {
        if (!factory->UpdateRegistry(bRegister)) result = FALSE;
    }
    return result;
}

BOOL COleObjectFactory::UpdateRegistry(BOOL bRegister) {
    if (m_lpszProgID.IsEmpty()) return TRUE;  // nothing to register under
    if (!bRegister) {
        return removeKeys({m_lpszProgID.str(), L"CLSID\\" + platform::mfc::formatGuid(m_clsid)}) ? TRUE : FALSE;
    }
    UpdateRegistry(m_lpszProgID.GetString());
    return TRUE;
}

void COleObjectFactory::UpdateRegistry(LPCWSTR lpszProgID) {
    const std::wstring progId = lpszProgID != nullptr ? lpszProgID : m_lpszProgID.str();
    if (progId.empty()) return;
    const std::wstring clsidKey = L"CLSID\\" + platform::mfc::formatGuid(m_clsid);
    writeEntries({{progId, progId},
                  {progId + L"\\CLSID", platform::mfc::formatGuid(m_clsid)},
                  {clsidKey, progId},
                  {clsidKey + L"\\ProgID", progId},
                  {clsidKey + L"\\LocalServer32", serverCommand(L" /Automation")}});
}

// ---- COleTemplateServer ----------------------------------------------------------------------

COleTemplateServer::COleTemplateServer() = default;

void COleTemplateServer::ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance) {
    m_clsid = clsid;
    m_pDocTemplate = pDocTemplate;
    m_bMultiInstance = bMultiInstance;
    m_pRuntimeClass = pDocTemplate != nullptr ? pDocTemplate->GetDocClass() : nullptr;
    CString typeId;
    if (pDocTemplate != nullptr && pDocTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId)) {
        m_lpszProgID = typeId;
    }
}

void COleTemplateServer::UpdateRegistry(OLE_APPTYPE nAppType, LPCWSTR*, LPCWSTR*, BOOL bRegister) {
    CString typeId;
    if (m_pDocTemplate == nullptr || !m_pDocTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId)) {
        platform::core::journal().add("warning",
                                      L"document server not registered: the template names no file type id");
        return;
    }
    CString longName;
    if (!m_pDocTemplate->GetDocString(longName, CDocTemplate::regFileTypeName)) longName = typeId;
    CString shortName;
    if (!m_pDocTemplate->GetDocString(shortName, CDocTemplate::fileNewName)) shortName = longName;
    const std::wstring clsidKey = L"CLSID\\" + platform::mfc::formatGuid(m_clsid);
    const std::wstring progId = typeId.str();
    if (!bRegister) {
        removeKeys({progId, clsidKey});
        return;
    }
    const std::wstring server = serverCommand(nAppType == OAT_DISPATCH_OBJECT ? L" /Automation" : nullptr);
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    const LPCWSTR appName = AfxGetAppName();
    std::vector<std::pair<std::wstring, std::wstring>> entries = {
        {progId, longName.str()},
        {progId + L"\\CLSID", platform::mfc::formatGuid(m_clsid)},
        {clsidKey, longName.str()},
        {clsidKey + L"\\ProgID", progId},
        {clsidKey + L"\\LocalServer32", server},
        {clsidKey + L"\\AuxUserType\\2", shortName.str()},
        {clsidKey + L"\\AuxUserType\\3", appName != nullptr ? appName : L""},
        {clsidKey + L"\\DefaultIcon", program + L",0"},
    };
    if (nAppType == OAT_INPLACE_SERVER || nAppType == OAT_SERVER || nAppType == OAT_DOC_OBJECT_SERVER) {
        entries.push_back({clsidKey + L"\\InprocHandler32", L"ole32.dll"});
        entries.push_back({clsidKey + L"\\verb\\0", L"&Edit,0,2"});
        entries.push_back({clsidKey + L"\\verb\\1", L"&Open,0,2"});
        entries.push_back({progId + L"\\protocol\\StdFileEditing\\server", program});
        entries.push_back({progId + L"\\protocol\\StdFileEditing\\verb\\0", L"&Edit"});
    }
    writeEntries(entries);
}

BOOL COleTemplateServer::UpdateRegistry(BOOL bRegister) {
    UpdateRegistry(OAT_INPLACE_SERVER, nullptr, nullptr, bRegister);
    return TRUE;
}

// ---- Application-wide OLE state --------------------------------------------------------------

BOOL AfxOleInit() {
    platform::mfc::detail::flags().oleInitialized = true;
    return TRUE;
}

void AfxOleSetUserCtrl(BOOL bUserCtrl) { oleState().userCtrl = bUserCtrl != FALSE; }
BOOL AfxOleGetUserCtrl() { return oleState().userCtrl ? TRUE : FALSE; }

void AfxOleLockApp() { ++oleState().lockCount; }

void AfxOleUnlockApp() {
    if (oleState().lockCount <= 0) return;
    if (--oleState().lockCount != 0) return;
    // The last object is gone: an application the user does not control ends.
    if (AfxOleGetUserCtrl()) return;
    AfxOleSetUserCtrl(TRUE);
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr) {
        if (app->m_pMainWnd->IsWindowEnabled()) app->m_pMainWnd->DestroyWindow();
    } else {
        AfxPostQuitMessage(0);
    }
}

BOOL AfxOleCanExitApp() { return oleState().lockCount == 0 ? TRUE : FALSE; }

namespace platform::mfc {
LONG oleLockCount() { return static_cast<LONG>(oleState().lockCount); }
}  // namespace platform::mfc
