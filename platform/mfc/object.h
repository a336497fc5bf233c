// The framework's object root: run-time class information, dynamic creation and the exception
// types the framework throws.
#pragma once

#include <string>

#include "platform/mfc/cstring.h"
#include "platform/win32/types.h"

class CObject;

// Constant-initialised per class, so it can be used from static constructors in any order.
struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // A new object of this class, or nullptr when the class is not dynamically creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

// Where an object's diagnostic dump (CObject::Dump) is written: text the harness shows.
class CDumpContext {
public:
    CDumpContext& operator<<(const wchar_t* text);
    CDumpContext& operator<<(int value);
    CDumpContext& operator<<(unsigned value);
    CDumpContext& operator<<(double value);  // shortest form up to ten significant digits
    const std::wstring& GetText() const { return m_text; }

private:
    std::wstring m_text;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
    // Writes the object's state for diagnostics; the base writes its class name.
    virtual void Dump(CDumpContext& dc) const;

    static const CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                   \
public:                                               \
    static const CRuntimeClass class##class_name;     \
    static CRuntimeClass* GetThisClass();             \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define KORVO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, create)                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), \
                                                         0xFFFF, create, &base_class_name::class##base_class_name};    \
    CRuntimeClass* class_name::GetThisClass() { return const_cast<CRuntimeClass*>(&class_name::class##class_name); } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    KORVO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)               \
    CObject* class_name::CreateObject() { return new class_name; }      \
    KORVO_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

// The object as `class_name*` when it is of that run-time class (or derived), else nullptr.
#define DYNAMIC_DOWNCAST(class_name, object) (korvoDynamicDowncast<class_name>(object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

template <class T>
T* korvoDynamicDowncast(CObject* object) {
    return object && object->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<T*>(object) : nullptr;
}
template <class T>
const T* korvoDynamicDowncast(const CObject* object) {
    return object && object->IsKindOf(RUNTIME_CLASS(T)) ? static_cast<const T*>(object) : nullptr;
}

// Framework exceptions are thrown as pointers (`throw new CMemoryException`, `catch
// (CException* e) { e->Delete(); }`), as the framework does; the AfxThrow* helpers do that.
class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException() = default;
    // Text of the failure; FALSE when the exception has none.
    virtual BOOL GetErrorMessage(LPWSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
    virtual CString GetErrorText() const { return {}; }
    // Shows the error text in a message box (AfxMessageBox with `type`); without a text, string
    // `messageId`, else a fixed notice. Returns the box's answer.
    virtual int ReportError(UINT type = 0 /* MB_OK */, UINT messageId = 0) const;
    void Delete();
};

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CString GetErrorText() const override { return L"Out of memory."; }
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CString GetErrorText() const override { return L"A required resource was unavailable."; }
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CString GetErrorText() const override { return L"Encountered an improper argument."; }
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CString GetErrorText() const override { return L"Unsupported operation was attempted."; }
};

class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };
    explicit CFileException(int cause = none, LONG osError = -1, LPCWSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
    CString GetErrorText() const override;
    // The framework cause for a Windows error code.
    static int OsErrorToException(LONG osError);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCWSTR fileName = nullptr);
