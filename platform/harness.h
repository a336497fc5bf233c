// The control surface of the stand-in platform for tests and the console: starts the program
// through the framework, pumps its loop, acts as the user would (messages, answers to message
// boxes), sets up and inspects files, registry, kernel answers and windows, and collects what a
// strict run must not accept. Shell code never includes this header.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/useragent.h"
#include "platform/harness/documents_menu.h"
#include "platform/harness/report.h"
#include "platform/kernel/documents/parameters.h"
#include "platform/mfc.h"
#include "platform/win32/types.h"

class KorvoServerAppProxy;
class CXTPControlEdit;

namespace platform::harness {

struct Config {
    platform::core::Config platform;  // host root, program folder, arguments, environment, clock, modal policy ...
    bool seedSample = true;           // write the embedded sample program folder into the host before start
    // With a given host root: leave an existing program folder as an earlier run left it, and seed
    // only a missing one (the console's --host, so a second run continues where the first stopped).
    bool keepExistingProgramFolder = false;
    // Asked now and then while the harness waits, in real time, on a call that has not ended; true
    // gives the call up and ends the run (the console's termination signals).
    std::function<bool()> interrupted;
    // Time the start-up, each loop pass and each message the UI thread dispatches on the host's
    // clocks (`Inspect::dumpCosts`); off, the loop reads no clock.
    bool measureCosts = false;
};

// The run was ended because a call the harness made could never end (or an interruption gave
// it up): the process was ended as a user ends a program that hangs, after which the call's
// threads have unwound.
class HungCall : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Button { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct BoxRequest {  // what a message box showed
    std::wstring text, caption;
    unsigned type = 0;  // MB_* flags (buttons | icon | default button)
    HWND owner = nullptr;
};

class Session;

class User {  // acts as the user would
public:
    // Expect a message box whose text matches `pattern` ('*' wildcards, whole text); answer it.
    void expectBox(std::wstring pattern, Button answer);
    // ... or run `whileOpen` while the box is open (its window exists, owner disabled), then answer.
    void expectBox(std::wstring pattern, std::function<Button(const BoxRequest&)> whileOpen);
    void command(HWND frame, unsigned id);  // posts WM_COMMAND(id) as a menu item would
    // WM_DDE_EXECUTE to the main frame (text in lParam as a pointer to a NUL-terminated wide
    // string; wParam a hidden client window that receives WM_DDE_ACK).
    void dde(std::wstring_view text);
    void close(HWND window);  // the caption's close button (WM_SYSCOMMAND SC_CLOSE)
    // Files dragged from the shell and dropped on `window` at `clientPoint` of its client area,
    // with Ctrl held when `control`: the shell's data object (CF_HDROP) goes to the drop target
    // under the point; when there is none or it refuses them, WM_DROPFILES goes to the window, or
    // its nearest parent, that accepts dropped files. Why it could not be done (no window there,
    // none taking files), or nothing.
    std::optional<std::wstring> drop(HWND window, POINT clientPoint, const std::vector<std::wstring>& paths,
                                     bool control = false);
    // The mouse at `clientPoint` of `window`'s client area, on the deepest visible child there (or
    // on the window that captured the mouse, wherever it is): a
    // press first activates (WM_MOUSEACTIVATE; the top-level window comes to the front) and sets
    // the cursor (WM_SETCURSOR), then the button's messages go through the queue. A right button
    // released asks for a context menu, which is a menu request (expect it first). Why a user
    // could not (no such window, the point outside it), or nothing.
    enum class MouseAction { Click, DoubleClick, RightClick, Down, Up, Move, RightDown, RightUp };
    std::optional<std::wstring> mouse(HWND window, POINT clientPoint, MouseAction action);
    // The wheel turned by `delta` (120 a notch, away from the user positive) with the cursor at
    // `clientPoint` of `window`: WM_MOUSEWHEEL goes through the queue to the window with the
    // focus (or `window` when none has it), carrying the cursor's screen position.
    std::optional<std::wstring> wheel(HWND window, POINT clientPoint, int delta);
    // The Windows session asks to end (a log-off): every top-level window of the program hears
    // WM_QUERYENDSESSION in turn; then each hears WM_ENDSESSION with whether the session ends
    // (it does when every window agreed). One answer per window that was asked.
    struct SessionEndAnswer {
        HWND window = nullptr;
        bool agreed = true;
        std::wstring blockReason;  // what it registered with ShutdownBlockReasonCreate, if anything
    };
    std::vector<SessionEndAnswer> logoff();
    // Clicks the visible, enabled button or tool-bar control `id` inside `window` (a frame or a
    // pane's window); throws std::invalid_argument naming what is missing.
    void click(HWND window, unsigned id);
    // Opens the arrow of the split button (or the popup) `id` inside `window`; its menu is a menu
    // request: expect it first.
    void clickArrow(HWND window, unsigned id);
    // Types `text` into the visible, enabled combo box `id` inside `window` (its text replaced)
    // and presses Enter; throws std::invalid_argument naming what is missing.
    void enterText(HWND window, unsigned id, std::wstring_view text);
    ReportDriver report(HWND window) { return ReportDriver(window); }  // a report control's rows
    // Types `text` into the combo box (window class "COMBOBOX") with control id `id` inside
    // `window`, as a user at its edit field: it takes the focus, its text is selected and each
    // character typed over it goes through the program's queue (an empty text: the selection is
    // deleted). Why a user could not (no such box, hidden or disabled), or nothing.
    std::optional<std::wstring> typeInto(HWND window, unsigned id, std::wstring_view text);
    // The mouse at row `row` (from 0, in shown order) of the first list view inside `window`:
    // the list scrolls it into view, then `action` happens at the row's centre. Why a user could
    // not (no list, no such row), or nothing.
    std::optional<std::wstring> listRow(HWND window, int row, MouseAction action);
    // The user edits the label of row `row` of the first shown list view inside `window` in
    // place: the list opens its edit box, the user types `text` over the label and clicks back
    // into the list, which ends the edit. Why a user could not (no list, no such row, labels that
    // cannot be edited), or nothing.
    std::optional<std::wstring> renameListRow(HWND window, int row, std::wstring_view text);
    // The user presses on row `row` (from 0, in shown order) of the first report control inside
    // `window` and drags it away: the row is selected unless it is already, and
    // the drag starts (answer it with expectDragChoose first). Why a user could not (no list, no
    // such row, rows that do not drag), or nothing.
    std::optional<std::wstring> dragRow(HWND window, int row);
    // The user presses on the item of the item tree shown in window `tree` by its path of
    // captions ("Home|Clipboard|Paste", case ignored) and drags it away (answer with
    // expectDragChoose first). Why a user could not (no such tree or item, a tree that does not
    // drag), or nothing.
    std::optional<std::wstring> dragTreeItem(HWND tree, std::wstring_view path);
    // The shell's files as a data object dropped on the drop target under the point; false when
    // there is none or it offers no effect for them.
    bool dropOnOleTarget(HWND window, POINT point, const std::vector<std::wstring>& paths, bool control);
    // The next drag ends dropped on `window` at its client point (Ctrl held with `control`), or is
    // cancelled; `words` names the place as the script did.
    void expectDragChoose(HWND window, POINT point, bool control, std::wstring words);
    void expectDragCancel();
    // What a user does with docking pane `paneId` of main frame `frame`: its close button,
    // dragging it out of its dock to float, or its auto-hide pin. The reason it could not be
    // done (no such frame or pane, the pane closed already), or nothing when it was done.
    // Menu right-clicks the pane's caption (answer its menu with expectMenu first).
    enum class PaneAction { Close, Float, Hide, Menu, Show };
    std::optional<std::wstring> paneAction(HWND frame, unsigned paneId, PaneAction action);

