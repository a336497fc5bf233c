// Picture files: any bytes are decoded by the codec their signature names (or TGA, which has
// none) or refused; a decoded picture has its size's pixels and survives a PNG round trip. An
// icon's check of the same bytes never fails unsafely, and a PNG both take has one size.
#include "fuzz/fuzz_support.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/win32/png_check.h"

FUZZ_TARGET(picture) {
    const std::string_view bytes = fuzz::bytesOf(data, size);
    // ".tga" lets the bytes without a signature reach the one codec that reads such files.
    const auto picture = platform::kvgc::decodePicture(bytes, L".tga");
    if (picture) {
        FUZZ_CHECK(picture->width > 0 && picture->height > 0);
        FUZZ_CHECK(picture->pixels.size() == static_cast<std::size_t>(picture->width) * picture->height);
        FUZZ_CHECK(static_cast<std::int64_t>(picture->pixels.size()) <= platform::kvgc::kMaxPicturePixels);
        if (picture->pixels.size() <= 4096) {
            const auto png = platform::kvgc::encodePicture(*picture, L".png");
            FUZZ_CHECK(png.has_value());
            const auto again = platform::kvgc::decodePicture(*png, L".png");
            FUZZ_CHECK(again.has_value() && again->width == picture->width && again->height == picture->height);
        }
    }
    if (const auto size = platform::win32::checkedPngSize(bytes)) {
        FUZZ_CHECK(size->cx > 0 && size->cy > 0);
        if (picture) FUZZ_CHECK(size->cx == picture->width && size->cy == picture->height);
    }
    fuzz::forget();
    return 0;
}
