// A critical error the kernel reported, waiting to be offered to the user.
#pragma once

#include "platform/mfc.h"

struct CriticalErrorRecord {
    CString message;
    int errorCode = -1;
};