    // Command bars and the ribbon of main frame `frame`, as a user reaches them. Each returns the
    // reason a user could not do it (no such frame, tab or control; hidden, on a tab that is not
    // selected, disabled by the update pass), or nothing when it was done.
    // Selects the ribbon tab captioned `caption` (mnemonic marks ignored).
    std::optional<std::wstring> selectTab(HWND frame, std::wstring_view caption);
    // Opens the backstage with the ribbon's system button, then (with a tab) clicks the visible,
    // enabled backstage tab of the id or of the name (or caption).
    std::optional<std::wstring> openBackstage(HWND frame, std::optional<int> id, std::wstring_view name);
    // Closes the backstage (nothing to do when it is closed).
    std::optional<std::wstring> closeBackstage(HWND frame);
    // Executes the visible, enabled control with the id: the selected ribbon tab first, then the
    // quick-access bar, the ribbon's own controls, then the visible tool bars and the menu bar.
    std::optional<std::wstring> clickControl(HWND frame, int id);
    // Types `text` into the visible, enabled edit control with the id (found as clickControl
    // finds controls) and presses Enter, through the control's edit window: the control is
    // selected, its window takes the focus, the text is selected and typed over character by
    // character, Enter goes through the program's queue, and the mouse leaves the control.
    std::optional<std::wstring> typeText(HWND frame, int id, std::wstring_view text);
    // The same into a given edit control of any bars (one without an id of its own).
    std::optional<std::wstring> typeText(CXTPControlEdit* edit, std::wstring_view text);
    // A key pressed in the edit window of the edit control with the id (found as typeText finds
    // it): the control is selected, its window takes the focus, the key (with Ctrl or Alt held)
    // goes down and up through the program's queue, then the mouse leaves the control.
    struct Key {
        unsigned virtualKey = 0;
        bool control = false;
        bool alt = false;
        std::wstring_view name;
        bool shift = false;  // how the journal names it ("Ctrl+A"); the key code when empty
    };
    std::optional<std::wstring> pressKey(HWND frame, int id, Key key);
    // The key pressed at the keyboard: into `window` (focused first, as a click would), or with
    // a null `window` into the window of `frame` that has the focus (the frame when none of its
    // windows has it). The modifiers go down before it and up after it.
    std::optional<std::wstring> pressKeyAt(HWND frame, HWND window, Key key);
    // The spin buttons of the edit control with the id clicked `count` times (negative: the down
    // button), then the mouse leaves the control.
    std::optional<std::wstring> spin(HWND frame, int id, int count);
    // A right click in the edit window of the edit control with the id: its context menu is a
    // menu request (expect it first); then the mouse leaves the control.
    std::optional<std::wstring> editContextMenu(HWND frame, int id);
    // A click on the list button the edit window of the edit control with the id shows (found
    // as typeText finds it): the button's menu is a menu request (expect it first).
    std::optional<std::wstring> clickListButton(HWND frame, int id);
    // Rests the mouse on the control: its tooltip shows (Inspect::tooltip reads it).
    std::optional<std::wstring> hover(HWND frame, int id);
    // A right click on the ribbon control with the id (its context menu, if any, is a menu
    // request: expect it first).
    std::optional<std::wstring> rightClick(HWND frame, int id);
    // A right click on the place of the visible control `id` inside `window` (a frame's ribbon or
    // tool bar, a pane's tool bar; the ribbon's place first), then the loop runs until idle; its
    // context menu, if any, is a menu request (expect it first). Why a user could not, or nothing.
    std::optional<std::wstring> rightClickControl(HWND window, long long id);
    // Presses button `button` of the visible message bar `barId` of main frame `frame`, then the
    // loop runs until idle. Why a user could not (no such bar or button), or nothing.
    std::optional<std::wstring> pressMessageBarButton(HWND frame, std::uint64_t barId, unsigned button);
    // Makes main frame `frame` the active one, as a click into it does, then runs the loop until idle.
    void activate(HWND frame);
    // Makes the first window of the open document at `path` (case ignored; a picture's title is
    // its path) the active one in its
    // frame, and the frame the active one, as a click into the window does. Why it could not
    // (no such document, or it has no window), or nothing.
    std::optional<std::wstring> activateDocument(std::wstring_view path);
    // The next popup or context menu: choose the item with the id, or captioned so; or dismiss.
    void expectMenuChoose(int id);
    void expectMenuChoose(std::wstring caption);
    void expectMenuDismiss();
    // Document tabs of main frame `frame`, numbered from 1 as `Inspect::dumpTabs` lists them.
    void clickTab(HWND frame, int tab);             // the left button on the tab
    void clickTabCloseButton(HWND frame, int tab);  // the tab's own close button
    void middleClickTab(HWND frame, int tab);       // WM_MBUTTONDOWN on the tab
    void rightClickTab(HWND frame, int tab);        // WM_CONTEXTMENU at the tab
    // Expect a popup menu; `choose` reads it and returns the id chosen (0 dismisses it).
    void expectMenu(std::function<unsigned(const std::vector<std::wstring>& lines)> choose);
    // A button of a message bar (a child window of the bar) is pressed.
    void pressButton(HWND button);
    // The next file chooser chooses `windowsPath`, or is cancelled.
    void expectFileChoose(std::wstring windowsPath);
    void expectFileCancel();
    // The next file chooser: click its own push button `buttonId`, then take what its file-name
    // box holds.
    void expectFileClickAccept(int buttonId);
    // The next print dialog prints on the default printer, or is cancelled.
    void expectPrintOk();
    void expectPrintCancel();
    // The next dialog built from template `templateId` is answered with `actions`, one each time
    // its modal loop has nothing else to do; or `whileOpen` runs once while it is open (its
    // window and controls exist, its owner is disabled) and acts through `act`. A dialog left
    // open after its answer is a failure and is cancelled.
    using DialogAction = platform::core::DialogAction;
    void expectDialog(unsigned templateId, std::vector<DialogAction> actions);
    void expectDialog(unsigned templateId, std::function<void(HWND dialog)> whileOpen);
    // The next dialog whose title, class name or UI-library name matches `pattern`.
    void expectDialog(std::wstring pattern, std::vector<DialogAction> actions);
    void expectDialog(std::wstring pattern, std::function<void(HWND dialog)> whileOpen);
    // One action in an open dialog, as a user does it; the reason a user could not, or nothing.
    std::optional<std::wstring> act(HWND dialog, const DialogAction& action);
    // A command reaching the edit window of the visible, enabled edit control `id` (the choice of
    // its context menu), then the loop runs until idle. The reason it could not be done (no such
    // frame or control, not an edit, disabled, the edit does not run that command now), or
    // nothing when it was done.
    std::optional<std::wstring> editCommand(HWND frame, int id, unsigned command);
    // The next insert-variable dialog of the kernel chooses the variable `name`, or is cancelled.
    void expectVariable(std::optional<std::wstring> name);
    // The macro manager's next chooser: the macro NAME, or (nullopt) cancelled.
    void expectMacro(std::optional<std::wstring> name);
    // The next folder chooser of the kernel chooses `folder`, or is cancelled.
    void expectFolder(std::optional<std::wstring> folder);
    // The next PDM material chooser chooses a material: the texts of its three variables and its
    // id; or it is cancelled.
    void expectVarnelMaterial(std::optional<std::array<std::wstring, 4>> material);
    // The next text-module dialog of the kernel chooses a module of text `text`, or is cancelled.
    void expectTextModule(std::optional<std::wstring> text);
    // The next Windows colour dialog chooses `colour` (the user adds it to the custom colours
    // first), or is cancelled.
    void expectColour(std::optional<COLORREF> colour);
    // The kernel's next name prompt is answered with `text` as typed, or is cancelled.
    void expectPrompt(std::optional<std::wstring> text);
    // Answers the kernel's next modal rich-text editor: confirms `text` as its plain text, or
    // cancels it (nullopt).
    void expectRichText(std::optional<std::wstring> text);
    // The view of the active document window of main frame `frame`, scrolled at its scroll bar
    // `bar` (SB_HORZ or SB_VERT): a click giving the request `code` (SB_LINEUP ... SB_BOTTOM),
    // followed by SB_ENDSCROLL as the button comes up; or the thumb dragged to `position` (kept
    // on the bar): SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL. Each returns why a user could
    // not (no active document window, the bar not shown), or nothing when done. `name` is how
    // the journal names the request ("page-down"); its code when empty.
    std::optional<std::wstring> scroll(HWND frame, int bar, int code, std::wstring_view name = {});
    std::optional<std::wstring> dragThumb(HWND frame, int bar, int position);

