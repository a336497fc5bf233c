// The application's crash-dump context lives with the main frame, whose every message runs inside
// one; this name stays for the callers that still include it from here.
#pragma once

#include "mainframe/generate_dump_file_app_context.h"
