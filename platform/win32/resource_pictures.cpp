#include "platform/win32/resource_pictures.h"

#include <mutex>
#include <string>
#include <utility>

#include "platform/core/journal.h"

namespace platform::win32 {

namespace {

struct Registered {
    std::mutex mutex;
    ResourcePictureDecoder decoder;
};

Registered& registered() {
    static Registered instance;
    return instance;
}

}  // namespace

void registerResourcePictureDecoder(ResourcePictureDecoder decoder) {
    Registered& r = registered();
    std::lock_guard lock(r.mutex);
    r.decoder = std::move(decoder);
}

std::optional<ResourcePicture> decodeResourcePicture(std::string_view bytes, std::optional<std::uint32_t> background,
                                                     std::wstring_view caller) {
    ResourcePictureDecoder decoder;
    {
        Registered& r = registered();
        std::lock_guard lock(r.mutex);
        decoder = r.decoder;
    }
    if (!decoder) {
        platform::core::reportFailure(std::wstring(caller) + L": no picture decoder is registered");
        return std::nullopt;
    }
    return decoder(bytes, background);
}

}  // namespace platform::win32