    // The UI library's framework controls of live forms, by full id ("TechRequirementDialog.View"):
    // choose the item of custom id `itemId` of a select; flip a toggle (or click a button); select
    // rows of a list (single selection takes one); rest the mouse on a row of a list (-1: off the
    // rows). Why a user could not (no such control, another kind, hidden, disabled, no such item
    // or row), or nothing when done.
    std::optional<std::wstring> kvpfSelect(const std::wstring& fullId, int itemId);
    std::optional<std::wstring> kvpfToggle(const std::wstring& fullId);
    std::optional<std::wstring> kvpfSelectRows(const std::wstring& fullId, const std::vector<int>& rows);
    std::optional<std::wstring> kvpfHover(const std::wstring& fullId, int row);
    // Shows or hides a column of a list, as its header's menu does.
    std::optional<std::wstring> kvpfShowColumn(const std::wstring& fullId, int column, bool visible);
    // A cell of a framework list: edited (with `item`, the editor's item of that text chosen),
    // its check box set, its icon clicked.
    std::optional<std::wstring> kvpfEditCell(const std::wstring& fullId, int row, int column, const std::optional<std::wstring>& item);
    std::optional<std::wstring> kvpfCheckCell(const std::wstring& fullId, int row, int column, bool checked);
    std::optional<std::wstring> kvpfClickIcon(const std::wstring& fullId, int row, int column);
    // The kernel's next requirement editor is answered with the text (paragraphs split at "|"),
    // or cancelled.
    void expectRequirementEditor(std::optional<std::wstring> text);

