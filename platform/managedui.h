// The managed UI library (KorvoManagedUIProxy.dll) as the application uses it, at its least.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/mfc.h"

namespace KorvoManagedUIProxy {

// Prepares the managed resource wrappers (once per process).
void InitManagedResourcesWraps();

class StringResourceAccessor {
public:
    // The managed resources follow the session's culture.
    static void UpdateResourcesCulture();
    // The managed resources' text of `key` in the session's language; empty when there is none.
    static CString GetString(LPCWSTR key);
};

// The managed windows' access to the managed UI thread and its resources.
class WpfAccessor {
public:
    // Managed windows switch between the dark and the light palette.
    static void EnableDarkTheme(bool dark);
    static bool IsDarkThemeEnabled();
    // The program ends: the managed UI thread stops.
    static void ShutdownDispatcher();
};

// The prototype chooser calls back to create a document from a prototype file.
class IPrototypesCallback {
public:
    virtual ~IPrototypesCallback() = default;
    virtual void CreateNewDocumentFromPrototype(LPCWSTR path) = 0;
};


// One export format the export control offers: its name, its file pattern and the module that
// writes it.
struct ExportFilter {
    CString name;
    CString pattern;
    CString module;
};

// The export control calls back with the index of the format the user chose.
class IExportCallback {
public:
    virtual ~IExportCallback() = default;
    virtual void OnExportChosen(int index) = 0;
};

// The prototype chooser: a managed child window over a folder of prototype files. Its state stays
// with the window until the window is destroyed.
class PrototypesController {
public:
    // A hidden child of `parent`; null when `parent` is no window.
    static HWND CreateControl(HWND parent, LPCWSTR folder, IPrototypesCallback* callback);
    static void SetPrototypeFolder(HWND control, LPCWSTR folder, bool refresh);
    // 0/1 light/dark, 2/3 and 4/5 the same for the toolkit's two other paint themes.
    static void SetTheme(HWND control, int code);
    static CString GetFolder(HWND control);
    static int GetThemeCode(HWND control);  // -1 when none was passed
};

// The export chooser: a managed child window listing the export formats.
class ExportController {
public:
    static HWND CreateControl(HWND parent, const std::vector<ExportFilter>& filters, IExportCallback* callback);
    static void SetFilters(HWND control, const std::vector<ExportFilter>& filters);
    static void SetTheme(HWND control, COLORREF background, COLORREF text);
    static std::vector<ExportFilter> GetFilters(HWND control);
    // As the user's choice of the format at `index`: false when the control has no such format.
    static bool Choose(HWND control, int index);
};

// Names a document by the installation's naming rules: it proposes a name, and its dialog lets
// the user adjust the name before it is taken.
class AutoNamer {
public:
    // A namer for `document`; null without a document.
    static std::unique_ptr<AutoNamer> Create(CDocument* document);
    AutoNamer(const AutoNamer&) = delete;
    AutoNamer& operator=(const AutoNamer&) = delete;
    ~AutoNamer();
    // The name the rules give the document now.
    CString ProposeName() const;
    // The naming dialog over `parent` (a modal dialog named "AutoNamer": edit 100 holds the name);
    // true when the user agreed, GetName then answering the name taken.
    bool RunDialog(HWND parent);
    CString GetName() const { return name_; }

private:
    explicit AutoNamer(CString stem) : stem_(std::move(stem)) {}
    CString stem_;
    CString name_;
};


// One recent document as the start page lists it.
struct RecentItem {
    CString path;
    bool pinned = false;
};

// The start page's theme numbers (0 the default look).
using ThemeType = int;

// What the start page asks of the program, in the order the managed library calls the slots.
class IStartPageCallback {
public:
    virtual ~IStartPageCallback() = default;
    virtual void OpenRecentDocument(unsigned index, bool closeAfterOpen) = 0;
    virtual void RemoveRecentDocument(unsigned index) = 0;
    virtual void SetRecentDocumentPinned(unsigned index, bool pinned) = 0;
    virtual void OpenDocument(bool closeAfterOpen) = 0;
    virtual void Reserved() = 0;
    virtual void CreateDocumentFromPrototype(LPCWSTR path, bool closeAfterOpen) = 0;
    virtual void SetShowOption(bool show) = 0;
    virtual bool ExecuteLink(LPCWSTR url) = 0;
};

// The start page: a managed child window listing the recent documents, the prototypes of a
// folder and links; it keeps what the program tells it until the window is destroyed.
class StartPageController {
public:
    // A child of `parent` filling nothing yet; null when `parent` is no window.
    static HWND CreateControl(HWND parent, LPCWSTR prototypeFolder, const std::vector<RecentItem>& items,
                              IStartPageCallback* callback, bool showOption, bool closeAfterOpen);
    static void DestroyControl(HWND control);
    static void RecentDocumentRemoved(HWND control, int index);
    // A new entry at the top of the list.
    static void RecentDocumentAdded(HWND control, LPCWSTR path, bool pinned);
    static void RecentDocumentPinStateChanged(HWND control, int index, bool pinned);
    static void SetTheme(HWND control, ThemeType theme);
    static void SetPrototypeFolder(HWND control, LPCWSTR folder, bool refresh);
};

}  // namespace KorvoManagedUIProxy
