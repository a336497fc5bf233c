// Add-on applications: installed from an ini file and the registry, started in two phases.
// The stand-in installs the applications the installed-applications ini names, one a section
// ("[KVOPT]"), each loaded at once; it reads none from the registry and records the calls.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/compression.h"
#include "platform/mfc.h"

class CKvw32Doc;
class IApplicationCommand;

namespace kvaux {
// One application of an add-on descriptor (a "kva" ini file, one section per application, the
// section's name its identifier). The stand-in's keys: Name, Title, Path, Description (the four
// texts), Type (0 none, 1 native, other managed), Flags and Version.
struct ApplicationIniFileEntry {
    CString name;
    CString title;
    CString path;
    CString description;
    int type = 0;
    DWORD flags = 0;
    int version = 0;
    // False when the section is missing or names no path.
    bool Read(const kvio::IniFile& ini, LPCWSTR section, LPCWSTR filePath);
};
}  // namespace kvaux

// What every add-on application is to the kernel, native or managed. Flag bits (the kernel's):
// 0x1 starts before all others, 0x2 starts automatically, 0x200 starts only when asked,
// 0x400 needs the PDM system, 0x800 shows its tools on the applications ribbon tab.
class CKVBaseApplication {
public:
    static constexpr DWORD kStartup = 0x1;
    static constexpr DWORD kAutoStart = 0x2;
    static constexpr DWORD kExplicitStartOnly = 0x200;
    static constexpr DWORD kNeedsPdm = 0x400;
    static constexpr DWORD kApplicationsTab = 0x800;
    // Where the kernel learnt of the application.
    enum class Origin { IniFile, Installed, Added };

    explicit CKVBaseApplication(LPCWSTR name) : name_(name) {}
    virtual ~CKVBaseApplication() = default;
    const CString& GetName() const { return name_; }
    // The identifier is the name the kernel knows it by (the descriptor's section).
    const CString& GetIdentifier() const { return name_; }
    const CString& GetTitle() const { return title_.IsEmpty() ? name_ : title_; }
    const CString& GetPath() const { return path_; }
    void SetFlag(DWORD flag, bool on);
    DWORD GetFlags() const { return flags_; }
    virtual bool IsStarted() const { return running_; }
    virtual CString GetErrorText() const { return errorText_; }
    // Whether the application's program file is missing (it cannot start).
    bool IsNotFound() const;
    bool IsFromINI() const { return origin_ == Origin::IniFile; }
    bool IsInstalled() const { return origin_ == Origin::Installed; }
    bool IsManaged() const { return managed_; }
    bool IsStartup() const { return (flags_ & kStartup) != 0; }
    bool IsAutoStart() const { return (flags_ & kAutoStart) != 0; }
    void SetAutoStart(bool on);
    void SetExplicitStartOnly(bool on);
    // Writes the application's section into the applications ini file `path` (other sections
    // kept); false when the file cannot be written.
    bool SaveInINI(LPCWSTR path) const;
    // Loads and starts the application; false (with an error text) when it cannot.
    bool Start(bool firstPhase, bool interactive);
    void CreateTools();
    bool UsesApplicationsRibbonTab() const { return (flags_ & kApplicationsTab) != 0; }
    // Whether the application runs (an installed application runs until it is stopped).
    bool IsRunning() const { return running_; }
    void SetRunning(bool running) { running_ = running; }
    // The stand-in's record of where it came from.
    void Describe(const kvaux::ApplicationIniFileEntry& entry, Origin origin, bool managed);
    void SetOrigin(Origin origin) { origin_ = origin; }

protected:
    CString name_;
    CString title_;
    CString path_;
    CString errorText_;
    DWORD flags_ = 0;
    Origin origin_ = Origin::IniFile;
    bool managed_ = false;
    bool running_ = true;
};

// An installed native add-on application.
class CKVApplication : public CKVBaseApplication {
public:
    explicit CKVApplication(LPCWSTR name) : CKVBaseApplication(name) {}
    // A window message of a main frame, offered to the application before the frame handles it:
    // TRUE when the application took it (`result` is the answer).
    virtual BOOL OnWndMsgAddon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The command ids the application owns (15000 to 16999; first > last: none).
    void GetCommandRange(UINT& first, UINT& last) const {
        first = firstCommand_;
        last = lastCommand_;
    }
    void SetCommandRange(UINT first, UINT last) {
        firstCommand_ = first;
        lastCommand_ = last;
    }
    // Runs the application's command `id` on the document (null: none).
    void OnCommand(CKvw32Doc* document, UINT id);
    // Sets the state of the application's command: enabled unless the application disabled it.
    void OnUpdateCommand(CKvw32Doc* document, CCmdUI* cmdUI);
    void SetCommandDisabled(UINT id, bool disabled);
    // The application's window `windowId`, made as a visible child of `parent` for a pane the
    // program hosts it in; null when the application does not run or has no parent to give it.
    HWND CreateFloatingWindow(UINT windowId, HWND parent);

private:
    UINT firstCommand_ = 1;
    UINT lastCommand_ = 0;
    std::vector<UINT> disabledCommands_;
};

