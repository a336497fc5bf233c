// The seven kinds of user command.
#pragma once

#include "commandbars/usercommands/user_command.h"

// A kind whose own field is one string, kept in the stream the same way by every such kind.
class CKVOneFieldUserCommand : public CKVUserCommand {
public:
    bool Write(kvio::IWriteStream& stream) const override;
    bool Read(kvio::IReadStream& stream) override;
    // The kind's field.
    virtual CString& Field() = 0;
    const CString& Field() const { return const_cast<CKVOneFieldUserCommand*>(this)->Field(); }
};

class CKVMacroUserCommand : public CKVOneFieldUserCommand {
public:
    void SaveToRegistry(HKEY key) const override;
    void LoadFromRegistry(HKEY key) override;
    bool Execute() override;
    UINT GetType() const override { return 1; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;
    CString& Field() override { return Macro; }

    CString Macro;
};

class CKVExternalAppUserCommand : public CKVUserCommand {
public:
    void SaveToRegistry(HKEY key) const override;
    void LoadFromRegistry(HKEY key) override;
    bool Write(kvio::IWriteStream& stream) const override;
    bool Read(kvio::IReadStream& stream) override;
    bool Execute() override;
    UINT GetType() const override { return 2; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;

    CString App;
    CString Args;
    DWORD Wait = 0;

private:
    // Waits for the started program while the frame's messages are pumped; false when the
    // application quits meanwhile.
    static bool WaitForProgram(HANDLE process);
};

// A kind whose field is a path, kept with its library reference in the registry.
class CKVPathUserCommand : public CKVOneFieldUserCommand {
public:
    void SaveToRegistry(HKEY key) const override;
    void LoadFromRegistry(HKEY key) override;

protected:
    virtual LPCWSTR FieldName() const = 0;
};

class CKVOpenFileUserCommand : public CKVPathUserCommand {
public:
    bool Execute() override;
    UINT GetType() const override { return 3; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;
    CString& Field() override { return File; }

    CString File;

protected:
    LPCWSTR FieldName() const override { return L"File"; }
};

class CKVOpenFolderUserCommand : public CKVPathUserCommand {
public:
    bool Execute() override;
    UINT GetType() const override { return 4; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;
    CString& Field() override { return Folder; }

    CString Folder;

protected:
    LPCWSTR FieldName() const override { return L"Folder"; }
};

class CKVOpenLibraryUserCommand : public CKVUserCommand {
public:
    void SaveToRegistry(HKEY key) const override;
    void LoadFromRegistry(HKEY key) override;
    bool Write(kvio::IWriteStream& stream) const override;
    bool Read(kvio::IReadStream& stream) override;
    bool Execute() override;
    UINT GetType() const override { return 5; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;

    CString Library;
    DWORD Mode = 0;
};

class CKVFragmentUserCommand : public CKVPathUserCommand {
public:
    CKVFragmentUserCommand() = default;
    // A command for a dropped fragment file: path and icon the file, prompt and tooltip its
    // display name.
    explicit CKVFragmentUserCommand(const CString& path);

    bool Execute() override;
    UINT GetType() const override { return 6; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;
    CString& Field() override { return Path; }

    // The text after the first ">" that follows a "<" (else the whole path), cut before the first
    // ".grb", or else the first ".grs".
    static CString DisplayName(const CString& path);

    CString Path;

protected:
    LPCWSTR FieldName() const override { return L"Path"; }
};

class CKVCreateDocumentUserCommand : public CKVPathUserCommand {
public:
    bool Execute() override;
    UINT GetType() const override { return 7; }
    CString GetText() const override;
    bool Edit(CWnd* owner) override;
    CString& Field() override { return Prototype; }

    CString Prototype;

protected:
    LPCWSTR FieldName() const override { return L"Prototype"; }
};
