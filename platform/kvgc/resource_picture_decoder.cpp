#include "platform/kvgc/picture_codec.h"
#include "platform/win32/resource_pictures.h"

#include <utility>

namespace platform::kvgc {

void registerResourcePictureDecoder() {
    platform::win32::registerResourcePictureDecoder(
        [](std::string_view bytes, std::optional<std::uint32_t> background) -> std::optional<platform::win32::ResourcePicture> {
            std::optional<Picture> picture = decodePicture(bytes, L".png", background);
            if (!picture) return std::nullopt;
            return platform::win32::ResourcePicture{picture->width, picture->height, std::move(picture->pixels)};
        });
}

}  // namespace platform::kvgc
