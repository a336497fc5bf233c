#include "platform/mfc/object.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "platform/mfc/app/app.h"

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

CRuntimeClass* CObject::GetThisClass() { return const_cast<CRuntimeClass*>(&classCObject); }

CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

void CObject::Dump(CDumpContext& dc) const {
    const char* name = GetRuntimeClass()->m_lpszClassName;
    dc << std::wstring(name, name + std::strlen(name)).c_str();
}

CDumpContext& CDumpContext::operator<<(const wchar_t* text) {
    if (text) m_text += text;
    return *this;
}

CDumpContext& CDumpContext::operator<<(int value) {
    m_text += std::to_wstring(value);
    return *this;
}

CDumpContext& CDumpContext::operator<<(unsigned value) {
    m_text += std::to_wstring(value);
    return *this;
}

CDumpContext& CDumpContext::operator<<(double value) {
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%.10g", value);
    m_text += buffer;
    return *this;
}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    if (!base) return FALSE;
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base) return TRUE;
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)

BOOL CException::GetErrorMessage(LPWSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    const CString text = GetErrorText();
    if (buffer && maxChars > 0) {
        const std::size_t n = std::min(static_cast<std::size_t>(text.GetLength()), static_cast<std::size_t>(maxChars - 1));
        std::wmemcpy(buffer, text.GetString(), n);
        buffer[n] = L'\0';
    }
    return text.IsEmpty() ? FALSE : TRUE;
}

int CException::ReportError(UINT type, UINT messageId) const {
    CString text = GetErrorText();
    if (text.IsEmpty() && (messageId == 0 || !text.LoadString(messageId))) text = L"No error message is available.";
    return AfxMessageBox(text, type);
}

void CException::Delete() { delete this; }

CString CFileException::GetErrorText() const {
    const CString name = m_strFileName.IsEmpty() ? CString(L"an unnamed file") : m_strFileName;
    switch (m_cause) {
    case none: return {};
    case fileNotFound: return name + L" was not found.";
    case badPath: return name + L" contains an incorrect path.";
    case tooManyOpenFiles: return L"Could not open " + name + L" because there are too many open files.";
    case accessDenied: return L"Access to " + name + L" was denied.";
    case invalidFile: return L"An unsupported operation was attempted on " + name + L".";
    case removeCurrentDir: return name + L" could not be removed because it is the current directory.";
    case directoryFull: return name + L" could not be created because the directory is full.";
    case badSeek: return L"Seek failed on " + name + L".";
    case hardIO: return L"A hardware I/O error was reported while accessing " + name + L".";
    case sharingViolation: return L"A sharing violation occurred while accessing " + name + L".";
    case lockViolation: return L"A locking violation occurred while accessing " + name + L".";
    case diskFull: return L"Disk full while accessing " + name + L".";
    case endOfFile: return L"An attempt was made to access " + name + L" past its end.";
    default: return L"An unexpected error occurred while accessing " + name + L".";
    }
}

int CFileException::OsErrorToException(LONG osError) {
    switch (static_cast<DWORD>(osError)) {
    case 0: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND: return badPath;
    case 4: return tooManyOpenFiles;  // ERROR_TOO_MANY_OPEN_FILES
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case 33: return lockViolation;  // ERROR_LOCK_VIOLATION
    case 112: return diskFull;      // ERROR_DISK_FULL
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowFileException(int cause, LONG osError, LPCWSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}
