// Kernel documents on disk: compound files (structured storage) holding a header stream, a model
// stream and a summary stream. The kernel reads the header before it opens a file, and the
// failure it reports then tells the application what went wrong.
#pragma once

#include <cstdint>

#include "platform/compression.h"
#include "platform/mfc.h"
#include "platform/win32/files/storage.h"

// What the header of a document file says. The first field is set as soon as the file is a
// compound file, even when its document header is missing: a file of another format leaves it 0.
struct KVDocumentFileInfo {
    std::uint32_t storageFormat = 0;  // 1: compound file
    std::uint32_t formatVersion = 0;
    std::uint32_t documentKind = 0;  // 1 drawing, 2 fragment, 3 part, 4 assembly, 5 specification
};

// Reads the header of the document file at `path`. False with the failure code when the file is
// missing (STG_E_FILENOTFOUND, or STG_E_PATHNOTFOUND when its folder is missing), cannot be read
// (STG_E_ACCESSDENIED, STG_E_READFAULT) or is no kernel document (STG_E_INVALIDHEADER); true and
// S_OK otherwise. The file is closed again before the call returns.
bool ReadDocumentFileInfo(const SharedPathName& path, KVDocumentFileInfo& info, HRESULT& failureCode);
