// Anonymous pipes and the standard handles a started program is given. A pipe carries bytes from
// its write end to whoever holds its read end: a program started with the read end as its
// standard input reads everything written until the last write end closes. A write while no
// read end is open anywhere fails with ERROR_NO_DATA, as on Windows; a write that would wait
// forever (the pipe's buffer full while a read end is open that nobody reads) is a strict
// failure naming the call, and fails.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/types.h"

inline constexpr DWORD ERROR_BROKEN_PIPE = 109;
inline constexpr DWORD ERROR_NO_DATA = 232;
inline constexpr DWORD HANDLE_FLAG_INHERIT = 0x1;
inline constexpr DWORD STD_INPUT_HANDLE = static_cast<DWORD>(-10);
inline constexpr DWORD STD_OUTPUT_HANDLE = static_cast<DWORD>(-11);
inline constexpr DWORD STD_ERROR_HANDLE = static_cast<DWORD>(-12);
// What a pipe holds before a write must wait for its reader.
inline constexpr DWORD kPipeBufferSize = 4096;

// `attributes` with bInheritHandle makes both ends inheritable.
BOOL CreatePipe(HANDLE* readPipe, HANDLE* writePipe, LPSECURITY_ATTRIBUTES attributes, DWORD size);
// Only HANDLE_FLAG_INHERIT of a pipe end is known; anything else is a strict failure.
BOOL SetHandleInformation(HANDLE handle, DWORD mask, DWORD flags);
// The process's own standard handles (never closed).
HANDLE GetStdHandle(DWORD which);

namespace platform::win32 {

// One start of a program other than this one: what it was started with and what it read.
struct ProgramRun {
    std::wstring path;
    std::wstring commandLine;
    std::string input;          // the bytes it read from its standard input
    bool inputEnded = false;    // it read to the end (every write end closed)
    bool readsInput = true;     // false: it ended without reading
};

// Whether the handle is a pipe end.
bool isPipe(HANDLE handle);
// WriteFile on a pipe's write end.
BOOL writePipe(HANDLE handle, const void* buffer, DWORD count, DWORD* written);
// The program `run` takes the read end `handle` (inherited) as its standard input; it reads all
// of it when it reads its input, else lets go of it at once. False when `handle` is no read end
// or is not inheritable.
bool giveStandardInput(HANDLE handle, const std::shared_ptr<ProgramRun>& run);
// Every start of another program, in order.
std::vector<std::shared_ptr<ProgramRun>> programRuns();
void addProgramRun(std::shared_ptr<ProgramRun> run);

}  // namespace platform::win32
