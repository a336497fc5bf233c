// The kernel's UI module: the one registry of main frames (in creation order), the keeper of
// themes, and the receiver of the application's modal-box notifications.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/compression.h"
#include "platform/mfc.h"

class CXTPImageManager;

namespace Korvo::UI {
class MainFrame;
namespace XML {
struct ApplicationParameters;
}

// A UI theme the module can apply; `index` gives the theme command id 3401 + index.
struct Theme {
    int index = -1;
    CString name;     // e.g. "office2016white"
    CString caption;  // shown in theme menus
    // The toolkit's report theme the library's report controls take under this theme:
    // 4 (Office 2013), 8 (Visual Studio 2015), 11 (native Windows 10) or 0 (Office XP).
    int reportTheme = 0;
    // The toolkit's paint theme the command bars draw with (12 Office 2013, 16 Visual Studio 2015,
    // 0 the toolkit's classic one), and the theme number the ribbon's backstage pages take.
    int paintTheme = 0;
    int backstagePageTheme = 0;
    // The background of the panes' own drawing areas (dark under the dark and black themes).
    COLORREF paneBackground = RGB(240, 240, 240);
};
}  // namespace Korvo::UI

struct FileDialogInfo;
class CXTPCommandBars;
class CXTPPopupBar;

// A form view docked in a main frame (a command's form); the UI module names the current one.
class CBaseDockFormView {
public:
    virtual ~CBaseDockFormView() = default;
};

// What the UI module asks of a main frame. The frames belong to the UI library, which is built on
// the kernel, so the module cannot call them itself: the library's frame base installs these
// answers when the first frame is made. Asking before that is a strict failure naming the call.
struct MainFrameCalls {
    // The frame's window (null for a frame without one).
    CFrameWnd* (*window)(Korvo::UI::MainFrame& frame) = nullptr;
    // The frame and the windows its docking panes host take the theme.
    void (*takeTheme)(Korvo::UI::MainFrame& frame, const Korvo::UI::Theme& theme) = nullptr;
    // The frame became the active main frame; `previous` was (null when there was none).
    void (*activated)(Korvo::UI::MainFrame& frame, Korvo::UI::MainFrame* previous) = nullptr;
};
void InstallMainFrameCalls(const MainFrameCalls& calls);
// The window of `frame`; null for a null frame.
CFrameWnd* MainFrameWindow(Korvo::UI::MainFrame* frame);

class UIModuleProxy {
public:
    static UIModuleProxy& Instance();

    // Modal message boxes: the application brackets every box with these notifications.
    void NotifyModalBoxBegin();
    void NotifyModalBoxEnd();
    // A file is about to be opened: the UI module keeps it as its most recent path.
    void NotifyRecentPath(const SharedPathName& path);
    int GetModalBoxDepth() const;
    // A resource (a window, a GDI object, a menu) could not be had while the UI handled a message:
    // the module records the failure; the caller deletes the exception.
    void ReportResourceFailure(const CException* error);

    // Asks the user for one file (mode kSelectOneFile, the only mode the module offers; any other
    // is a failure naming the call) in the chooser `info` describes (platform/kernel/ui/
    // file_selection.h), owned by `owner`: the chosen path, empty when cancelled.
    static constexpr int kSelectOneFile = 0;
    CString SelectFile(CWnd* owner, const FileDialogInfo& info, int mode);

    // Themes.
    CString GetDefaultThemeName() const;
    std::vector<Korvo::UI::Theme> GetThemes() const;
    int FindTheme(LPCWSTR name) const;  // index in GetThemes(), or -1 (compared case-insensitively)
    // Applies a known theme: it becomes the current theme and every main frame gets SetTheme.
    // False, changing nothing, for an unknown name or a theme that cannot be applied.
    bool ApplyTheme(LPCWSTR name);
    const Korvo::UI::Theme* GetCurrentTheme() const;  // null before the first theme
    CString GetUIStyle() const;                       // the current theme's name, or empty

