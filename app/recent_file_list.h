// The application's list of recently used documents.
#pragma once

#include "platform/mfc.h"

class CKVRecentFileList : public CRecentFileList {
public:
    CKVRecentFileList(UINT start, LPCWSTR section, LPCWSTR entryFormat, int size, int maxDisplayLength)
        : CRecentFileList(start, section, entryFormat, size, maxDisplayLength) {}
};
