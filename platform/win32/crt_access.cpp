#include "platform/win32/crt.h"
#include "platform/win32/files/file.h"

int _waccess(const wchar_t* path, int mode) {
    if (!path) return -1;
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
    const bool wantsWrite = (mode & 2) != 0;
    if (wantsWrite && (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    return 0;
}
