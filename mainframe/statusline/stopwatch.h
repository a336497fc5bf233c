// Elapsed time on the platform's steady clock, for the timings the program logs.
#pragma once

#include "platform/win32.h"

class Stopwatch {
public:
    Stopwatch() : start_(now()) {}
    long long elapsedMicroseconds() const { return now() - start_; }

private:
    static long long now() {
        LARGE_INTEGER counter{};
        LARGE_INTEGER frequency{};
        QueryPerformanceCounter(&counter);
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart > 0 ? counter.QuadPart * 1000000 / frequency.QuadPart : 0;
    }
    long long start_;
};
