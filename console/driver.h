// Runs script steps against a session as a user at the keyboard would, and decides the exit code.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "console/script.h"
#include "console/transcript.h"
#include "console/verbs.h"
#include "platform/harness.h"

namespace korvo::console {

// Exit codes of the console besides the program's own.
inline constexpr int kExitFailed = 1;       // a strict failure, an unconsumed expectation, failed start-up
inline constexpr int kExitScriptError = 2;  // bad command line, bad script, a verb that cannot run now
inline constexpr int kExitHung = 3;         // a call into the program could never end: the run was ended
// The framework's File Open command, which the open verb sends.
inline constexpr unsigned kFileOpenCommand = 0xE101;

// The shell's documents-menu tree the console's user acts on (rows named by their captions from
// the top row down, joined by "/"). The program installs the hooks; without them the verbs say
// the documents menu is missing. Each action returns what the user could not do, empty when done.
struct DocumentsMenuHooks {
    std::wstring (*outline)() = nullptr;
    std::wstring (*expand)(const std::wstring& row) = nullptr;
    std::wstring (*enter)(const std::wstring& row) = nullptr;
    std::wstring (*rename)(const std::wstring& row, const std::wstring& name) = nullptr;
    void (*close)() = nullptr;  // before the program ends, so the rows let go of the model
};
void setDocumentsMenuHooks(const DocumentsMenuHooks& hooks);
// The run ends: the tree goes while the model it follows is still there.
void closeDocumentsMenu();

// What `dump panel` prints for a main frame: the shell's outline of the frame's system panel.
// The program installs it; without it the verb says the panel is missing.
void setSysPanelOutline(std::wstring (*outline)(HWND frame));
// The open chooser of a main frame's parameter control: a pick in it and its deactivation (each
// says what a user could not do, or is empty); the program installs them.
struct ChooserHooks {
    std::wstring (*pick)(HWND frame, const std::wstring& item) = nullptr;
    std::wstring (*away)(HWND frame) = nullptr;
    // What the open chooser shows, a line each (empty: none open), and its window (or null).
    std::wstring (*describe)(HWND frame) = nullptr;
    HWND (*window)(HWND frame) = nullptr;
    // What `dump fonts` prints for a main frame.
    std::wstring (*fonts)(HWND frame) = nullptr;
};
void setChooserHooks(const ChooserHooks& hooks);
// What `dump modes` prints for a main frame; the program installs it.
void setFrameModesOutline(std::wstring (*outline)(HWND frame));
// What `dump state` prints for a main frame; the program installs it.
void setFrameStateOutline(std::wstring (*outline)(HWND frame));
// The command search's list as `search` prints it (for the find-command pane's window), and the
// main-bar modes page's making of a tool bar from a tab (what a user could not do, or empty);
// the program installs them.
struct CommandSearchHooks {
    std::wstring (*outline)(HWND window) = nullptr;
    std::wstring (*toolBarFromTab)(HWND frame, const std::wstring& caption) = nullptr;
};
void setCommandSearchHooks(const CommandSearchHooks& hooks);
// The help-link protocol as the start page's links run it (whether it was handled), the help
// window of a main frame (or null), a link clicked in it (what a user could not do, or empty),
// and what `dump help` prints; the program installs them.
struct HelpHooks {
    bool (*link)(const std::wstring& url) = nullptr;
    HWND (*helpWindow)(HWND frame) = nullptr;
    std::wstring (*clickLink)(HWND frame, const std::wstring& url) = nullptr;
    std::wstring (*outline)(HWND frame) = nullptr;
};
void setHelpHooks(const HelpHooks& hooks);
// What `dump list` prints besides a row's text, data and icon: the program's word for the item
// with the row's data in the list (its kind and path), and the list's own heading (what it
// shows); the program installs them.
struct ListRowHooks {
    std::wstring (*heading)(HWND list) = nullptr;
    std::wstring (*row)(HWND list, LPARAM data) = nullptr;
};
void setListRowHooks(const ListRowHooks& hooks);
// What `dump browser` prints of the browser pane in a window (empty: none there); the program
// installs it.
void setBrowserPaneOutline(std::wstring (*outline)(HWND window));
// What `dump watches` prints: the folders the documents menu watches and what follows each; the
// program installs it.
void setWatchesOutline(std::wstring (*outline)());
// What `dump formfactors` prints of the form factors shown below a window (empty: none there);
// the program installs it.
void setFormFactorsOutline(std::wstring (*outline)(HWND window));
// The search box over the form factors shown below a window (null: none shown there); the
// program installs it.
void setFormFactorSearchBox(CXTPControlEdit* (*find)(HWND window));

// What `dump tips`, `dump log` and `dump text-browsers` print: the shell's outlines of the tips
// strip, the log window and the text browsers; the program installs them.
struct TextToolHooks {
    std::wstring (*tips)() = nullptr;
    std::wstring (*log)() = nullptr;
    std::wstring (*textBrowsers)() = nullptr;
};
void setTextToolHooks(const TextToolHooks& hooks);

// What `dump user-commands` prints and how `import-commands` reads a command file (the answer to
// print, `ok` false when the file was not taken); the program installs them.
struct UserCommandHooks {
    std::wstring (*outline)() = nullptr;
    std::wstring (*import)(const std::wstring& path, bool& ok) = nullptr;
};
void setUserCommandHooks(const UserCommandHooks& hooks);

class Driver {
public:
    Driver(platform::harness::Session& session, Transcript& transcript, std::ostream& err, std::string source,
           bool strict);