    // Expectations registered and not yet consumed, as "box \"PATTERN\"".
    std::vector<std::wstring> pendingExpectations() const;

private:
    friend class Session;
    explicit User(Session& session) : session_(session) {}
    Session& session_;
};

// A picture as pixels: 0x00RRGGBB, row-major, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool operator==(const Picture&) const = default;
};

class Files {  // the mapped Windows file system of the host folder
public:
    // Writes a picture in the format the path's extension names (".png", ".bmp", ".jpg", ...)
    // through the graphics library's codecs; without pixels, a pattern of its own (a colour per
    // quarter). Throws std::invalid_argument when the extension names no such format.
    void writePicture(std::wstring_view windowsPath, int width, int height, std::vector<std::uint32_t> pixels = {});
    // The picture a file holds (any format the graphics library reads), or nothing.
    std::optional<Picture> readPicture(std::wstring_view windowsPath) const;
    void write(std::wstring_view windowsPath, std::string_view bytes);  // creates parent folders
    std::optional<std::string> read(std::wstring_view windowsPath) const;
    bool exists(std::wstring_view windowsPath) const;
    void remove(std::wstring_view windowsPath);
    // As another program changes the host folder (never through the program's own calls): why
    // it could not be done, or nothing. Relative paths are taken in the program's current folder.
    std::optional<std::wstring> writeOutside(std::wstring_view windowsPath);
    std::optional<std::wstring> makeFolderOutside(std::wstring_view windowsPath);
    std::optional<std::wstring> removeOutside(std::wstring_view windowsPath);
    std::optional<std::wstring> renameOutside(std::wstring_view from, std::wstring_view to);
    std::wstring programFolder() const;
    std::wstring programFile(std::wstring_view name) const;  // program folder + "\\" + name
    void setModuleVersion(std::wstring_view moduleFile, std::wstring_view version);  // edits the manifest
    void setModuleLoadFailure(std::wstring_view moduleFile, unsigned errorCode);      // manifest "load=fail"
    void writeIni(std::wstring_view name, std::wstring_view text);  // UTF-8 text file in the program folder

    std::string hostPath(std::wstring_view windowsPath) const;  // where the file lives on the host
    // What the program would find at a path (relative to its current folder): a file's size and,
    // unless it holds NUL bytes, its lines; a folder's entries in name order (folders end in "\\",
    // files carry their size). Nothing when there is neither.
    std::optional<std::wstring> dump(std::wstring_view windowsPath) const;

private:
    friend class Session;
    explicit Files(Session& session) : session_(session) {}
    Session& session_;
};

class Registry {
public:
    // hive: L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_CLASSES_ROOT"
    void setString(std::wstring_view hive, std::wstring_view key, std::wstring_view name, std::wstring_view value);
    void setDword(std::wstring_view hive, std::wstring_view key, std::wstring_view name, unsigned value);
    std::optional<std::wstring> getString(std::wstring_view hive, std::wstring_view key, std::wstring_view name) const;
    std::optional<unsigned> getDword(std::wstring_view hive, std::wstring_view key, std::wstring_view name) const;
    bool hasKey(std::wstring_view hive, std::wstring_view key) const;
    bool hasValue(std::wstring_view hive, std::wstring_view key, std::wstring_view name) const;
    void denyWrite(std::wstring_view hive, std::wstring_view key);
    std::wstring dump() const;  // every hive, registry-file format
    // The per-user product key: L"Software\\Velmora\\Korvo CAD 18.0" (from the sample ini)
    std::wstring productKey() const;

private:
    friend class Session;
    explicit Registry(Session& session) : session_(session) {}
    Session& session_;
};

class Faults {  // failures that tests inject
public:
    void failSessionStep(std::wstring_view step);  // L"PreInitSession", L"PostInitSession", L"FinishInitSession"
    void failDocumentOpen(std::wstring_view windowsPath, bool throwException);  // null result or exception
    void failTheme(std::wstring_view themeName);  // applying that theme name fails
    void failMainFrameCreation();                 // the first main frame's window cannot be created
    void denyFileRead(std::wstring_view windowsPath);     // reading the file (or folder) is refused
    void failStorageRead(std::wstring_view windowsPath);  // the document file's storage reads fail
    void failDocumentSave(std::wstring_view windowsPath);  // saving the document at that path fails
    // The next time the program reaches the named fault point (platform/faults.h), it fails there:
    // "CMainFrame::OnCreate 1" to "CMainFrame::OnCreate 16" are the main frame's creation steps.
    void failAt(std::wstring_view point);

private:
    friend class Session;
    Faults() = default;
};

class Kernel {  // acts as the kernel / configures its answers
public:
    void setShellDdeCommand(std::wstring_view text);  // what ShellDDERespondWindow::GetShellCommand returns
    void setReopenDocuments(bool);
    void setStartPage(bool show, int mode);
    void setRecentFileCount(int);
    std::vector<std::wstring> openedDocuments() const;  // paths of documents opened, in order
    std::vector<std::wstring> documentTitles() const;   // titles of open documents, in order
    // What the kernel's new-window command does: asks the application (through its kernel
    // callback object) for a new main frame, shown and active. Null when none was created.
    HWND newMainFrame();
    // The UI module's themes, in list order (names are also the captions).
    void setThemes(const std::vector<std::wstring>& names);
    // Document state the kernel's own work would set (`document` is a kernel document).
    void setEditInPlace(CDocument* document, CDocument* assembly, CDocument* fragment);
    void setAssemblyDocument(CDocument* document, CDocument* assembly);
    void setErrorContainer(CDocument* document, bool present);
    void set3DContainerMode(CDocument* document, std::optional<int> mode);  // nullopt: no 3D container
    // The profiles of the document's 3D model: name and colour index (0xFFFFFFFF: no colour).
    void setProfiles(CDocument* document, std::vector<std::pair<std::wstring, unsigned>> profiles);
    void setInCommand(CDocument* document, bool inCommand);
    // Whether a running command asks for the keyboard's keys itself (the frames' shortcuts stay
    // off for them).
    void setRunningCommandTakesKeys(bool takes);
    // The commands the kernel's editing module takes before a main frame does.
    void setEditingModuleCommands(std::set<UINT> ids);
    // The commands add-on application `name` takes in its window-message hook.
    void setAddOnCommands(const std::wstring& name, std::set<UINT> ids);
    void setRepaintFlag(CDocument* document, bool on);
    // The number of objects in the document's stored selection (0: empty).
    void setStoredSelection(CDocument* document, int count);
    // The calls the program's idle passes made into the maker's libraries since the last take
    // (kept apart from the journal; only the most recent few hundred), oldest first.
    std::vector<std::wstring> takeIdleCalls();
    // Whether the 3D part asks for the system-panel defaults when a document becomes current.
    void setSyspanelResetWanted(bool wanted);
    void setMacroManagerPresent(bool present);
    // The kernel has a macro manager with these macros installed.
    void installMacros(std::vector<std::wstring> names);
    // A program behind the Windows path `path` (its file made when missing): one that ends at once
    // with `exitCode`, or (nullopt) one that runs until endProgram. An empty answer when done, else
    // why not.
    std::wstring registerProgram(const std::wstring& path, std::optional<DWORD> exitCode);
    // Ends the running starts of the program (their number), or, with none running, the next start
    // the first time its starter looks at it (0).
    int endProgram(const std::wstring& path, DWORD exitCode);
    // The macro manager's running macro refuses to stop (its stop query answers no).
    void setMacroManagerRefusesStop(bool refuses);
    // The add-on application manager refuses to let the program exit.
    void setApplicationsRefuseExit(bool refuse);
    // Installs add-on application `name` (when missing) owning the command ids first to last.
    void installApplication(std::wstring_view name, unsigned firstCommand, unsigned lastCommand);
    // Add-on application `name` (installed when missing) runs, and the kernel is in the tools
    // mode in which add-ons ask for their windows; or it stops.
    void runApplication(std::wstring_view name, bool running);
    // The application's command `id` is disabled (or enabled again) by its own update.
    void setApplicationCommandDisabled(std::wstring_view name, unsigned id, bool disabled);
    // The kernel description of application command `id` disables it (or enables it again).
    void setDescribedCommandDisabled(unsigned id, bool disabled);
    // The PDM settings' instance key path (empty: no PDM system configured), and whether the
    // work mix's connect fails.
    void setPdmInstanceKeyPath(std::wstring_view path);
    void setPdmConnectFails(bool fails);
    // PDM connection objects not released yet.
    int pdmConnectionsAlive() const;
    // The 3D part's state: in its 3D state, and running an operation of its own there.
    void set3DState(bool in3DState, bool operationActive);
    // Whether the 3D part and the edit module make the pane windows the application asks for
    // (default true).
    void setPaneWindowsOffered(bool offered);
    // What the background-process manager allows (the status line's Pause and Resume buttons).
    void setBackgroundProcessControls(bool pauseEnabled, bool resumeEnabled);
    void openPropertyFormChild(unsigned id);
    // What the installed add-on applications do on the UI thread each time the kernel's manager
    // starts them (first or second phase of start-up).
    void whileApplicationsStart(std::function<void(bool firstPhase)> action);
    // Dispatches every message waiting on the UI thread through the framework's pump, as an
    // add-on's own loop or a progress display does while the program is busy.
    void pumpMessages();
    // A call of the kernel's running command on the status line of the active main frame:
    // begin a progress, step it, set its position, end it. Until the last begin has ended, the
    // calls go to the status line the first begin used, whichever frame is active. The call's answer as text ("true",
    // "false" or a number), or nothing when no main frame has a status line.
    enum class ProgressCall { Begin, Step, SetPosition, End };
    std::optional<std::wstring> progress(ProgressCall call, int position = 0);
    // The documents-menu model, changed as the kernel would change it.
    DocumentsMenuModel& documentsMenu() { return documentsMenu_; }

