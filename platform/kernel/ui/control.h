// Control surface of the kernel stand-in for the harness and tests (never for shell code):
// injected failures, configured answers and the string tables.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/text.h"
#include "platform/win32/types.h"

namespace platform::kernel {

enum class DocumentOpenFault { NullResult, Exception };

struct Control {
    // Session steps that fail (answer false).
    bool failPreInitSession = false;
    bool failPostInitSession = false;
    bool failFinishInitSession = false;

    // What ShellDDERespondWindow::GetShellCommand answers.
    std::wstring shellDdeCommand;

    // Documents whose opening fails, by Windows path (case-insensitive).
    std::map<std::wstring, DocumentOpenFault, platform::core::NoCaseLess> documentOpenFaults;

    // Import paths: what the 3D kernel's import returns, whether a document's own import of a
    // file succeeds, whether an add-on application opens a file it is handed.
    enum class Import3DResult { Nothing, DocumentWithView, DocumentWithoutView };
    Import3DResult import3DResult = Import3DResult::Nothing;
    // What the 3D part says after it re-read the settings of a newly applied profile (empty: nothing).
    std::wstring settingsRefreshMessage;
    bool documentImportSucceeds = false;
    bool addOnOpensFiles = false;
    // Whether an add-on application refuses to let the program close.
    bool applicationsRefuseClose = false;
    // Whether the add-on application manager refuses to let the program exit (the Quit command).
    bool applicationsRefuseExit = false;
    // Application commands (by id) whose kernel descriptions disable them now.
    std::set<UINT> disabledDescribedCommands;
    // GlobalContainer::InAppCreateToolsMode's answer.
    bool inAppCreateToolsMode = false;
    // The 3D part makes no hosted model trees.
    bool modelTreesRefused = false;
    // Whether the kernel leaves reporting load failures to the application.
    bool reportSaveLoadExceptionBlocked = true;
    // Documents whose save fails, by Windows path.
    std::set<std::wstring, platform::core::NoCaseLess> saveFaults;

    // The UI module's themes in list order (name, caption) and the names that fail to apply.
    std::vector<std::pair<std::wstring, std::wstring>> themes = defaultThemes();
    std::set<std::wstring, platform::core::NoCaseLess> failingThemes;

    // What the installed add-on applications do on the UI thread when the kernel's manager starts
    // them (first or second phase), e.g. pump the thread's messages in a loop of their own.
    std::function<void(bool firstPhase)> applicationsStarting;

    // Command strings of the kernel and of its 3D part by command id, and the command running
    // now (id 0: none) with its prompt.
    std::map<UINT, std::wstring> commandStrings;
    std::map<UINT, std::wstring> commandStrings3D;
    int activeCommandId = 0;
    std::wstring activeCommandPrompt;
    // The UI module's command states (UIModuleProxy::CommandStateGet) by command id.
    struct CommandState {
        bool enabled = false;
        bool checked = false;
    };
    std::map<UINT, CommandState> commandStates;
    // The auto-menu controller's hints by command id; without a controller there are none.
    bool autoMenuController = false;
    std::map<UINT, std::wstring> autoMenuHints;
    // Commands the kernel keeps out of sight (IsCommandVisible answers false).
    std::set<UINT> invisibleCommands;

    static std::vector<std::pair<std::wstring, std::wstring>> defaultThemes();
};

Control& control();

// Makes a session step fail by its name ("PreInitSession", "PostInitSession",
// "FinishInitSession"); false for an unknown name.
bool failSessionStep(std::wstring_view step);
// Opening the document at `path` returns null (or throws a framework file exception).
void failDocumentOpen(std::wstring_view path, bool throwException);

// String tables: "strings.tsv" of the program folder, read at the first lookup. Overrides win
// over the file and survive a reload.
void overrideString(UINT id, std::wstring text);
void reloadStrings();
std::optional<std::wstring> findString(UINT id);  // no placeholder, no report
// Installs the kernel's table as the framework's string loader (CString::LoadString). The
// kernel installs it itself at the first string lookup or session step; the harness may call
// it earlier.
void installStringLoader();

// Parses string-table text: "<id>\t<text>" a line, "\t", "\n" and "\\" escapes, empty lines and
// lines starting with '#' ignored. Bad lines are skipped with a warning naming `origin` and the
// line; a repeated id keeps its first text.
std::map<UINT, std::wstring> parseStringTable(std::string_view utf8, std::wstring_view origin,
                                              std::vector<std::wstring>* warnings = nullptr);

// The product ini file for a command line: the first "/ini:<path>" or "-ini:<path>" argument
// (quotes around the path removed; an empty path does not count), else "Korvo.ini" in the
// program folder.
std::wstring productIniFileName(const std::vector<std::wstring>& arguments, std::wstring_view programFolder);

// The UI module's modal-box notifications: boxes open now, and boxes begun so far.
int modalBoxDepth();
int modalBoxCount();
}  // namespace platform::kernel
