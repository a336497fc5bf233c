// The application's crash-dump context: while one is alive on a thread's stack, a crash on that
// thread is reported through it.
#pragma once

#include "platform/diagnostics.h"

class GenerateDumpFileAppContext : public GenerateDumpFileContextBase {
public:
    GenerateDumpFileAppContext() = default;
};