    // Writes a kernel document file (a compound file) at `windowsPath`: kind 1 drawing ... 5
    // specification; without the header it is a compound file the kernel does not take for a
    // document.
    void writeDocumentFile(std::wstring_view windowsPath, unsigned kind = 1,
                           const std::vector<std::wstring>& pages = {L"Sheet 1"}, bool header = true);
    // A drawing whose summary holds these properties ("Author", "Title", "Keywords" ...).
    void writeDocumentFile(std::wstring_view windowsPath,
                           const std::vector<std::pair<std::wstring, std::wstring>>& properties);
    // The kernel's folder watcher hears of a change made outside the program: action 1 added,
    // 2 removed, 3 modified, 4 renamed (`newPath` then names the new file).
    void folderChanged(unsigned action, std::wstring_view path, std::wstring_view newPath = {});
    // What the import paths answer (default: nothing is imported, no add-on opens a file).
    enum class Import3D { Nothing, DocumentWithView, DocumentWithoutView };
    void set3DImport(Import3D result);
    void setDocumentImportSucceeds(bool succeeds);
    void setAddOnOpensFiles(bool opens);
    // The kernel reports load failures itself (the application then shows none).
    void setKernelReportsLoadFailures(bool reports);
    void setAutoSave(bool on, int minutes);
    void setModified(CDocument* document, bool modified);
    void setReadOnly(CDocument* document, bool readOnly);
    // Reports a critical error to the application as the kernel would, on the UI thread or on a
    // worker thread (which the call joins, unless the error ended the process).
    void reportCriticalError(std::wstring_view message, bool onWorkerThread);
    // Whether the crash reporter's error dialog is answered by asking for a restart.
    void setCrashDialogRestarts(bool restart);
    // Raises application event 783 (something was selected in the document's view).
    void raiseSelectionEvent(CDocument* document, unsigned flags);
    // Parameters of a kernel document as the kernel's own work sets them, by parameter name
    // ("Color", "Layer", "Level", "Priority", "FontSize", "FontName").
    int addObject(CDocument* document);  // the new object's index
    void setObjectParameter(CDocument* document, int object, std::string_view name,
                            const kveval::VariantParameter& value);
    std::optional<kveval::VariantParameter> objectParameter(CDocument* document, int object,
                                                            std::string_view name) const;
    // Selects the objects (-1 stands for an empty entry); nothing: no selection.
    void select(CDocument* document, std::vector<int> objects);
    // The defaults for new elements: written into every default container that has the name;
    // read per container (2D first, then 3D; a container without the name is left out).
    void setDefaultParameter(CDocument* document, std::string_view name, const kveval::VariantParameter& value);
    std::vector<kveval::VariantParameter> defaultParameter(CDocument* document, std::string_view name) const;
    int addVariable(CDocument* document, std::wstring_view name, double value);  // its index
    // What the document's next variable creations answer (nothing: the kernel's own answer).
    void setVariableCreationResult(CDocument* document, std::optional<int> result);
    // Raises a parameter event (515, 531, 778, 783, 791, 1037) for the document, once for each of
    // its views (every main frame showing it hears), or once without a view when it has none.
    void raiseParameterEvent(CDocument* document, unsigned eventId, unsigned flags = 0);
    // A command of the kernel starts (or ends) running in the document. While it runs, the
    // commands of the panel's parameter controls (904, 907, 909, 911, 912, 915) reach it and it
    // reads the control's value back through the application's panel getters, journalled as a
    // `call PanelValueReader reads ...` line. Every main frame hears that the active command
    // changed.
    void setCommandRunning(CDocument* document, bool running);
    // The operations above by name with simple arguments, as the console's `model` verb calls
    // them (DOCUMENT a 1-based index of the open documents); the answer as text. Throws
    // std::invalid_argument for an unknown operation or arguments that do not fit.
    std::wstring work(std::wstring_view operation, const std::vector<std::wstring>& arguments);
    static std::vector<std::wstring> workOperations();  // each with its arguments
    // Per open document: its objects with their parameters, the selection, the default
    // containers, the variables, and whether a command runs.
    std::wstring dumpParameters() const;
    // The PDM work mix: connected or not; a file it manages; a file it holds back from opening;
    // a PDM call ("FindFile", "Update", "GetOpeningContext", "CanOpenFileFromWorkmix") that throws
    // the PDM system's exception from now on.
    void setPdmConnected(bool connected);
    void pdmManageFile(std::wstring_view windowsPath, bool readOnly, bool nomenclature = false);
    // The PDM system manages the folder (FindFolder finds it).
    void pdmManageFolder(std::wstring_view windowsPath);
    void pdmHoldBack(std::wstring_view windowsPath);
    // The state of a managed file's item (2 taken for editing, 3 checked in).
    void pdmSetItemState(std::wstring_view windowsPath, int state);
    void pdmFailCall(std::wstring_view call);
    // The PDM client's reference controls close without destroying their windows; how many
    // reference controls are alive; how many model trees the 3D part hosts for the program.
    void pdmReferenceControlsLeaveWindows(bool leave);
    int pdmReferenceControlsAlive() const;
    int hostedModelTrees() const;
    // The machine's installed PDM programs (one by default); what connecting answers (0
    // connected, 1 refused, 2 not connected, 3 start-up ends); the settings profile the PDM
    // integration parameters name (empty: none).
    struct PdmProgram {
        std::wstring name, keyPath, version, folder;
    };
    void pdmSetInstalledPrograms(std::vector<PdmProgram> programs);
    void pdmSetConnectResult(int result);
    void pdmSetIntegrationProfile(std::wstring_view profile);
    // The kernel's own PDM work by name (the `model` verb tries these after the requirement
    // operations): ConnectPdm ["PROFILE"] (the work mix connects, its integration parameters
    // naming PROFILE; the answer is the connection result) and DisconnectPdm. False when
    // `operation` is neither.
    static bool pdmWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer);
    static std::vector<std::wstring> pdmOperations();
    // The kernel's work around the start pages, PDM explorers and diagnostics:
    // SetStartPageMode MODE ["URL"], SetPdmObject KIND 0|1 ["NAME"], FailPdmCall "CALL".
    static bool pageWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer);
    static std::vector<std::wstring> pageOperations();

    // Calls the application's kernel callback object as the kernel would: on the UI thread, or
    // on a worker thread that the call joins (rethrowing what the call threw). While a worker
    // runs, what it sends to the UI thread's windows runs on the UI thread, as the program's loop
    // would run it. A worker call that can never end (manual clock), or one given up through
    // Config::interrupted, ends the process and throws HungCall once the worker has unwound.
    // Throws std::logic_error when the application made no callback object.
    void callback(const std::function<void(KorvoServerAppProxy&)>& call, bool onWorkerThread = false);
    // A callback operation with simple arguments by name, as the console's `kernel` verb calls it
    // (numbers decimal or 0x..., texts, DOCUMENT and FRAME as 1-based indexes, 0 for none); its
    // answer as text ("true", "42", "\"text\"", "window 0x...", "null", "done"; "the process
    // ended" when the call ended the program's process).
    // std::invalid_argument for an unknown operation or arguments that do not fit.
    std::wstring callback(std::wstring_view operation, const std::vector<std::wstring>& arguments,
                          bool onWorkerThread = false);
    // The operations `callback` by name knows, each with its arguments ("IsToolBarVisible BAR").
    static std::vector<std::wstring> callbackOperations();
    // An operation of main frame `frame`'s selection-filter interface by name, as the kernel
    // calls it on the UI thread; its answer as `callback` gives it. std::invalid_argument for an
    // unknown operation, arguments that do not fit, or a window that is no main frame.
    std::wstring frameCall(HWND frame, std::wstring_view operation, const std::vector<std::wstring>& arguments);
    // An operation of main frame `frame`'s manipulator panel 1 or 2 by name, as a running command
    // calls it; the kernel's control objects are named by the script ("len") and made by the
    // first Add that names them. Besides the panel's operations: `Destroy NAME` (the command
    // drops the object) and `HookKeys NAME KEY...` (the keys its key hook takes).
    std::wstring manipCall(HWND frame, int panel, std::wstring_view operation, const std::vector<std::wstring>& arguments);
    // An add-on hosts the technical-requirements pane in main frame `frame` (through the program's
    // export): its window in the application's slot, docked as pane 1038, bound to the active
    // document. Why it could not, or nothing.
    std::optional<std::wstring> hostRequirementsPane(HWND frame);
    // The kernel's own work on a document's requirements and pages, by name (the `model` verb
    // tries these after the parameter operations): false when `operation` is none of them.
    // AddRequirement, DeleteRequirement, AddPage (raises the pages event) and SetRequirementType
    // (raises the types event).
    static bool requirementWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer);
    static std::vector<std::wstring> requirementOperations();
    // The kernel's own work around saving, by name (the `model` verb tries these too): false when
    // `operation` is none of them. FailGeometrySave, CloseWindowsDuringSave, SetReadOnly,
    // ConnectPdm, ManageInPdm, BindNomenclature, SetWorkMixReference.
    bool saveWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer);
    static std::vector<std::wstring> saveOperations();
    // The kernel's own work on its views (the `model` verb tries these too): false when
    // `operation` is none of them. ZoomView (then the bird's-eye view hears of the redraw),
    // SetRegenerationNeeded.
    bool viewWork(std::wstring_view operation, const std::vector<std::wstring>& arguments, std::wstring& answer);
    static std::vector<std::wstring> viewOperations();
    // The kernel's work arrives with messages of its own (a command's start and end, a change
    // of the model): a message for the UI thread, after which the program's loop idles.
    static void postWorkMessage();
    // GlobalContainer::InAppCreateToolsMode's answer (default false).
    void setToolsMode(bool on);
    // The kind the kernel's 3D module reports (1 full, 2 viewer, 0 none; default 1).
    void set3DModuleKind(int kind);
    // The folder the kernel's file dialog of that name starts in (empty when none was saved).
    std::wstring rememberedFolder(std::wstring_view dialogName) const;
    // The kernel settings' two link-update suppression values.
    std::pair<int, int> linkUpdateSuppression() const;
    // Writes a kernel document file that also holds a preview and an icon picture of those
    // sizes (a side of 0 leaves that picture out).
    void writeDocumentFileWithPictures(std::wstring_view windowsPath, SIZE preview, SIZE icon);

