// One user-defined command: what it shows (prompt, tooltip, icon), its command id, and the kind
// that says what it does. The kinds keep their own fields in the registry and in command files.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/kernel.h"

class CXTPControl;
class CXTPCommandBars;
class CXTPImageManager;

namespace Korvo::UserCommands {

// What a user command needs of the application around it; the application sets one at start-up.
class ISite {
public:
    virtual ~ISite() = default;
    // The image managers of every main frame that is not being closed.
    virtual std::vector<CXTPImageManager*> GetFrameImageManagers() = 0;
    // The active main frame's window, or null.
    virtual CWnd* GetActiveMainFrameWindow() = 0;
    // The application's open-document operation: true when a document results.
    virtual bool OpenDocument(const CString& path) = 0;
    // A documents-menu clipart pane of the folder, or of the library at `size`: true when shown.
    virtual bool ShowFolderClipart(const CString& folder) = 0;
    virtual bool ShowLibraryClipart(DocumentsMenu::ILibrary* library, SIZE size) = 0;
};

void SetSite(ISite* site);
ISite* GetSite();

// "<library>path" to the absolute path inside that library of the global configuration group;
// nothing when the text is no such reference or the library is unknown.
std::optional<CString> ResolveLibraryReference(const CString& text);
// The reference of a path that lies in a library's folder, or nothing.
std::optional<CString> MakeLibraryReference(const CString& path);

}  // namespace Korvo::UserCommands

class CKVUserCommand {
public:
    static constexpr UINT kFirstId = 37000;
    static constexpr UINT kLastId = 37999;

    virtual ~CKVUserCommand() = default;
    CKVUserCommand(const CKVUserCommand&) = delete;
    CKVUserCommand& operator=(const CKVUserCommand&) = delete;

    // A new, empty command of type 1 to 7; null for any other type.
    static std::unique_ptr<CKVUserCommand> Create(UINT type);

    // The registry values of an open key: the base's four fields, then the kind's.
    virtual void SaveToRegistry(HKEY key) const;
    virtual void LoadFromRegistry(HKEY key);
    // The command-file fields after the record's type; Read is false when a field did not read
    // whole (the record is cut off).
    virtual bool Write(kvio::IWriteStream& stream) const;
    virtual bool Read(kvio::IReadStream& stream);
    virtual bool Execute() = 0;
    virtual UINT GetType() const = 0;
    virtual CString GetText() const = 0;
    // True when the user confirmed; the kind's fields then hold the choice, else nothing changed.
    virtual bool Edit(CWnd* owner) = 0;

    // The icon file the command's icon comes from; false for no icon.
    bool GetIconFilePath(CString& path) const;
    // Loads the icon into the image manager of every main frame (a missing icon file leaves them).
    void LoadIcon() const;
    // A button (or, with `popup`, a split-button pop-up with a pop-up bar of `bars`) of the command.
    CXTPControl* CreateControl(bool popup, CXTPCommandBars* bars) const;

    CString Prompt;
    CString Tooltip;
    CString Icon;
    UINT ID = 0;

protected:
    CKVUserCommand() = default;
    // The list text: the prompt followed by "(label: field)".
    CString FormatText(const CString& label, const CString& field) const;
};

// Registry and stream helpers the kinds share.
namespace Korvo::UserCommands {
void WriteRegistryString(HKEY key, LPCWSTR name, const CString& value);
void ReadRegistryString(HKEY key, LPCWSTR name, CString& value);
void WriteRegistryDword(HKEY key, LPCWSTR name, DWORD value);
void ReadRegistryDword(HKEY key, LPCWSTR name, DWORD& value);
// The plain path, and its library reference under the name + "InLibrary" (removed when the path
// lies in no library).
void WriteRegistryPath(HKEY key, LPCWSTR name, const CString& path);
// The plain path, replaced by the resolved InLibrary reference when there is one.
void ReadRegistryPath(HKEY key, LPCWSTR name, CString& path);
bool WriteDword(kvio::IWriteStream& stream, DWORD value);
// The value is 0 when the word does not read whole (and the answer false).
bool ReadDword(kvio::IReadStream& stream, DWORD& value);
// A drive path ("C:..."), a rooted or a UNC path.
bool IsAbsolutePath(const CString& path);
// A path field as it runs: its resolved library reference, else the field itself.
CString ResolvedPath(const CString& field);
}  // namespace Korvo::UserCommands
