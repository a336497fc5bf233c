// Durations for the program's timing log lines, from the platform's steady clock.
#pragma once

#include "platform/win32.h"

// Microseconds of the platform's steady clock.
inline long long SteadyMicroseconds() {
    LARGE_INTEGER counter{};
    LARGE_INTEGER frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart <= 0) return 0;
    return counter.QuadPart * 1000000 / frequency.QuadPart;
}