    // At a terminal a verb that cannot run at its point is reported and the session goes on;
    // a script stops there.
    void goOnAfterMistakes() { goOnAfterMistakes_ = true; }
    // A script checks itself: a verb a user could not carry out (a misspelt caption) is a failure
    // of the run, not only a line in the transcript.
    void failOnRefusals() { failOnRefusals_ = true; }
    // Runs one step, or skips it or reports it as a mistake when its verb says so for this point
    // of the run; false when the run must not go on (a mistake, or a strict failure).
    bool run(const Step& step);
    // Reports a mistake at `line` of the input (a line that did not parse, a verb that cannot run
    // now); the run then ends with kExitScriptError.
    void scriptError(int line, const std::string& message);
    // Ends the run as a user would when it is still going, reports what went wrong, and returns
    // the exit code.
    int finish();

private:
    friend std::span<const Verb> verbs();

    // The verbs' handlers, each called only at a point of the run where its verb runs; false
    // when the step was a mistake after all (reported).
    bool start(const Step& step);
    bool idle(const Step& step);
    bool advance(const Step& step);
    bool command(const Step& step);
    bool click(const Step& step);
    bool expectBox(const Step& step);
    bool expectBoxAfter(const Step& step);
    bool expectBoxAfterShowingWindows(const Step& step);
    bool dde(const Step& step);
    bool expectFileChoose(const Step& step);
    bool expectDragChoose(const Step& step);
    bool expectDragChooseControl(const Step& step);
    bool expectDragCancel(const Step& step);
    bool dragRow(const Step& step);
    bool renameRow(const Step& step);
    bool dumpList(const Step& step);
    bool dumpBrowser(const Step& step);
    bool dumpClipboard(const Step& step);
    bool dumpFormFactors(const Step& step);
    bool searchFormFactors(const Step& step);
    bool selectRow(const Step& step);
    bool fileWrite(const Step& step);
    bool fileMakeFolder(const Step& step);
    bool fileDelete(const Step& step);
    bool fileRename(const Step& step);
    bool expectDrop(const Step& step, bool control);
    bool expectFileCancel(const Step& step);
    bool expectFileClickAccept(const Step& step);
    bool expectFolderChoose(const Step& step);
    bool expectFolderCancel(const Step& step);
    // Add-on applications that run or stop (console/addon_verbs.cpp).
    bool addonRun(const Step& step);
    bool addonStop(const Step& step);
    bool open(const Step& step);
    bool dumpDocuments(const Step& step);
    bool dumpWindows(const Step& step);
    bool dumpRegistry(const Step& step);
    bool dumpFile(const Step& step);
    bool dumpCommands(const Step& step);
    bool dumpFrames(const Step& step);
    bool dumpBars(const Step& step);
    bool dumpPanes(const Step& step);
    bool dumpStatus(const Step& step);
    bool closePane(const Step& step);
    bool floatPane(const Step& step);
    bool hidePane(const Step& step);
    bool paneMenu(const Step& step);
    bool showPane(const Step& step);
    bool beginProgress(const Step& step);
    bool setProgress(const Step& step);
    bool stepProgress(const Step& step);
    bool endProgress(const Step& step);
    bool dumpTabs(const Step& step);
    bool newFrame(const Step& step);
    // Closing frames, shell drops, the end of the session, the frame's modes (console/frame_verbs.cpp).
    bool closeFrame(const Step& step);
    bool helpLink(const Step& step);
    bool frameHelpLink(const Step& step);
    bool closeHelp(const Step& step);
    bool dumpHelp(const Step& step);
    bool startPageAction(const Step& step);
    bool dumpStartPage(const Step& step);
    bool dumpDiagnostics(const Step& step);
    bool dumpUserCommands(const Step& step);
    bool importCommands(const Step& step);
    bool programExit(const Step& step);
    bool programRun(const Step& step);
    bool programEnd(const Step& step);
    bool expectMacro(const Step& step);
    bool expectMacroCancel(const Step& step);
    bool installMacros(const Step& step);
    bool dumpButtonSets(const Step& step);
    bool dumpCosts(const Step& step);
    bool dropFiles(const Step& step);
    bool dropFilesControl(const Step& step);
    bool dropFilesHolding(const Step& step, bool control);
    bool mouse(const Step& step);
    bool logoff(const Step& step);
    bool dumpModes(const Step& step);
    bool dumpState(const Step& step);
    // The command search and the tabbed main bar (console/command_search_verbs.cpp).
    bool searchCommands(const Step& step);
    bool openRow(const Step& step);
    bool rightClickRow(const Step& step);
    bool rowAction(const Step& step, platform::harness::User::MouseAction action);
    bool toolBarFromTab(const Step& step);
    bool dumpBarOptions(const Step& step);
    bool printJournal(const Step& step);
    bool quit(const Step& step);
    // Lets the console's automation client give back what it holds (before the program is closed).
    void endAutomationClient();
    // What the previous verb printed, asserted (console/assertions.cpp).
    bool assertPrinted(const Step& step);
    bool assertNotPrinted(const Step& step);
    bool assertion(const Step& step, bool wanted);
    // The kernel's documents-menu model and the configurations tree (console/documents_menu.cpp).
    bool addConfiguration(const Step& step);
    bool addLibrary(const Step& step);
    bool dumpDocumentsMenu(const Step& step);
    bool dumpWatches(const Step& step);
    bool expandDocumentsMenuRow(const Step& step);
    bool enterDocumentsMenuRow(const Step& step);
    bool renameDocumentsMenuRow(const Step& step);
    // Prints what the user could not do at the tree; false when the hooks are missing.
    bool documentsMenuDid(const std::wstring& refusal);
    // The documents-menu window as its user works it (console/documents_menu.cpp).
    bool searchDocumentsMenu(const Step& step);
    bool expandDocumentsPaneRow(const Step& step);
    bool collapseDocumentsMenuRow(const Step& step);
    bool toggleDocumentsMenuRowVisible(const Step& step);
    bool selectDocumentsMenuRow(const Step& step);
    bool toggleDocumentsMenuShowHidden(const Step& step);
    // The window docking pane 1004 of the first main frame that hosts it shows; null (said in the
    // transcript) when none does.
    HWND documentsMenuWindow(const Step& step);
    // The row captioned as the step says in the window's shown view; -1 (said) when none.
    int documentsMenuRow(const Step& step, HWND& report);
    // The command bars and the ribbon (console/ribbon_verbs.cpp).
    bool selectTab(const Step& step);
    bool hover(const Step& step);
    bool dumpRibbon(const Step& step);
    bool dumpBackstage(const Step& step);
    bool openBackstage(const Step& step);
    bool closeBackstage(const Step& step);
    bool expectMenuChoose(const Step& step);
    bool expectMenuDismiss(const Step& step);
    // The system panel (console/syspanel_verbs.cpp).
    bool dumpSysPanel(const Step& step);
    bool typeText(const Step& step);
    bool pressKey(const Step& step);
    bool pressWindowKey(const Step& step);
    bool spinEdit(const Step& step);
    bool editContextMenu(const Step& step);
    bool editCommand(const Step& step);
    // Dialogs (console/dialog_verbs.cpp).
    bool expectDialog(const Step& step);
    bool expectNamedDialog(const Step& step);
    bool clickListButton(const Step& step);
    bool expectVariable(const Step& step);
    bool expectVariableCancel(const Step& step);
    bool expectTextModule(const Step& step);
    bool expectTextModuleCancel(const Step& step);
    // The parameter controls' choosers (console/chooser_verbs.cpp).
    bool pickInChooser(const Step& step);
    bool awayFromChooser(const Step& step);
    bool chooserMouse(const Step& step);
    bool dumpChooser(const Step& step);
    bool dumpFonts(const Step& step);
    bool expectColourChoose(const Step& step);
    bool expectColourCancel(const Step& step);
    bool expectPromptAnswer(const Step& step);
    bool dumpTips(const Step& step);
    bool dumpLog(const Step& step);
    bool dumpTextBrowsers(const Step& step);
    bool expectRichTextAnswer(const Step& step);
    bool expectRichTextCancel(const Step& step);
    bool expectPromptCancel(const Step& step);
    // Automation calls and kernel callbacks (console/kernel_verbs.cpp).
    bool automation(const Step& step);
    bool kernelCall(const Step& step);
    bool kernelCallOnWorker(const Step& step);
    bool kernelFrameCall(const Step& step);
    bool kernelManipCall(const Step& step);
    bool callKernel(const Step& step, bool onWorkerThread);
    bool modelWork(const Step& step);
    bool dumpParameters(const Step& step);
    // The technical-requirements pane (console/requirements_verbs.cpp).
    bool addonRequirements(const Step& step);
    bool dumpRequirements(const Step& step);
    // The bird's-eye-view pane (console/birds_eye_verbs.cpp).
    bool dumpBirdsEye(const Step& step);
    // Add-on applications the kernel knows and the mail program's input (console/application_verbs.cpp).
    bool dumpApplications(const Step& step);
    bool dumpMail(const Step& step);
    bool dumpPdm(const Step& step);
    // The 3D mouse (console/spaceball_verbs.cpp).
    bool spaceballPlug(const Step& step);
    bool dumpSpaceball(const Step& step);
    bool kvpfSelect(const Step& step);
    bool kvpfToggle(const Step& step);
    bool editListCell(const Step& step);
    bool checkListCell(const Step& step);
    bool clickListIcon(const Step& step);
    bool expectRequirementAnswer(const Step& step);
    bool expectRequirementCancel(const Step& step);
    bool dumpUndo(const Step& step);
    bool selectListRows(const Step& step);
    bool hoverListRow(const Step& step);
    bool showListColumn(const Step& step);
    bool hideListColumn(const Step& step);
    // Image windows and print jobs (console/image_verbs.cpp).
    bool scroll(const Step& step);
    bool dragThumb(const Step& step);
    bool dumpImage(const Step& step);
    bool dumpPrintJobs(const Step& step);
    bool expectPrintOk(const Step& step);
    bool expectPrintCancel(const Step& step);
    // The screen as a user sees it (console/screen_verbs.cpp).
    bool dumpLayout(const Step& step);
    bool snapshot(const Step& step);
    bool rightClick(const Step& step);
    bool clickDocumentTab(const Step& step);
    bool closeDocumentTab(const Step& step);
    bool middleClickDocumentTab(const Step& step);
    bool documentTabMenu(const Step& step);
    bool activateFrame(const Step& step);
    bool activateDocument(const Step& step);
    bool pressMessageBarButton(const Step& step);
    // The control a step names in `window` by id, or by caption (ID|"CAPTION"): the id, or
    // nothing when there is none to act on. A caption that names one enabled control names it,
    // whatever disabled ones share the caption; one that names two enabled controls, or two
    // disabled ones and no enabled one, is a mistake of the script (reported); one that names
    // none is a refusal, as a user finds no such control. False when the run must stop.
    bool controlFor(const Step& step, HWND window, std::optional<long long>& id);
    enum class TabAction { Click, Close, MiddleClick, ContextMenu };
    bool documentTab(const Step& step, TabAction action);
    // Says what the user could not do as a refusal (printRefusal); true when there was nothing.
    bool userDid(const Step& step, const std::optional<std::wstring>& refusal);
    // Says in the transcript what the user could not do ("click: ..."), the input it quotes cut;
    // a failure of the run too when refusals fail it.
    void printRefusal(std::string_view verb, const std::wstring& refusal);
    bool paneAction(const Step& step, platform::harness::User::PaneAction action);
    bool progress(const Step& step, platform::harness::Kernel::ProgressCall call);

