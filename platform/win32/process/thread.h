// Windows: threads, waiting, kernel objects (events, mutexes), atoms and time. Every wait and
// every time value goes through the platform clock, so tests in manual-clock mode decide when
// time passes.
#pragma once

#include "platform/win32/types.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);

inline constexpr DWORD CREATE_SUSPENDED = 0x00000004;
inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
inline constexpr DWORD WAIT_ABANDONED = 0x00000080;
inline constexpr DWORD WAIT_TIMEOUT = 0x00000102;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;

// ---- Threads ---------------------------------------------------------------------------------
// Thread ids are small numbers from the platform's thread table: the UI thread is 1.
DWORD GetCurrentThreadId();
HANDLE GetCurrentThread();  // pseudo handle, never closed
// A real thread registered in the thread table; its id is assigned (and written to *threadId)
// before it runs. The handle is signalled when the thread ends; close it with CloseHandle.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId);
// A handle of the thread with that id (close it with CloseHandle); null with
// ERROR_INVALID_PARAMETER when there is no such thread.
HANDLE OpenThread(DWORD desiredAccess, BOOL inheritHandle, DWORD threadId);
DWORD ResumeThread(HANDLE thread);   // previous suspend count, or (DWORD)-1
DWORD SuspendThread(HANDLE thread);  // previous suspend count; the thread parks at its next platform call
DWORD GetThreadId(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
// Only on threads made by CreateThread: unwinds to the thread's start and ends it.
void ExitThread(DWORD exitCode);
// The UI thread in manual-clock mode advances the clock by `ms`; other threads wait until the
// clock reaches their deadline.
void Sleep(DWORD ms);

// ---- Kernel objects --------------------------------------------------------------------------
HANDLE CreateEventW(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
// Named mutexes live in one process-wide table ("Global\\..." names included); opening an
// existing one sets ERROR_ALREADY_EXISTS.
HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);
// Events, mutexes and threads. Timeouts run on the platform clock.
DWORD WaitForSingleObject(HANDLE handle, DWORD timeoutMs);
// Closing a handle drops one reference; the object lives on while another handle or a waiting
// thread still uses it. A call on a closed handle fails with ERROR_INVALID_HANDLE, never crashes.
BOOL CloseHandle(HANDLE handle);
inline constexpr DWORD DUPLICATE_SAME_ACCESS = 0x00000002;
// A second handle of the same object, of this process only (GetCurrentProcess both sides, same
// access); anything else is a strict failure naming the call.
BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target, DWORD access,
                     BOOL inherit, DWORD options);

// ---- Atoms -----------------------------------------------------------------------------------
// Global atoms and registered window messages share one numbering starting at 0xC000; names
// compare case-insensitively.
ATOM GlobalAddAtomW(LPCWSTR name);
ATOM GlobalFindAtomW(LPCWSTR name);
UINT GlobalGetAtomNameW(ATOM atom, LPWSTR buffer, int size);
ATOM GlobalDeleteAtom(ATOM atom);  // 0 on success, as Windows

// ---- Time ------------------------------------------------------------------------------------
DWORD GetTickCount();          // 32-bit, wraps; starts at the configured value
ULONGLONG GetTickCount64();
BOOL QueryPerformanceCounter(LARGE_INTEGER* counter);      // microseconds of the platform clock
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);  // 1 000 000
