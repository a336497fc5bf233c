// The shell's item lists as far as the program shows files in a folder window: a parsed path
// is an item list; opening a folder with items selected is recorded (no window opens).
#pragma once

#include "platform/win32/types.h"

struct ITEMIDLIST;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;
using PCUITEMID_CHILD_ARRAY = const ITEMIDLIST* const*;

// S_OK with a new item list for an existing file or folder; HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
// otherwise (the list stays null).
HRESULT SHParseDisplayName(LPCWSTR name, void* bindContext, PIDLIST_ABSOLUTE* list, ULONG attributesIn,
                           ULONG* attributesOut);
// Journals "SHOpenFolderAndSelectItems(folder, item, ...)" and returns S_OK.
HRESULT SHOpenFolderAndSelectItems(PCIDLIST_ABSOLUTE folder, UINT count, PCUITEMID_CHILD_ARRAY items, DWORD flags);
void ILFree(PIDLIST_ABSOLUTE list);