// The kernel's application manager. Static operations (also reachable through Instance()).
class CKVApplicationManager {
public:
    static CKVApplicationManager& Instance();
    // Installs the applications the ini file names (one a section); false when it names none.
    static bool LoadInstalledApplications(const kvio::IniFile& ini);
    static void StartApplications(bool firstPhase, bool interactive);
    // The loaded application of that name (case-insensitive), or null.
    static CKVApplication* FindApplication(LPCWSTR name);
    // Every started application re-creates its tools (bars and commands) in the active main
    // frame, then the manager hears that the tools were re-created.
    static void RecreateApplicationsTools();
    // Whether every add-on application lets the program close (they may refuse; see
    // platform::kernel::control().applicationsRefuseClose).
    static bool CanCloseApplication();
    // The loaded applications in the order they were installed (none once unloaded).
    static std::vector<CKVApplication*> GetApplications();
    // The program ends: every application is unloaded.
    static void UnloadApplications();
    // Installs one application (the harness's add-ons); the installed one when it exists.
    static CKVApplication* InstallApplication(LPCWSTR name);
    // The loaded application with the identifier, or null.
    static CKVApplication* GetApplication(LPCWSTR identifier) { return FindApplication(identifier); }
    // Adds a new, not yet started application from a descriptor entry; null when one of the
    // identifier is loaded already or the entry is not native.
    static CKVApplication* AddApplication(LPCWSTR identifier, const kvaux::ApplicationIniFileEntry& entry, void* reserved);
    // Unloads the application (it is no longer listed); false when there is none.
    static bool RemoveApplication(LPCWSTR identifier);

private:
    CKVApplicationManager() = default;
};

// The managed applications, as the managed manager offers them to the program.
class IApplicationManagerProxy {
public:
    int GetCount() const;
    CKVBaseApplication* GetAt(int index) const;
    CKVBaseApplication* Find(LPCWSTR identifier) const;
    // Null when one of the identifier is loaded already or the entry is native or of no type.
    CKVBaseApplication* Add(LPCWSTR identifier, const kvaux::ApplicationIniFileEntry& entry, int reserved);
    bool Remove(LPCWSTR identifier);
};

// The proxy of the managed application manager.
class ApplicationManager {
public:
    static ApplicationManager& Instance();
    static ApplicationManager& Get() { return Instance(); }
    IApplicationManagerProxy* Proxy();
    static bool LoadInstalledApplications(const kvio::IniFile& ini);
    // The manager's own start-up step (before the applications start).
    static void OnStartup();
    static void StartApplications(bool firstPhase, bool interactive);
    // The server operation, run when the program starts as an application server.
    static void RunServer();
    // Hands a file to the add-on application that opens its format; the document it opened, or
    // null when none did.
    static CDocument* OpenDocument(LPCWSTR path);
    // The help file of the add-on application that owns help topic `topicId`; empty when none.
    static CString GetHelpFile(int topicId);
    // Whether the add-on applications let the program exit (they may refuse; see
    // platform::kernel::control().applicationsRefuseExit).
    static bool CanExitApplication();
    // The program's shutdown reached the add-on applications.
    static void OnExitInstance();
    // Runs (or updates) an application command by its kernel description with the active
    // document; the update answers false when the description disables the command now.
    static void RunCommand(const IApplicationCommand& command, CKvw32Doc* document);
    static bool UpdateCommand(const IApplicationCommand& command, CKvw32Doc* document, CCmdUI* cmdUI);
    // The window `windowId` of the managed application `key`, made as a child of `parent`; null
    // when no managed application of that key is loaded.
    static HWND CreateFloatingWindow(LPCWSTR key, UINT windowId, HWND parent);
    // Offers a message of a window the manager made to the managed applications first; TRUE when
    // one of them took it.
    static BOOL PreTranslateMessage(MSG* message);

private:
    ApplicationManager() = default;
};

// Reads the applications installed for this product from the registry.
void LoadInstalledApplicationsFromRegistry(LPCWSTR language, LPCWSTR company, LPCWSTR editionName, int editionKind,
                                           bool is3D);

// What the program file offers the add-on applications that run in its process (its exports),
// which the stand-in's add-ons and inspection tools find here; the program fills them in as it is
// loaded. A missing entry is an export the program does not have.
struct ApplicationExports {
    // Hosts the technical-requirements pane in main frame `frame`: its window in the
    // application's slot, docked there, bound to the active document. Why it could not, or empty.
    std::wstring (*hostTechRequirementsPane)(CWnd* frame) = nullptr;
    // The technical-requirements pane as text (empty: there is none).
    std::wstring (*techRequirementsOutline)() = nullptr;
    // What the clipart view `window` hosts: its kind, view state and persisted keys (empty: the
    // window is no clipart view).
    std::wstring (*clipartOutline)(HWND window) = nullptr;
    // The bird's-eye-view pane as text (empty: its window does not exist).
    std::wstring (*birdsEyeOutline)() = nullptr;
    // The diagnostics pane's window as text (empty: its window does not exist).
    std::wstring (*diagnosticsOutline)() = nullptr;
};
ApplicationExports& GetApplicationExports();
