// The kernel's services that the user commands rest on: the strings of its binary streams, the
// compound storage test of a file and the icons of a product document.
#pragma once

#include <vector>

#include "platform/compression/streams.h"
#include "platform/kernel/documents/document_file.h"
#include "platform/mfc.h"

// The string as a 32-bit count of UTF-16 code units followed by the units (little-endian); false
// when the stream took fewer bytes.
bool KvwWriteString(kvio::IWriteStream& stream, const CString& text);
// Reads what KvwWriteString wrote. False, with `text` empty, when the count or the units do not
// read whole, or the count is more than the bytes left in the stream (nothing beyond the count is
// read then). Unpaired surrogates read as U+FFFD.
bool KvwReadUniString(kvio::IReadStream& stream, CString& text);

inline constexpr HRESULT STG_E_FILEALREADYEXISTS = static_cast<HRESULT>(0x80030050u);

// A compound storage opened for reading.
class StorageRef {
public:
    // S_OK when the file is a compound storage; STG_E_FILENOTFOUND for a missing file in an
    // existing folder, STG_E_PATHNOTFOUND when the folder is missing too, STG_E_FILEALREADYEXISTS
    // for a file that is no compound storage (an icon file, a text).
    HRESULT open(LPCWSTR path);
    bool IsOpen() const { return open_; }
    const CString& GetPath() const { return path_; }

private:
    CString path_;
    bool open_ = false;
};

// The icons of a product document, one per width.
class CKVDocumentImageManager {
public:
    CKVDocumentImageManager() = default;
    ~CKVDocumentImageManager();
    CKVDocumentImageManager(const CKVDocumentImageManager&) = delete;
    CKVDocumentImageManager& operator=(const CKVDocumentImageManager&) = delete;

    // Loads the icon picture of the open document storage at the widths 16 and 32; false when the
    // storage is not open or the document has no icon (the manager is empty then).
    bool LoadIcon(const StorageRef& storage);
    int GetIconCount() const { return static_cast<int>(icons_.size()); }
    // Icon `index`, which the manager keeps (null past the last), and its width.
    HICON GetIconHandle(int index, int* width) const;

private:
    void Clear();
    std::vector<std::pair<HICON, int>> icons_;
};
