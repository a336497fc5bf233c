// The commonest bitmap files read straight into a picture's pixels: the graphics library's reader
// keeps sixteen bits a channel and a second copy of the picture, several times the memory and the
// time of the picture itself, which the splash banner pays on every start.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/windows_types.h"
#include "platform/kvgc/picture_codec.h"

namespace platform::kvgc {

// The picture of a bitmap file with the plain header and no opacity: palette pictures of 1, 4 or
// 8 bits (uncompressed, or with run lengths of 8 or 4 bits) and 24-bit pictures. Nothing for any
// other form, or when the file is damaged or a pixel is left unset: the library decides those.
// The pixels are as `decodePicture` gives them: 0xFF in the opacity byte, or 0 with a background.
std::optional<Picture> readPlainBitmap(std::string_view bytes, bool onBackground);

// The size of the picture readPlainBitmap gives for the file, found by the same reading without
// making the pixels; nothing when readPlainBitmap would give nothing.
std::optional<SIZE> plainBitmapSize(std::string_view bytes);

}  // namespace platform::kvgc