    Phase phase() const;
    bool perform(const Step& step);
    // The main frame a step names; null (reported) when there is none.
    HWND frameFor(const Step& step);
    // The frame, or with a pane id the window that pane of the frame hosts; null (reported) when
    // there is none.
    HWND windowFor(const Step& step);
    // How the transcript names a window of a user's action: "frame N" for a main frame, "frame
    // N/PANE-ID" for a docking pane's window; empty for any other.
    std::wstring windowName(HWND window) const;
    std::wstring frameName(HWND frame) const;
    // A dump, after the line of the verb that asked for it.
    void printDump(const std::wstring& dump, const wchar_t* whenEmpty);
    void afterStep(int line);

    platform::harness::Session& session_;
    Transcript& transcript_;
    std::ostream& err_;
    std::string source_;
    bool strict_;
    bool started_ = false;
    bool scriptFailed_ = false;
    bool hung_ = false;
    bool goOnAfterMistakes_ = false;
    bool failOnRefusals_ = false;
    // The step running now, and the last one that was not an assertion (what assert looks at).
    const Step* current_ = nullptr;
    std::optional<Step> asserted_;
    std::vector<std::wstring> failures_;
    // The "KVW32.SERVER" object the automation verb made on first use.
    std::optional<platform::harness::Automation::ObjectId> automationServer_;
};

}  // namespace korvo::console
