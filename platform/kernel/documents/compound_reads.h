// Compound documents as the kernel reads them: header, properties and pictures of one document
// come from one reading of its file, kept for as long as the file stays as it was read.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/kernel/documents/compound_file.h"
#include "platform/win32/types.h"

namespace platform::kernel {

struct CompoundRead {
    DWORD error = 0;  // what reading the file failed with (as platform::files::readAll says)
    std::shared_ptr<const CompoundStreams> streams;  // null when the bytes are no compound file
};

// The streams of the compound file at the Windows path `path`. The last file read is kept with
// its host file's identity, size and change times; asking again for it while those are
// unchanged reads nothing.
CompoundRead readCompoundDocument(std::wstring_view path);

// How many times a compound file was read from the host so far.
std::size_t compoundDocumentReads();

}  // namespace platform::kernel