    // Main frames, registered by the UI library's frame base at creation and removed at
    // destruction.
    void RegisterMainFrame(Korvo::UI::MainFrame* frame);
    void UnregisterMainFrame(Korvo::UI::MainFrame* frame);
    std::vector<Korvo::UI::MainFrame*> GetMainFrames() const;  // creation order
    // Calls `callback` with the window of every main frame in creation order; frames registered
    // or removed meanwhile are not visited.
    void ForEachMainFrame(const std::function<void(CFrameWnd*)>& callback) const;
    Korvo::UI::MainFrame* GetActiveMainFrame() const;
    // The frame becomes the active one; it hears of the change (OnChangeActiveMainFrame with the
    // previous frame). Unregistered frames are refused.
    void SetActiveMainFrame(Korvo::UI::MainFrame* frame);
    // The application lost the activation to another program (its pop-ups and tips close).
    void NotifyApplicationDeactivated();
    int GetApplicationDeactivationCount() const;
    // The main frame whose window is `window` or one of its ancestors, or null.
    Korvo::UI::MainFrame* GetMainFrameOf(HWND window) const;
    // Whether the UI module lets a text be placed in the view (a sheet view in a main frame).
    bool CanCreateTextIn(class CKVBaseView* view) const;

    // Tool-bar icons of a main frame's command bars: the size (unscaled; the command bars scale
    // it for the screen) and whether large icons are shown. Frames that are not registered are
    // refused; a frame has no setting until one is applied.
    struct CommandBarsIconSize {
        SIZE size{};
        bool largeIcons = false;
    };
    void SetCommandBarsIconSize(CFrameWnd* frame, SIZE size, bool largeIcons);
    // Command `command` of `bars` shows the kernel's icon `iconId` (the bars' image manager gets
    // it under the command's id).
    void BindCommandIcon(CXTPCommandBars* bars, UINT command, UINT iconId);
    // The same for an image manager of its own (the toolkit's global one, for instance).
    void BindIcon(CXTPImageManager* images, UINT command, UINT iconId);
    // Adds the kernel's icon `iconId` (from its icons library) at the end of `images`, at the
    // list's size; its index, or -1 when the list takes none.
    int AddIconToImageList(CImageList& images, UINT iconId) const;
    std::optional<CommandBarsIconSize> GetCommandBarsIconSize(const CFrameWnd* frame) const;
    // Adjusts the options of a new frame's command bars to the module's settings: the frame's
    // icon setting, when the module keeps one for the bars' frame. Null bars are a failure.
    void AdjustCommandBarsOptions(CXTPCommandBars* bars) const;
    // The largest size of the module's icons (16, 24 and 32 pixels, unscaled) that fits into
    // `pixels`; 16 when none does.
    static int GetBestUnscaledIconSize(int pixels);

    // The UI module's state of a command (the text-formatting commands of the system panel): false
    // when the module has none for it.
    bool CommandStateGet(UINT command, bool& enabled, bool& checked) const;
    // Whether command `command` is enabled for the user in the main frame that holds `window`
    // (the active main frame when no frame holds it): the frame's command route decides, as for
    // the frame's own menus. False without any main frame.
    bool IsCommandEnabled(UINT command, HWND window) const;
    // Draws command `command`'s icon, raster or vector, as the command bars of the main frame that
    // holds `window` have it (the active main frame when no frame holds it): `size` pixels square
    // with its top-left corner at `at`, greyed when `disabled`; else the kernel's icons library's.
    // False for a size that is not positive.
    bool DrawCommandIcon(HDC dc, UINT command, POINT at, int size, bool disabled, HWND window) const;

    // Property-form children: forms the kernel's commands open in the properties pane, by id.
    bool IsPropertyFormChildOpen(UINT id) const;
    void ClosePropertyFormChild(UINT id);

    // Ribbon tab parameters: the parameters in force while a ribbon-parameter file is loaded.
    // Returns the previous parameters so that the caller can restore them.
    const Korvo::UI::XML::ApplicationParameters* SetRibbonApplicationParameters(
        const Korvo::UI::XML::ApplicationParameters* parameters);
    const Korvo::UI::XML::ApplicationParameters* GetRibbonApplicationParameters() const;
    // Loads a ribbon tab parameter file (XML). False, with a journal warning naming the file,
    // when it is missing or malformed. There are no ribbons yet for the parameters to change, so
    // the stand-in checks the file and keeps nothing of it.
    bool LoadRibbonTabParameters(LPCWSTR path);

