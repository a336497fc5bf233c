// Picture files to pixels and back, through the graphics library's codecs (GraphicsMagick). Only
// this folder includes the library; everything else sees pictures as plain pixel arrays.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::kvgc {

// Decoded pictures are refused beyond this many pixels (a memory bitmap holds 4 bytes a pixel).
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 25;
// And beyond this many pixels across or down.
inline constexpr std::int64_t kMaxPictureSide = std::int64_t{1} << 20;

struct Picture {
    int width = 0;
    int height = 0;
    // Row-major, top row first; 0xAARRGGBB with AA the opacity (0xFF opaque).
    std::vector<std::uint32_t> pixels;
};

// The format of the bytes by their signature ("PNG", "JPEG", "GIF", "BMP", "TIFF", "PCX"); when
// no signature matches, the format the extension names (only TGA has no signature of its own).
// Empty when neither says a format the loader reads.
std::string pictureFormat(std::string_view bytes, std::wstring_view extension);

// The picture the bytes hold, decoded by the codec of `pictureFormat` alone (never by a codec
// the library would guess); nothing when the bytes are not such a picture or it is too large.
// With a background (0x00RRGGBB) the pixels come laid over it, as a bitmap holds them
// (0x00RRGGBB, the opacity byte 0).
std::optional<Picture> decodePicture(std::string_view bytes, std::wstring_view extension,
                                     std::optional<std::uint32_t> background = std::nullopt);

// The same, always through the library's codec (the plain bitmap forms included); what
// `decodePicture` gives for them is held to this.
std::optional<Picture> decodePictureWithLibrary(std::string_view bytes, std::wstring_view extension,
                                                std::optional<std::uint32_t> background = std::nullopt);

// The picture encoded in the format an extension names (".png", ".bmp", ".dib", ".jpg", ".jpeg",
// ".gif", ".tif", ".tiff", ".pcx", ".tga"); nothing for another extension or when the codec fails.
std::optional<std::string> encodePicture(const Picture& picture, std::wstring_view extension);

// Words drawn onto a picture before it is encoded, for pictures of the screen.
struct Label {
    int x = 0;  // the left end of the text's base line
    int y = 0;
    std::string utf8;
    std::uint32_t colour = 0;  // 0x00RRGGBB
};

// The opaque picture with the labels drawn in a small sans-serif face, encoded as the extension
// names; nothing when the codec fails. Without such a face on the system the labels are left out.
std::optional<std::string> encodeLabelledPicture(const Picture& picture, const std::vector<Label>& labels,
                                                 std::wstring_view extension);

// Registers decodePicture with Windows as the decoder of the resource module's PNG pictures
// (platform/win32/resource_pictures.h); done once when the platform starts.
void registerResourcePictureDecoder();

}  // namespace platform::kvgc
