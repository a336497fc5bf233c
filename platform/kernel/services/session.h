// The kernel session: locale and product answers, and the start-up steps the application runs
// around its own initialisation.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/kernel/ui/commands.h"
#include "platform/mfc.h"

// Product kind handed to the session: which partner edition the ini file selected.
enum class KorvoOemProduct : int { None = 0, Mardel = 1, Quenta = 2, Ostrel = 3 };

// The edition this kernel build serves (the viewer edition).
inline constexpr UINT KV_EDITION_CODE = 1;

// String-id tracing of the kernel's string loader (switched on by the application).
extern BOOL g_bTraceMessages;

// The session's process-wide state. Every operation is static, so the kernel's usual call form
// `GlobalContainer::PreInitSession(true)` and `GlobalContainer::Instance().PreInitSession(true)`
// both work.
class GlobalContainer {
public:
    static GlobalContainer& Instance();

    static void EnableMacros(bool enable);
    static bool AreMacrosEnabled();
    // Sets the session language (and with it the text core's translation language), the unit
    // system and the product kind the edition queries answer from.
    static void InitSessionLocale(LPCWSTR language, bool metric, KorvoOemProduct product);
    static CString GetSessionLanguage();
    static bool IsMetric();
    static bool IsMardel();
    static bool IsQuenta();
    static bool IsOstrel();
    // Whether document windows open maximised outside workbook mode (true until set).
    static void SetMaximizeMdi(bool maximize);
    static bool GetMaximizeMdi();
    // A byte of the kernel's global container the shell clears whenever it switches workbook
    // mode; its meaning is the kernel's (set at session start).
    static void SetMdiSwitchFlag(bool on);
    static bool GetMdiSwitchFlag();
    // The kernel's in-application tools mode, in which add-on applications may change the menus.
    static bool InAppCreateToolsMode();

    // Start-up steps, in the order the application calls them. Each answers whether the session
    // can go on.
    static bool PreInitSession(bool interactive);
    // The session's idle work, at every idle pass of the application. Counted, not journalled
    // (idle passes follow every burst of messages).
    static void OnSessionIdle();
    static int GetSessionIdleCount();
    static void RestoreSessionLanguage();
    static bool PostInitSession();
    static bool FinishInitSession();

    // Makes a built-in kernel command known by id and name (the same table as the command
    // container's: an id registered already is refused).
    static bool RegisterCmd(int id, std::wstring_view name, int commandNumber, KVCommandFlags flags);
    // Takes an id registered by name alone out of the session (commands the application adds
    // while it runs); false when the id is not registered so.
    static bool UnregisterCmd(int id);
    // Ends the session: the last step of the program's shutdown. A second call is a strict
    // failure naming it (the kernel would release its objects twice).
    static void DestroySession(bool keepSettings);
    static bool IsSessionDestroyed();

    // The commands the session lists, in id order: every id registered alone (by name or as a
    // command object), except the add-on applications' command objects (15000 to 16999), each
    // with its text "description\ncaption" (from its command string; empty when it has none).
    struct RegisteredCommand {
        UINT id = 0;
        CString text;
    };
    static std::vector<RegisteredCommand> GetRegisteredCommands();
    // The text of one listed command; nothing when the session does not list `id`.
    static std::optional<CString> GetRegisteredCommandText(UINT id);
    // How lists of commands name a command: its caption as its menu item shows it (accelerator
    // marks and all), else its description; empty for a command the session does not list.
    static CString GetCmdDescr(UINT id);
    // The two-letter code of the session language ("en", "ru"); "en" before a locale is set.
    static CString GetLocaleAlpha2Code();
    // The kernel's icons library: the stand-in keeps those icons with the program's own resources.
    static HMODULE GetIconsDll();

private:
    GlobalContainer() = default;
};

// The kernel's automenu switch (0 switches it off).
void automenu(int mode);
// Shows (non-zero) or hides (0) the system-panel set.
void ShowSyspanelSet(int mode);