    // The strings of a command (prompt, caption, and the further "\n"-separated parts of its
    // string resource, the seventh being extra shortcut text); nothing without a resource.
    std::optional<std::vector<CString>> GetCommandStrings(UINT id) const;
    // Tracks `menu` (a popup bar, such as an edit's value-list menu, tracked by its command bars)
    // at the screen `point` for the window `owner` as the user's popup menu and returns the
    // chosen command id, 0 when dismissed. `flags` are the toolkit's tracking flags; the id is
    // always returned, so the chosen item never runs by itself: the caller acts on the id. A menu
    // of no command bars, or an owner that is no window, is a failure.
    UINT TrackPopupMenu(CXTPPopupBar* menu, UINT flags, POINT point, CWnd* owner);

    // The texts the UI shows for a command: its caption, the tooltip's title and text, the
    // description (the tooltip text's second copy, what lists of commands show) and the
    // status-line prompt.
    struct CommandStrings {
        CString caption;
        CString tooltipTitle;
        CString tooltip;
        CString description;
        CString prompt;
        // A command string "prompt\ncaption": the caption is also the tooltip's title, the
        // prompt also the tooltip and the description. Without a line break the whole text is
        // the caption and the prompt.
        static CommandStrings FromPromptString(const CString& promptString);
        bool operator==(const CommandStrings&) const = default;
    };
    // The strings the module shows for `id` from now on, in place of its resource's.
    void SetCommandStrings(UINT id, const CommandStrings& strings);
    // What SetCommandStrings stored for `id`; nothing when it stored none.
    std::optional<CommandStrings> GetStoredCommandStrings(UINT id) const;
    // The icon resource `resource` of `module` (the program's resources when null); null when the
    // module has no such icon. The caller frees it with DestroyIcon.
    HICON LoadIconFromResources(HMODULE module, UINT resource) const;

    // Sets up the image of a control from the UI module's icons.
    void SetupControlImage(CXTPImageManager* images, UINT id, UINT iconId, int flags1, int flags2);

    // Re-applies the ribbon's tab set `set` to `frame`'s ribbon, keeping the entries whose
    // analysis id `keep` accepts. The stand-in's sets hold entries of analysis ids 0, 1 and 2;
    // the call is journalled with the ids kept.
    void ReapplyRibbonTabSet(CWnd* frame, const GUID& set, const std::function<bool(int analysisId)>& keep);
    // The window the current dock form view (a command's form docked in the frame) names, or
    // null when no form is docked.
    HWND GetCurrentDockFormViewWindow() const;
    void SetCurrentDockFormViewWindow(HWND window);
    // The current dock form view itself, or null (the caller keeps it alive while it is named).
    CBaseDockFormView* GetCurrentDockFormView() const;
    void SetCurrentDockFormView(CBaseDockFormView* view);
    // The UI library's transient popup (a gallery or form opened from a control), while open.
    bool IsTransientPopupOpen() const;
    void SetTransientPopupOpen(bool open);
    // Closes the transient popup (journalled).
    void CloseTransientPopup();

    // A view outside the kernel's documents (a start or work-mix page) became the active one.
    void SetActiveView(CView* view);
    CView* GetActiveView() const;

private:
    UIModuleProxy() = default;
};

namespace UIModule {
// While it lives, `frame` answers as the UI module's active main frame without anyone being told;
// afterwards the previous active frame answers again (none when it has gone meanwhile). A frame
// the module does not know changes nothing.
class FakeActiveMainFrameManager {
public:
    explicit FakeActiveMainFrameManager(Korvo::UI::MainFrame* frame);
    ~FakeActiveMainFrameManager();
    FakeActiveMainFrameManager(const FakeActiveMainFrameManager&) = delete;
    FakeActiveMainFrameManager& operator=(const FakeActiveMainFrameManager&) = delete;

private:
    bool faked_ = false;
    Korvo::UI::MainFrame* previous_ = nullptr;
};

// Forgets the window that cancellable tasks report to (it may be gone after a crash).
void ResetCancellationWindow();
// The face, height and weight the UI module draws its texts with.
LOGFONTW GetFontDescription();
}  // namespace UIModule