private:
    friend class Session;
    Kernel() = default;
    DocumentsMenuModel documentsMenu_;
};

// An automation client of the program: creates objects by ProgID as OLE would and calls their
// operations by name with typed arguments; each call is delivered on the UI thread through the
// object's dispatch map, after which the loop runs until idle (as OLE's message handling returns
// to it). Objects are numbered from 1 in the order the client got them (created, or returned by
// a call); the client holds one reference to each until it releases it or the session ends.
class Automation {
public:
    using ObjectId = std::size_t;
    struct Answer {
        HRESULT hr = S_OK;
        DispatchValue value;             // a returned object is held, and named in `object`
        std::optional<ObjectId> object;  // with VT_DISPATCH: the held object, nothing for null
    };
    // The class id under HKEY_CLASSES_ROOT\<ProgID>\CLSID, then the registered factory of that
    // class id. Throws std::runtime_error saying which step failed.
    ObjectId create(std::wstring_view progId);
    Answer call(ObjectId object, std::wstring_view name, std::vector<DispatchValue> arguments);
    // The parameter types of operation `name`; nothing when the object is gone or has no such
    // operation. Throws std::invalid_argument for an id the client never had.
    std::optional<std::vector<VARTYPE>> parameters(ObjectId object, std::wstring_view name) const;
    // Gives the client's reference back; false when it was released already.
    bool release(ObjectId object);
    // Gives back every reference the client holds, the newest first, as a client process that
    // ends does.
    void releaseAll();
    // The objects that keep the application alive (AfxOleLockApp's count).
    LONG lockCount() const;
    // "S_OK", or the failure code in hex with its name.
    static std::wstring describeResult(HRESULT hr);

private:
    friend class Session;
    explicit Automation(Session& session) : session_(session) {}
    struct Held {
        IDispatch* dispatch = nullptr;
        std::uint64_t serial = 0;
        bool released = false;
    };
    const Held& held(ObjectId object) const;
    ObjectId hold(IDispatch* dispatch, std::uint64_t serial);
    Session& session_;
    std::vector<Held> objects_;
};

