// Text from outside (script lines, paths, the program's own texts) made safe to print on a
// terminal: control bytes, bytes that are not UTF-8 and invisible format characters are shown as
// escapes, so input can neither move the cursor, recolour the screen nor hide what it says.
#pragma once

#include <string>
#include <string_view>

namespace korvo::console {

// `keepNewlines`: line feeds stay as they are (multi-line dumps); otherwise they show as "\n".
std::string printable(std::string_view utf8, bool keepNewlines = false);

// Input quoted in an error message: printable, and cut after a line's worth of text with the
// size of the whole, so a huge line cannot flood the terminal.
std::string echo(std::string_view utf8);

// A message from the program or its stand-ins that may quote input: every double-quoted text in
// it longer than a line's worth is cut as echo() cuts it, and the whole is made printable.
std::string quotingSafely(std::string_view utf8);

}  // namespace korvo::console
