// The framework's OLE server support at its least: object factories kept in one process-wide
// list, the document template server, their registry entries under HKEY_CLASSES_ROOT, and the
// application-wide OLE state (user control, lock count).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/cmdtarget.h"
#include "platform/mfc/cstring.h"
#include "platform/win32/types.h"

class CDocTemplate;
class COleDataObject;
class CWnd;

enum OLE_APPTYPE {
    OAT_UNKNOWN = -1,
    OAT_INPLACE_SERVER = 0,
    OAT_SERVER = 1,
    OAT_CONTAINER = 2,
    OAT_DISPATCH_OBJECT = 3,
    OAT_DOC_OBJECT_SERVER = 4,
    OAT_DOC_OBJECT_CONTAINER = 5
};

inline constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, any case) into *pclsid;
// CO_E_CLASSSTRING for anything else.
HRESULT CLSIDFromString(LPCWSTR lpsz, CLSID* pclsid);
// The braced upper-case form into lpsz; the characters written including the terminator, 0 when
// cchMax is too small.
int StringFromGUID2(REFGUID rguid, LPWSTR lpsz, int cchMax);

namespace platform::mfc {
// Accepts the form with or without braces, any case; nothing for anything else.
std::optional<GUID> parseGuid(std::wstring_view text);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::wstring formatGuid(const GUID& guid);
}  // namespace platform::mfc

// A class factory. Every factory enters the process-wide list when constructed (usually as a
// static object) and leaves it when destroyed.
class COleObjectFactory : public CCmdTarget {
    DECLARE_DYNAMIC(COleObjectFactory)
public:
    COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance, LPCWSTR lpszProgID);
    ~COleObjectFactory() override;

    REFCLSID GetClassID() const { return m_clsid; }
    LPCWSTR GetProgID() const { return m_lpszProgID.IsEmpty() ? nullptr : m_lpszProgID.GetString(); }
    BOOL IsRegistered() const { return m_bRegistered; }
    BOOL IsMultiInstance() const { return m_bMultiInstance; }

    // Makes the factory available to clients (recorded; the harness's automation client finds
    // registered factories).
    virtual BOOL Register();
    void Revoke();
    static BOOL RegisterAll();
    static void RevokeAll();
    // Every factory's UpdateRegistry(bRegister); FALSE when one failed.
    static BOOL UpdateRegistryAll(BOOL bRegister = TRUE);
    // Writes (or with FALSE removes) the factory's entries under its ProgID.
    virtual BOOL UpdateRegistry(BOOL bRegister);
    // Writes the automation server entries: <ProgID> (name), <ProgID>\CLSID, CLSID\{clsid}
    // (name), CLSID\{clsid}\ProgID and CLSID\{clsid}\LocalServer32 ("<program> /Automation").
    void UpdateRegistry(LPCWSTR lpszProgID = nullptr);

    // A new object of the factory's class with its dispatch interface, holding the caller's one
    // reference (IClassFactory::CreateInstance for IDispatch); null when the class makes no
    // automation object.
    virtual LPDISPATCH CreateInstance();
    // Factories alive, in construction order.
    static std::vector<COleObjectFactory*> Factories();
    static COleObjectFactory* FindByProgID(LPCWSTR lpszProgID);
    static COleObjectFactory* FindByClassID(REFCLSID clsid);

    CLSID m_clsid{};
    CRuntimeClass* m_pRuntimeClass = nullptr;
    BOOL m_bMultiInstance = FALSE;
    CString m_lpszProgID;
    BOOL m_bRegistered = FALSE;

protected:
    COleObjectFactory();
};

// Connects a document template to OLE as a document server.
class COleTemplateServer : public COleObjectFactory {
    DECLARE_DYNAMIC(COleTemplateServer)
public:
    COleTemplateServer();

    void ConnectTemplate(REFCLSID clsid, CDocTemplate* pDocTemplate, BOOL bMultiInstance);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // Writes the server entries named by the template's document strings (file type id and
    // name): <type id> (name), <type id>\CLSID, CLSID\{clsid} with ProgID, LocalServer32,
    // DefaultIcon, AuxUserType and verbs. Without a file type id nothing is written (a warning is
    // journalled).
    void UpdateRegistry(OLE_APPTYPE nAppType = OAT_INPLACE_SERVER, LPCWSTR* rglpszRegister = nullptr,
                        LPCWSTR* rglpszOverwrite = nullptr, BOOL bRegister = TRUE);
    BOOL UpdateRegistry(BOOL bRegister) override;

protected:
    CDocTemplate* m_pDocTemplate = nullptr;
};

BOOL AfxOleInit();
// Whether the user (not an automation client) controls the application; TRUE initially.
void AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AfxOleGetUserCtrl();
// Outstanding OLE objects keep the application running; the last unlock without user control
// closes the main window.
void AfxOleLockApp();
void AfxOleUnlockApp();
BOOL AfxOleCanExitApp();

// A window's OLE drop target: registered for one window at a time; revoked when the window goes
// or the object does.
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget() = default;
    ~COleDropTarget() override;
    // FALSE when the window is not a window or already has a drop target.
    BOOL Register(CWnd* pWnd);
    void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    // A drag entering the window (by default: as moving over it); the effect the drop would do.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point);
    // None by default.
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, POINT point);
    virtual void OnDragLeave(CWnd* pWnd);
    // TRUE when the data was taken; FALSE by default.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, POINT point);

private:
    HWND m_hWnd = nullptr;
};
