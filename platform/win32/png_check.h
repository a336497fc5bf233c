// What an icon needs of its PNG picture without decoding it: its size, and that its structure
// holds together as a decoder would ask before inflating any pixels.
#pragma once

#include <optional>
#include <string_view>

#include "platform/core/windows_types.h"

namespace platform::win32 {

// The picture's size, or nothing when `bytes` is not a PNG a decoder would take: a signature, a
// valid header chunk first, each critical chunk's CRC right, the palette a palette picture needs,
// at least one data chunk and the end chunk. Ancillary chunks with a wrong CRC are passed over, as
// decoders do. The compressed pixels themselves are not inflated.
std::optional<SIZE> checkedPngSize(std::string_view bytes);

}  // namespace platform::win32
