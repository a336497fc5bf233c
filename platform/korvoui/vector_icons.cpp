#include "platform/korvoui/vector_icons.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <pugixml.hpp>

#include "platform/mfc/xml_reading.h"

namespace Korvo::UI {

namespace {

unsigned readU16(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

}  // namespace

bool IsSvgImage(std::string_view bytes) {
    if (bytes.empty()) return false;
    pugi::xml_document dom;
    if (!dom.load_buffer(bytes.data(), bytes.size(), pugi::parse_default)) return false;
    if (platform::xml::nestedTooDeep(dom)) return false;
    std::string_view name = dom.document_element().name();
    if (const std::size_t colon = name.rfind(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return name == "svg";
}

std::vector<int> FindRasterIconSizes(std::string_view bytes) {
    // An icon file: reserved 0, type 1, the entry count, then 16 bytes per entry whose first
    // byte is the width (0 standing for 256).
    constexpr std::size_t kHeader = 6, kEntry = 16;
    std::vector<int> sizes;
    if (bytes.size() < kHeader || readU16(bytes, 0) != 0 || readU16(bytes, 2) != 1) return sizes;
    const std::size_t count = readU16(bytes, 4);
    if (count == 0 || bytes.size() < kHeader + count * kEntry) return sizes;
    for (std::size_t entry = 0; entry < count; ++entry) {
        const auto width = static_cast<unsigned char>(bytes[kHeader + entry * kEntry]);
        sizes.push_back(width == 0 ? 256 : width);
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

}  // namespace Korvo::UI
