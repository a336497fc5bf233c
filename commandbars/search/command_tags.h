// Command synonyms: extra words a command is found by, from "CommandTags.txt" and the language's
// "CommandTags.<code>.txt" in the program folder, read once per process.
#pragma once

#include <map>
#include <optional>

#include "platform/mfc.h"

// Command id -> its synonyms in searchable form; several lines of one id joined with ";".
using CommandTagMap = std::map<UINT, CString>;

// The text with every single "&" removed; a doubled "&&" stays as it is.
CString RemoveSingleAmpersands(const CString& text);

// One line of a synonyms file: the command (a name the kernel knows, else a decimal id) up to
// the first blank, the synonyms after it (inner and leading extra blanks kept). Nothing for a
// line to skip: empty, without synonyms, naming no command, naming an invisible command or one
// whose synonyms are never searched (9334 to 9800, 17000 to 32000, 46000 to 47999).
struct CommandTagLine {
    UINT id = 0;
    CString tags;  // searchable form, single "&" removed; never empty
};
std::optional<CommandTagLine> ParseCommandTagLine(const CString& line);

// Adds the lines of one file to `tags`; false (nothing added) when the file cannot be read.
bool ReadCommandTagsFile(const CString& path, CommandTagMap& tags);

// The process's synonyms, read from the program folder's files on first use (thread-safe).
const CommandTagMap& CommandTags();
