// The kernel's numbered string tables.
#pragma once

#include "platform/mfc.h"

// The string `id`; a missing id gives the visible placeholder "#<id>" (and is reported).
CString KVLoadString(UINT id);

// The string `id` used as a format for `args` (type-checked by the framework's format engine).
template <class... T>
CString KVLoadFormatString(UINT id, const T&... args) {
    CString text;
    text.FormatV(KVLoadString(id), platform::makeFormatArgs(args...));
    return text;
}

// The text without its command letters: mnemonic marks go ("&&" stays one "&"), and so does a
// trailing "(&X)" that carries only the letter.
CString GetStrWithoutCommandLetters(const CString& text);
// The kernel's message box: the framework's message box (so the application's DoMessageBox
// brackets it), returning the button pressed.
class KVMessageBox {
public:
    static int Show(LPCWSTR text, UINT type = MB_OK);
};

namespace Korvo {
// `argument` as one argument of a command line: in quotes, a quote inside escaped with a
// backslash and the backslashes before a quote (or the closing quote) doubled, so the program
// started reads it back unchanged and no text in it becomes a further argument.
CString QuoteCommandLineArgument(const CString& argument);
}  // namespace Korvo
