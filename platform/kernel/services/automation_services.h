// What the kernel offers the application's automation server: the flag that marks opens made for
// an automation client, document preview and icon images, remembered dialog folders, the 3D
// module's kind, file-system entry types and the active document.
#pragma once

#include <memory>

#include "platform/kernel/services/serverapp.h"
#include "platform/mfc.h"

class CKvw32Doc;

// Set by the automation server around an open it makes for a client.
extern bool g_bOpeningFromOLE;
// The streams of a document file that hold its preview and its icon picture.
extern const wchar_t* const g_szDocPV;
extern const wchar_t* const g_szDocIcon;

// The picture in stream `streamName` of the document file at `path`; null when the file is no
// document, has no such stream or the stream is no picture.
std::unique_ptr<CWinBMP> KvwLoadKVDocImage(LPCWSTR path, LPCWSTR streamName);

namespace KVGC {
// Renders the picture at width x height on `dc` and saves the result as a bitmap file (24 bits
// per pixel, written atomically). False for an invalid picture or size, or when the file cannot
// be written.
bool SaveRenderedBitmap(const CWinBMP& picture, HDC dc, int width, int height, LPCWSTR bitmapPath);
}  // namespace KVGC

// The folders the kernel's file dialogs start in, by dialog name.
class CPathManager {
public:
    static void SavePath(LPCWSTR dialogName, LPCWSTR folder);
    // The remembered folder, empty when none.
    static CString GetPath(LPCWSTR dialogName);
};

// The kernel's 3D module: its kind (1 full 3D, 2 3D viewer, 0 none).
class _3DModuleProxy {
public:
    static int GetKind();
};

namespace Korvo {
// 0: nothing there, 1: a file, 2: a folder.
int GetFileSystemEntryType(LPCWSTR path);
}  // namespace Korvo

// The document of the active main frame's active view, or null.
CKvw32Doc* KVGetActiveDoc();

namespace platform::kernel {
// Harness controls of the services above.
void setModuleKind3D(int kind);
}  // namespace platform::kernel
