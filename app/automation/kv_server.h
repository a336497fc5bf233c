// The automation object "KVW32.SERVER" through which other programs drive the application, and
// its class factory. Its 37 operations open, find, enumerate and close documents, manage the
// active library configuration and its libraries, extract previews and icons, remember dialog
// folders, send commands and quit; dispatch ids follow the order of the dispatch map from 1.
// Calls arrive on the UI thread. Failures are answered by results (0, null, empty), never by an
// automation error of the object's own.
#pragma once

#include "platform/mfc.h"

class KVServer : public CCmdTarget {
    DECLARE_DYNCREATE(KVServer)
public:
    // An automation object keeps the application alive while a client holds it.
    KVServer();
    // Releases the cached preview and icon pictures.
    ~KVServer() override;

    const platform::mfc::DispatchMap* GetDispatchMap() const override;

    // ---- Documents -----------------------------------------------------------------------------
    LPDISPATCH OpenFile(LPCWSTR path);
    // The first open document whose path equals `path` ignoring case.
    LPDISPATCH FindFile(LPCWSTR path);
    LPDISPATCH GetActiveFile();
    // ---- The active library configuration and its libraries -------------------------------------
    short OpenLibraryConfiguration(LPCWSTR path);
    short CloseLibraryConfiguration();
    short SaveLibraryConfiguration();
    short SaveLibraryConfigurationAs(LPCWSTR path);
    short CreateLibrary(LPCWSTR name, LPCWSTR path, LPCWSTR comment, LPCWSTR author, LPCWSTR company);
    short CreateLibraryFile(LPCWSTR library, LPCWSTR file);
    // ---- Windows and documents -----------------------------------------------------------------
    // The active main frame's show command before the call, then shows it with `showCommand`.
    short ShowApplication(short showCommand);
    // The first open document whose path equals `path` exactly is closed: 1; else 0.
    short CloseFile(LPCWSTR path);
    // `readOnly` not 0 opens read-only; `mode` 2 sets the open's secondary flag.
    LPDISPATCH OpenFileEx(LPCWSTR path, short readOnly, short mode);
    // The enumeration by position: the first document is position 0; past the end "" and -1.
    BSTR GetFirstFile(short* position);
    BSTR GetNextFile(short* position);
    void SetFocus();
    // ---- Pictures ------------------------------------------------------------------------------
    short GetPreview(LPCWSTR path);
    short GetIcon(LPCWSTR path);
    short ReleasePreview();
    short ReleaseIcon();
    short DrawPreview(LONG dc, short x, short y, short width, short height, short flags);
    short DrawIcon(LONG dc, short x, short y, short width, short height, short flags);
    LPDISPATCH Import(short kind, LPCWSTR path, LONG flags);
    // ---- Libraries by index --------------------------------------------------------------------
    short GetLibraryCount();
    BSTR GetLibraryName(short index);
    BSTR GetLibraryPath(short index);
    short SetLibraryPath(LPCWSTR name, LPCWSTR path);
    // Remembers `folder` for every dialog whose bit (0 to 17) is set in `mask`.
    short SetCurrentFolder(LPCWSTR folder, LONG mask);
    // Saves the document's icon rendered at width x height (each 1 to 1024) as a bitmap file.
    short ExtractFileIcon(LPCWSTR document, LPCWSTR bitmapFile, short width, short height, LONG unused);
    LPDISPATCH CreateNewFile();
    // ---- Versions and the application ----------------------------------------------------------
    LONG GetVersion();
    LONG GetVersionType();
    LONG GetVersionInfo();
    // Asks the message loop to end the program (without prompts); the loop runs the shutdown
    // once, after this call has returned. A second request changes nothing.
    LONG Quit();
    BSTR GetFirstFileEx();
    BSTR GetNextFileEx();
    LONG ProcessCommand(short commandId);
    // Whether linked documents were updated automatically; 0 stops that, anything else resumes it.
    LONG SetAutomaticLinkUpdate(LONG enable);
};

// The application's factory of automation objects; one running application serves every client.
class KVServerFactory : public COleObjectFactory {
public:
    KVServerFactory();
};

// The class id the factory registers ({34FF1B91-6F6F-11D0-81C9-004F56009C20}).
extern const CLSID CLSID_KVServer;
