// The blocks the documents menu's drags carry, and the formats they go under.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/mfc.h"

namespace DocumentsMenu {

CLIPFORMAT LibraryFormat();
CLIPFORMAT LibrariesGroupFormat();
CLIPFORMAT PreferredDropEffectFormat();

// A count (unsigned 64-bit, little-endian) and then the 16-byte identifiers: 8 + 16 n bytes.
std::vector<std::byte> MakeIdentifierList(const std::vector<GUID>& ids);
// The identifiers of a block, trusting its size over its count: at most (size - 8) / 16 of them.
// Nothing for a block shorter than its count field.
std::optional<std::vector<GUID>> ReadIdentifierList(const std::byte* data, std::size_t size);

// The drop-files header (wide paths, in the non-client area, at 0,0) and the paths, each ended by
// a NUL, the list by one more.
std::vector<std::byte> MakeDropFiles(const std::vector<CString>& paths);

// A new zero-initialised movable block holding the bytes; null when it cannot be had.
HGLOBAL MakeGlobalBlock(const std::vector<std::byte>& bytes);
// A copy of the data's block in the format; nothing when it is not offered or cannot be locked.
std::optional<std::vector<std::byte>> ReadGlobalBlock(const COleDataObject& data, CLIPFORMAT format);

}  // namespace DocumentsMenu