// A row of a list view as it shows: its text, item data and the image it showed when last
// painted (none for a row whose image is left to its owner and that was never painted).
struct ListViewRow {
    std::wstring text;
    LPARAM data = 0;
    std::optional<int> image;
};

class Inspect {
public:
    // The first shown list view inside `window` (null when none) and its rows in shown order.
    HWND listView(HWND window) const;
    std::vector<ListViewRow> listViewRows(HWND list) const;
    std::vector<HWND> mainFrames() const;  // the UI module's frames in creation order
    HWND activeMainFrame() const;          // the UI module's active frame, or null
    std::vector<HWND> topLevelWindows() const;
    std::wstring text(HWND) const;
    bool visible(HWND) const;
    std::wstring dumpWindows() const;  // tree: handle 0x%08x, class, "text", flags, rect
    // The UI module's main frames in its order, one a line: its number (1, 2, ...), handle
    // 0x%08x, "title", active or inactive.
    std::wstring dumpFrames() const;
    // The command bars of a main frame, one bar a line: "bar <id> \"<title>\" <kind> visible|hidden",
    // then its controls indented, one a line: "<id> <type> \"<caption>\" visible|hidden
    // enabled|disabled checked|unchecked". Empty when the window is not a main frame or has no
    // command bars.
    std::wstring dumpBars(HWND frame) const;
    // The options the bars of main frame `frame` follow, one group a line: "icons", "menus",
    // "screen-tips" (with the kernel's options and settings the tips read), "tab-bar" (its own
    // flags) and "usage" (the commands the user ran). Empty when it is not a main frame.
    std::wstring dumpBarOptions(HWND frame) const;
    // Every command the kernel's containers and the context-menu container know: a header line,
    // then one line per registration sorted by id, in space-aligned columns: id (or "first-last"
    // for a range), name, flags (0x%X), how it was registered, context-menu symbol; an empty name
    // or symbol leaves its column blank.
    std::wstring dumpCommands() const;
    // The ribbon of main frame `frame`: one line per tab (index, "caption", flags), its groups
    // indented under it and their controls under them (id, type, "caption", state), then the
    // quick-access and the ribbon's own controls. Empty when the frame has no ribbon.
    std::wstring dumpRibbon(HWND frame) const;
    // The backstage of main frame `frame`: open or closed, one line per tab (id, "caption", name,
    // disabled, hidden, default, active), then the shown page: the help id in force and what the
    // page hosts. Empty when the frame has no ribbon.
    std::wstring dumpBackstage(HWND frame) const;
    // The tooltip shown for the frame's command bars: its size and drawn texts, one a line;
    // empty when none is shown.
    std::wstring tooltip(HWND frame) const;
    // The window docking pane `paneId` of main frame `frame` hosts, or null.
    HWND paneWindow(HWND frame, unsigned paneId) const;
    // The first visible report control inside `window` (depth first), or null.
    HWND shownReportControl(HWND window) const;
    // The frame's docking panes in the manager's order, one a line: id, state (docked, floating,
    // hidden, closed), "title", icon ID, "group HEAD" when in another pane's tab group,
    // "selected", window 0x%08x or none; below a pane, indented, the rows of the report control
    // its window shows (ReportDriver::outline). Empty without panes.
    std::wstring dumpPanes(HWND frame) const;
    // The frame's status line: "pane INDEX id ID "text"" (with "hidden") per pane, then its
    // progress bars ("progress id ID POS/UPPER", "marquee") and buttons ("button ID "tooltip"",
    // "hidden", "disabled"), then "taskbar STATE COMPLETED/TOTAL" of the frame's taskbar
    // button. Empty without a status line.
    std::wstring dumpStatus(HWND frame) const;
    // The document tabs of main frame `frame`: per tab group "group N (l,t)-(r,b)", then per tab
    // "  N 0x%08x \"text\" [selected] (l,t)-(r,b) tip \"tooltip\"" and its close button; empty when
    // the frame shows no tabs.
    std::wstring dumpTabs(HWND frame) const;
    // What the main frame shows: its visible windows as a tree, each "0x%08x \"CLASS\" \"text\"
    // (l,t)-(r,b)" in the frame's own coordinates ((0,0) its top-left corner), and below a window
    // the parts the toolkit draws in it: ribbon tabs, groups and controls, tool-bar controls, a
    // docking pane's caption and tabs, document tabs, status-line panes. Empty when nothing shows.
    std::wstring dumpLayout(HWND frame) const;
    // Draws what the frame shows (as dumpLayout lays it out, with the pixels the windows painted)
    // into a PNG file at `hostPath` on the host's file system, replacing it whole; the reason it
    // could not, or nothing.
    std::optional<std::wstring> snapshot(HWND frame, const std::string& hostPath) const;
    // A control id `window`'s layout shows, and whether any of its places there is enabled.
    struct CaptionedControl {
        long long id = 0;
        bool enabled = false;
    };
    // The distinct ids of the controls `window`'s layout shows with the caption (mnemonic marks
    // ignored), in the layout's order.
    std::vector<CaptionedControl> controlsCaptioned(HWND window, std::wstring_view caption) const;
    // The numbers (as dumpTabs counts them) of the frame's document tabs captioned so.
    std::vector<int> documentTabsCaptioned(HWND frame, std::wstring_view caption) const;
    // The tool bars inside a window (a pane's own, say), as dumpBars prints a frame's.
    std::wstring dumpWindowBars(HWND window) const;
    // What the window's last paint drew, one call a line.
    std::vector<std::wstring> drawing(HWND window) const;
    // The view of the active document window of main frame `frame`: its own diagnostic dump (an
    // image view: zoom, origin, picture, zoomed and client sizes), its scroll bars
    // ("horizontal MIN..MAX page P pos N" or "horizontal none", the same for vertical) and its
    // last paint, one call a line indented. Empty without an active document window.
    std::wstring dumpActiveView(HWND frame) const;
    // Every print job so far: "job N \"document\" ended" (or "printing"), its drawing indented.
    std::wstring dumpPrintJobs() const;
    // The kernel's documents in opening order, one a line: "title" "path", modified or
    // unmodified, read-only or writable, editing blocked or editable, `holds N` (the saves holding it), and the handle of each
    // frame that shows it (none when it has no frame). Then the application's other documents
    // (pictures): "title" "path" (a picture is titled by the path it was read from), the
    // framework class, modified or unmodified, and the frames.
    std::wstring dumpDocuments() const;
    // The technical-requirements pane an add-on hosts, as the program outlines it; "(no pane)".
    std::wstring dumpRequirements() const;
    // The undo steps the requirement services made in the open document of that path, oldest
    // first, one caption a line; empty when there are none. Nothing when no document has that path.
    std::optional<std::wstring> dumpUndo(std::wstring_view path) const;
    // The bird's-eye-view pane as the program outlines it; "(no pane)" without its window.
    std::wstring dumpBirdsEye() const;
    // The add-on applications the kernel knows, native then managed, one a line: identifier,
    // "title", "path", native or managed, where the kernel learnt of it (ini, installed, added),
    // its flags, and started, stopped or not found.
    std::wstring dumpApplications() const;
    // What the mail program received at each start: its command line and its standard input.
    std::wstring dumpMail() const;
    // The PDM client stand-in: connected or not, the instance it names, its product name (and
    // whether asking for it fails) and the PDM system's version, a line each.
    std::wstring dumpPdm() const;
    // The diagnostics pane: its window as the program outlines it, the pane icon each main
    // frame shows, the dialogs of the documents' messages with their rows, the container the
    // diagnostics window shows and the hidden messages; "(no pane)" without its window.
    std::wstring dumpDiagnostics() const;
    // The popup tool bar's button sets the UI library's editor holds, in its order: "set VIEW
    // TYPE SUBTYPE flags 0xF \"CAPTION\"", then each button "  ID show-in-panel|hidden".
    std::wstring dumpButtonSets() const;
    // What the program's work has cost on the host so far: the thread table's records, the
    // start-up (to the end of the first loop pass), the last loop pass, and the steps (messages
    // the UI thread dispatched): their number and the longest, then those that looked at files
    // with the files the longest looked at and the most any one did.
    std::wstring dumpCosts() const;

private:
    friend class Session;
    Inspect() = default;
};

class Session {  // one per process; a second one throws
public:
    explicit Session(Config config = {});
    ~Session();  // ends the run if still running; reports failures to the failure hook
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void start();  // AfxWinInit, InitApplication, InitInstance (result kept)
    int startResult() const;
    // Whether the start-up answered 0 because the command line's print was done (/p, /pt): the
    // program then ends as the framework's print-and-exit does, which is no failure.
    bool startEndedAfterPrinting() const;
    void runUntilIdle();                  // the framework's loop, returning instead of blocking
    void advance(unsigned milliseconds);  // clock, then runUntilIdle
    // Closes every main frame as a user would, runs the loop to its end (ExitInstance); if start
    // failed, runs ExitInstance; returns the exit code. Once the run has ended (or when it never
    // started) it only returns that exit code again, after turning expectations never used into
    // failures.
    int quit();
    bool running() const;

    User& user();
    Files& files();
    Registry& registry();
    Faults& faults();
    Kernel& kernel();
    Automation& automation();
    Inspect& inspect();
    platform::core::Journal& journal();

    // Strict-mode failures so far (unexpected boxes, ...), including expectations left unconsumed
    // once the run has ended.
    std::vector<std::wstring> takeFailures();
    // Called with each failure when the session ends (tests install a gtest hook via tests/support).
    static void setFailureHook(std::function<void(const std::wstring&)> hook);

    const Config& config() const;
    std::string hostRoot() const;  // the host folder in use (a fresh temporary one when none was given)

    struct State;  // the harness's own bookkeeping (platform/harness/session_state.h)

private:
    void ended(int exitCode);  // the program's loop has ended (or it never ran): journals the exit code
    void checkEnd();           // once the run has ended: expectations never used become failures

    std::unique_ptr<State> state_;
    User user_;
    Files files_;
    Registry registry_;
    Faults faults_;
    Kernel kernel_;
    Automation automation_;
    Inspect inspect_;
};

}  // namespace platform::harness
